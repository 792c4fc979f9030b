#include "PlatformErrorReport.h"

#include <windows.h>

PlatformError LastPlatformError()
{
    const DWORD error = GetLastError();
    return {static_cast<std::uint32_t>(error ? HRESULT_FROM_WIN32(error) : E_FAIL)};
}

void ReportPlatformErrorAndExit(PlatformError error)
{
    wchar_t* text = nullptr;
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    FormatMessageW(flags, nullptr, error.code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    // A code the system cannot describe is shown as the number itself.
    wchar_t number[16];
    if (!text)
        wsprintfW(number, L"0x%08X", static_cast<unsigned>(error.code));
    MessageBoxW(nullptr, text ? text : number, nullptr, MB_OK | MB_ICONERROR | MB_TASKMODAL);
    LocalFree(text);
    ExitProcess(error.code);
}

bool NextMessage(MSG& message)
{
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == -1)
        ReportPlatformErrorAndExit(LastPlatformError());
    return got != 0;
}
