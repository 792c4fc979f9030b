#pragma once
#include <string>

// Every resource of an executable as "type/name language", one a line in the order Windows
// lists them, the language as four hex digits: what each resource is tagged with.
std::wstring ResourceLanguages(const wchar_t* file);
