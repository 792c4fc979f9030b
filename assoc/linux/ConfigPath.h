#pragma once
// Where the registry store lives: the user's XDG configuration folder
// ($XDG_CONFIG_HOME, else ~/.config), in pexalo/registry.sqlite3.
#include <filesystem>

// Empty when neither variable names an absolute folder.
std::filesystem::path RegistryStorePath();
