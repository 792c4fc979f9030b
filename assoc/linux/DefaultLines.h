#pragma once
// The default application for RealMedia files in the user's mimeapps.list files, line by
// line. Our default goes into $XDG_CONFIG_HOME/mimeapps.list, which every reader knows, and
// into each other list of the user's that names the type, since some reader puts it first.
// The lines it replaces are kept, as they were or as missing, in our entry, and undoing puts
// each back where it still reads as ours.
#include <string>

// Makes `id` the default; with our own id the lines it replaces are kept first.
bool SetDefaultLines(const std::string& id);
bool HasKeptDefaultLines();
// True while a list that we write names our own id as the default.
bool DefaultLinesNameUs();
// Puts back every kept line that still reads as ours.
bool RestoreDefaultLines();
// Forgets the kept lines: another program's default was set since they were kept.
bool ForgetDefaultLines();
