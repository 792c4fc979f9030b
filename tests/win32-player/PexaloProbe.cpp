// A test driver that looks at and steers Pexalo's windows from a separate Windows
// process, the way a user or the shell would: it starts the player with an exact
// command line, reads the player's command line, window styles and sizes, works the
// open-file dialog and the error report, and reads the version block and icons of an
// executable.
// Every answer is one line of UTF-8 on standard output.
#include <windows.h>

#include <string>

#include "Probe.h"

void Print(const std::wstring& line)
{
    const std::wstring text = line + L"\n";
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                          nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

namespace {

std::wstring Trimmed(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

std::wstring WindowText(HWND window)
{
    wchar_t text[2048] = L"";
    SendMessageW(window, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring Rect(const RECT& r)
{
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom);
}

// Polls for a window for up to `seconds`; the machine may be slow, so callers wait long.
template <class Find>
HWND WaitFor(Find find, int seconds)
{
    for (int tries = seconds * 10;; --tries) {
        if (HWND window = find())
            return window;
        if (tries <= 0)
            return nullptr;
        Sleep(100);
    }
}

HWND FindPlayer() { return FindWindowW(L"PexaloForm1", L"Form1"); }

BOOL CALLBACK KeepVisibleDialog(HWND window, LPARAM out)
{
    wchar_t name[16];
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

HWND FindVisibleDialog()
{
    HWND found = nullptr;
    EnumWindows(KeepVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The argument text, exactly as UTF-16 code units, from the file PEXALO_ARGUMENTS_FILE
// names: a file carries what an environment variable could not (lone surrogates, and
// texts up to the longest command line).
bool ReadArguments(std::wstring& out)
{
    wchar_t name[1024];
    const DWORD length = GetEnvironmentVariableW(L"PEXALO_ARGUMENTS_FILE", name, 1024);
    if (!length || length >= 1024)
        return false;
    HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = GetFileSize(file, nullptr);
    out.resize(size / sizeof(wchar_t));
    DWORD read = 0;
    const bool whole = ReadFile(file, out.data(), size, &read, nullptr) && read == size;
    CloseHandle(file);
    return whole;
}

int Start(const wchar_t* program)
{
    std::wstring commandLine = std::wstring(L"\"") + program + L"\"";
    if (std::wstring arguments; ReadArguments(arguments))
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        Print(L"refused " + std::to_wstring(GetLastError()));
        return 0;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    Print(L"exit " + std::to_wstring(static_cast<long>(status)));
    return 0;
}

int Window(int seconds)
{
    HWND player = WaitFor([] { HWND w = FindPlayer(); return w && IsWindowVisible(w) ? w : nullptr; }, seconds);
    if (!player) {
        Print(FindPlayer() ? L"hidden" : L"none");
        return 0;
    }
    RECT window, client, control{};
    GetWindowRect(player, &window);
    GetClientRect(player, &client);
    if (HWND child = GetWindow(player, GW_CHILD)) {
        GetWindowRect(child, &control);
        MapWindowPoints(nullptr, player, reinterpret_cast<POINT*>(&control), 2);
    }
    wchar_t style[64];
    wsprintfW(style, L"style=%08X exstyle=%08X", static_cast<unsigned>(GetWindowLongW(player, GWL_STYLE)),
              static_cast<unsigned>(GetWindowLongW(player, GWL_EXSTYLE)));
    Print(std::wstring(style) + L" zoomed=" + std::to_wstring(IsZoomed(player) != 0) +
          L" iconic=" + std::to_wstring(IsIconic(player) != 0) + L" window=" + Rect(window) +
          L" client=" + Rect(client) + L" control=" + Rect(control) + L" screen=" +
          std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"," + std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    return 0;
}

int CommandLine(int seconds)
{
    HWND player = WaitFor(FindPlayer, seconds);
    if (!player) {
        Print(L"none");
        return 0;
    }
    return CommandLineOf(player);
}

int Resize(int width, int height)
{
    HWND player = FindPlayer();
    if (!player)
        return 1;
    ShowWindow(player, SW_RESTORE);
    SetWindowPos(player, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}

int Minimize()
{
    HWND player = FindPlayer();
    return player && ShowWindow(player, SW_MINIMIZE) ? 0 : 1;
}

// Closes the player window the way the platform would, not by Escape.
int Close()
{
    HWND player = FindPlayer();
    return player && PostMessageW(player, WM_CLOSE, 0, 0) ? 0 : 1;
}

int Dialog(int seconds)
{
    HWND dialog = WaitFor(FindVisibleDialog, seconds);
    if (!dialog) {
        Print(L"none");
        return 0;
    }
    Print(L"filter=" + WindowText(GetDlgItem(dialog, 0x470)) + L" owner=" +
          std::to_wstring(GetWindow(dialog, GW_OWNER) != nullptr));
    return 0;
}

int Message(int seconds)
{
    HWND dialog = WaitFor(FindVisibleDialog, seconds);
    if (!dialog) {
        Print(L"none");
        return 0;
    }
    std::wstring text;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16];
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Static") == 0 && !WindowText(child).empty())
            text = WindowText(child);
    }
    Print(L"text=" + Trimmed(text));
    return 0;
}

// Closes the visible dialog with OK after typing `path` as the file name, or with Cancel.
int Press(int button, const wchar_t* path)
{
    HWND dialog = FindVisibleDialog();
    if (!dialog)
        return 1;
    if (path) {
        HWND name = GetDlgItem(dialog, 0x47c);  // the file-name combo box
        if (!name)
            name = GetDlgItem(dialog, 0x480);  // or, in older layouts, the edit
        SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path));
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return 0;
}

int Format(const wchar_t* hex)
{
    const DWORD code = wcstoul(hex, nullptr, 16);
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    // As the player reports it: the system's text, or the code itself when there is none.
    wchar_t number[16];
    wsprintfW(number, L"0x%08X", static_cast<unsigned>(code));
    Print(L"text=" + Trimmed(text ? text : number));
    LocalFree(text);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const wchar_t* arg = argc > 2 ? argv[2] : L"";
    const int seconds = argc > 2 ? _wtoi(argv[2]) : 0;
    if (command == L"start" && argc > 2) return Start(arg);
    if (command == L"window") return Window(seconds);
    if (command == L"commandline") return CommandLine(seconds);
    if (command == L"resize" && argc > 3) return Resize(_wtoi(argv[2]), _wtoi(argv[3]));
    if (command == L"minimize") return Minimize();
    if (command == L"close") return Close();
    if (command == L"dialog") return Dialog(seconds);
    if (command == L"message") return Message(seconds);
    if (command == L"ok") return Press(IDOK, argc > 2 ? arg : nullptr);
    if (command == L"cancel") return Press(IDCANCEL, nullptr);
    if (command == L"format" && argc > 2) return Format(arg);
    if (command == L"version" && argc > 2) return Version(arg);
    if (command == L"icons" && argc > 2) return Icons(arg);
    if (command == L"languages" && argc > 2) {
        Print(Trimmed(ResourceLanguages(arg)));
        return 0;
    }
    Print(L"usage: start EXE | window [S] | commandline [S] | resize W H | minimize | close | dialog [S] | "
          L"message [S] | ok [PATH] | cancel | format HEX | version FILE | icons FILE | languages FILE");
    return 2;
}
