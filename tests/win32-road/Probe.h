#pragma once
#include <string>

// One line of UTF-8 on standard output.
void Print(const std::wstring& line);
// An executable's version block, icons and the language of every resource, as Windows
// reads them back.
void PrintResources(const wchar_t* file);
