#pragma once
#include <windows.h>

#include <string>

// One line of UTF-8 on standard output.
void Print(const std::wstring& line);
int Version(const wchar_t* file);
int Icons(const wchar_t* file);
// Every resource of an executable as "type/name language", one a line in the order Windows
// lists them, the language as four hex digits.
std::wstring ResourceLanguages(const wchar_t* file);
// The command line the process that owns the window was started with.
int CommandLineOf(HWND window);
