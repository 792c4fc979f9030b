// Starts a program the way the shell does (CreateProcessW) and reports, on standard
// output, the clock when it started it and, with -w CAPTION, the clock when a visible
// top-level window of that program with that caption appears, polled every millisecond.
// It then closes that window (WM_CLOSE); without -w it waits for the program to end.
// Clocks are microseconds since 1970, the clock the stand-in control's log uses.
// Usage: StartProbe [-w CAPTION] PROGRAM [ARGUMENT...]
#include "Log.h"

#include <windows.h>

#include <string>

namespace {

constexpr DWORD kPatienceMs = 60000;

void Print(const std::string& line)
{
    const std::string text = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Arguments are quoted only when they need it; none of ours holds a quote.
std::wstring CommandLine(int count, wchar_t** arguments)
{
    std::wstring line;
    for (int i = 0; i < count; ++i) {
        const std::wstring argument = arguments[i];
        const bool quote = argument.empty() || argument.find_first_of(L" \t") != std::wstring::npos;
        line += (i ? L" " : L"") + (quote ? L"\"" + argument + L"\"" : argument);
    }
    return line;
}

HWND VisibleWindowOf(DWORD processId, const wchar_t* caption)
{
    for (HWND window = FindWindowExW(nullptr, nullptr, nullptr, caption); window;
         window = FindWindowExW(nullptr, window, nullptr, caption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == processId && IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

struct Process {
    PROCESS_INFORMATION info{};
    ~Process()
    {
        if (!info.hProcess)
            return;
        if (WaitForSingleObject(info.hProcess, kPatienceMs) != WAIT_OBJECT_0)
            TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hThread);
        CloseHandle(info.hProcess);
    }
};

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const bool watch = argc > 3 && std::wstring(argv[1]) == L"-w";
    const int first = watch ? 3 : 1;
    if (argc <= first) {
        Print("usage: StartProbe [-w CAPTION] PROGRAM [ARGUMENT...]");
        return 2;
    }
    std::wstring commandLine = CommandLine(argc - first, argv + first);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    Process process;
    const std::string started = UnixMicroseconds();
    if (!CreateProcessW(argv[first], commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process.info)) {
        Print("cannot start the program");
        return 1;
    }
    Print("start " + started);
    if (!watch)
        return 0;
    for (DWORD waited = 0; waited < kPatienceMs; ++waited) {
        if (HWND window = VisibleWindowOf(process.info.dwProcessId, argv[2])) {
            Print("shown " + UnixMicroseconds());
            PostMessageW(window, WM_CLOSE, 0, 0);
            return 0;
        }
        if (WaitForSingleObject(process.info.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    Print("no window");
    return 1;
}
