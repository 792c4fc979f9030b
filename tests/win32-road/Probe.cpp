// Looks at and steers the programs under test from a separate Windows process, the way a
// user or the shell would, for road.sh; answers are UTF-8 on standard output. Commands:
//   start EXE: runs EXE with the argument text on standard input in UTF-16 code units (which
//     no command line here carries whole), and prints "exit STATUS" when it ends
//   window S, resize W H, minimize, close, fire DISPID ARGUMENT, ping: the player's window
//   dialog S, ok [NAME], cancel, report S CODE: the open-file dialog or the error report
//   send|post ID MESSAGE WPARAM, layout: Ordinel's dialog, or its control ID
#include "Control.h"
#include "OptionsControls.h"

#include <cstdlib>
#include <string>

namespace {

void Print(std::wstring line)
{
    line += L"\n";
    std::string out(line.size() * 3, '\0');
    DWORD bytes = WideCharToMultiByte(CP_UTF8, 0, line.data(), static_cast<int>(line.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, nullptr);
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), bytes, &bytes, nullptr);
}

// Polls for a window for up to `seconds`; the machine may be slow, so callers wait long.
template <class Find>
HWND WaitFor(Find find, int seconds)
{
    HWND window = find();
    for (int tries = seconds * 10; !window && tries > 0; --tries) {
        Sleep(100);
        window = find();
    }
    return window;
}

std::wstring Text(HWND window)
{
    wchar_t text[1024] = L"";
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

std::wstring Rect(const RECT& r)
{
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom);
}

std::wstring Flag(bool set) { return set ? L"1" : L"0"; }

HWND Player() { return FindWindowW(L"PexaloForm1", L"Form1"); }
HWND Control() { return GetWindow(Player(), GW_CHILD); }

// The open-file dialog or a message box.
HWND VisibleDialog()
{
    HWND dialog = FindWindowW(L"#32770", nullptr);
    return IsWindowVisible(dialog) ? dialog : nullptr;
}

// Ordinel's dialog once it takes input: shown, active and the focus inside, since a click
// that came earlier could lose its mouse capture to the activation.
HWND Options()
{
    return WaitFor(
        [] {
            HWND dialog = FindWindowW(kOptionsWindowClass, nullptr);
            GUITHREADINFO thread{};
            thread.cbSize = sizeof thread;
            const bool ready = dialog && IsWindowVisible(dialog) &&
                               GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread) &&
                               thread.hwndActive == dialog && IsChild(dialog, thread.hwndFocus);
            return ready ? dialog : nullptr;
        },
        60);
}

HWND OptionsItem(int id) { return id ? GetDlgItem(Options(), id) : Options(); }

int Start(const wchar_t* program)
{
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"", arguments(32768, L'\0');
    DWORD bytes = 0;
    ReadFile(GetStdHandle(STD_INPUT_HANDLE), arguments.data(), 65536, &bytes, nullptr);
    if (bytes > 0)
        commandLine += L" " + arguments.substr(0, bytes / sizeof(wchar_t));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
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
    HWND player = WaitFor([] { return IsWindowVisible(Player()) ? Player() : nullptr; }, seconds);
    if (!player) {
        Print(Player() ? L"hidden" : L"none");
        return 0;
    }
    RECT client, control{};
    GetClientRect(player, &client);
    GetWindowRect(Control(), &control);
    MapWindowPoints(nullptr, player, reinterpret_cast<POINT*>(&control), 2);
    const LONG style = GetWindowLongW(player, GWL_STYLE);
    Print(L"popup=" + Flag(style & WS_POPUP) + L" frame=" + Flag(style & (WS_CAPTION | WS_THICKFRAME)) +
          L" taskbar=" + Flag(GetWindowLongW(player, GWL_EXSTYLE) & WS_EX_APPWINDOW) + L" zoomed=" +
          Flag(IsZoomed(player)) + L" iconic=" + Flag(IsIconic(player)) + L" client=" + Rect(client) +
          L" control=" + Rect(control) + L" screen=" + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"," +
          std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    return 0;
}

// Closes the dialog with OK after typing the file name into its combo box, or with Cancel.
int Press(int button, const wchar_t* name)
{
    HWND dialog = VisibleDialog();
    if (name)
        SendMessageW(GetDlgItem(dialog, 0x47c), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name));
    PostMessageW(dialog, WM_COMMAND, button, 0);
    return 0;
}

// The programs report a failure with the system's text for its code, or with the code
// itself where the system has none.
int Report(int seconds, const wchar_t* hex)
{
    const std::wstring shown = Text(GetDlgItem(WaitFor(VisibleDialog, seconds), 0xFFFF));  // the box's text
    const DWORD code = wcstoul(hex, nullptr, 16);
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    wchar_t number[16];
    wsprintfW(number, L"0x%08X", static_cast<unsigned>(code));
    const std::wstring expected = text ? text : number;
    LocalFree(text);
    Print(shown == expected ? L"same" : L"shown '" + shown + L"', expected '" + expected + L"'");
    return 0;
}

BOOL CALLBACK PrintControl(HWND control, LPARAM dialog)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(dialog), reinterpret_cast<POINT*>(&r), 2);
    Print(std::to_wstring(GetDlgCtrlID(control)) + L" " + Rect(r) +
          (IsWindowVisible(control) && IsWindowEnabled(control) ? L" usable \"" : L" unusable \"") + Text(control) +
          L"\"");
    return TRUE;
}

// The frame (off the taskbar: no taskbar style and a hidden owner), every control with its
// rectangle in the client area, where the focus starts and the order Tab visits.
int Layout()
{
    HWND dialog = Options();
    const LONG style = GetWindowLongW(dialog, GWL_STYLE), exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT frame, client;
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &client);
    const bool centred = std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
                         std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 1;
    Print(Text(dialog) + L" closebox=" + Flag(style & WS_SYSMENU) + L" minmax=" +
          Flag(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) + L" sizable=" + Flag(style & WS_THICKFRAME) + L" modal=" +
          Flag(exStyle & WS_EX_DLGMODALFRAME) + L" taskbar=" +
          Flag(exStyle & WS_EX_APPWINDOW || !owner || IsWindowVisible(owner)) + L" client=" + Rect(client) +
          L" centred=" + Flag(centred));
    EnumChildWindows(dialog, PrintControl, reinterpret_cast<LPARAM>(dialog));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &thread);
    std::wstring order = L"focus=" + std::to_wstring(GetDlgCtrlID(thread.hwndFocus)) + L" tab=";
    for (HWND next = thread.hwndFocus; order.back() != L'.';) {
        next = GetNextDlgTabItem(dialog, next, FALSE);
        order += std::to_wstring(GetDlgCtrlID(next)) + (next == thread.hwndFocus ? L"." : L",");
    }
    Print(order);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    const wchar_t* arg = argc > 2 ? argv[2] : nullptr;
    const int number = arg ? _wtoi(arg) : 0;
    const unsigned long second = argc > 3 ? wcstoul(argv[3], nullptr, 0) : 0;
    const unsigned long third = argc > 4 ? wcstoul(argv[4], nullptr, 0) : 0;
    if (command == L"start") return Start(arg);
    if (command == L"window") return Window(number);
    if (command == L"resize") {
        ShowWindow(Player(), SW_RESTORE);
        return SetWindowPos(Player(), nullptr, 0, 0, number, second, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
    }
    if (command == L"minimize") return ShowWindow(Player(), SW_MINIMIZE) ? 0 : 1;
    if (command == L"close") return PostMessageW(Player(), WM_CLOSE, 0, 0) ? 0 : 1;
    // The stand-in fires inside the player; a ping, posted behind whatever the player has
    // posted, shows in the log once the player has run it all.
    if (command == L"fire") return static_cast<int>(SendMessageW(Control(), kFireMessage, number, second));
    if (command == L"ping") return PostMessageW(Control(), kPingMessage, 0, 0) ? 0 : 1;
    if (command == L"dialog") {
        HWND dialog = WaitFor(VisibleDialog, number);
        Print(dialog ? L"filter=" + Text(GetDlgItem(dialog, 0x470)) + L" owner=" + Flag(GetWindow(dialog, GW_OWNER))
                     : L"none");
        return 0;
    }
    if (command == L"ok") return Press(IDOK, arg);
    if (command == L"cancel") return Press(IDCANCEL, nullptr);
    if (command == L"report") return Report(number, argc > 3 ? argv[3] : L"");
    if (command == L"send") {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(OptionsItem(number), second, third, 0, SMTO_NORMAL, 60000, &result);
        Print(std::to_wstring(result));
        return 0;
    }
    if (command == L"post") return PostMessageW(OptionsItem(number), second, third, 0) ? 0 : 1;
    if (command == L"layout") return Layout();
    Print(L"no such command; see Probe.cpp");
    return 2;
}
