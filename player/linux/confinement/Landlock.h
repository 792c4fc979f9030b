#pragma once
// Landlock, the kernel's unprivileged access control: read-only access to what playing
// needs, and the rights of newer kernels (TCP, truncation, device control, scopes) where the
// running kernel offers them.
#include <string>
#include <vector>

// The Landlock ABI the running kernel offers; 0 when it offers none.
int LandlockAbi();

// Confines this thread and those it starts from now on to reading `clips` and what playing
// needs; TCP connections only when `network`. Needs no_new_privs. The ABI that was applied,
// 0 when none could be.
int RestrictFilesAndNetwork(const std::vector<std::string>& clips, bool network);
