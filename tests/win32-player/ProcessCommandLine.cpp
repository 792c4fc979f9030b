// The command line another process was started with, exactly as it received it: read
// from its process parameters, since the program's own view has already split it.
#include <windows.h>

#include <winternl.h>

#include <string>

#include "Probe.h"

namespace {

template <class T>
bool ReadFrom(HANDLE process, const void* at, T& out)
{
    SIZE_T read = 0;
    return ReadProcessMemory(process, at, &out, sizeof out, &read) && read == sizeof out;
}

bool ReadCommandLine(HANDLE process, std::wstring& out)
{
    PROCESS_BASIC_INFORMATION basic{};
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0 ||
        !ReadFrom(process, basic.PebBaseAddress, peb) || !ReadFrom(process, peb.ProcessParameters, parameters))
        return false;
    out.resize(parameters.CommandLine.Length / sizeof(wchar_t));
    SIZE_T read = 0;
    return ReadProcessMemory(process, parameters.CommandLine.Buffer, out.data(), parameters.CommandLine.Length, &read) &&
           read == parameters.CommandLine.Length;
}

} // namespace

int CommandLineOf(HWND window)
{
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id);
    std::wstring text;
    const bool read = process && ReadCommandLine(process, text);
    if (process)
        CloseHandle(process);
    if (!read)
        return 1;
    Print(L"commandline=" + text);
    return 0;
}
