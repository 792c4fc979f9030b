#pragma once
// The player confines itself once it knows what it will open, and before the engine starts
// its threads, so that every decoder runs confined: a file that takes a decoder over finds
// it can read only the clips and what playing needs, write nowhere the user keeps files,
// start no program, and reach the network only when the list names a network location.
// Not confined: connections to local sockets (the display, the sound server, the session
// bus), and, under Landlock, threads that Qt started before (the system call filter covers
// them). On a kernel without Landlock the player plays as before and says so on stderr.
#include "SourceLocations.h"

// Best effort: what the kernel cannot apply is reported on stderr, never a reason to stop.
void ConfineToClips(const SourceLocations& clips);
