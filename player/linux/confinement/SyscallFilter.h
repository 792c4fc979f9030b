#pragma once
// A short seccomp list (libseccomp) on every thread of the process: the calls a confined
// player never makes, refused with an error rather than a kill, so that the player goes on.

// 0, or the negative errno of why the filter could not be loaded. Needs no_new_privs.
int FilterSystemCalls(bool network);
