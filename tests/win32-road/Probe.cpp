// Looks at and steers the programs under test from a separate Windows process, the way a
// user or the shell would, for road.sh. Answers are UTF-8 on standard output.
//   start EXE            runs EXE with the argument text in the file PEXALO_ARGUMENTS_FILE
//                        names (UTF-16 code units: a file carries what the environment
//                        cannot), or with none; prints "exit STATUS" once it has ended
//   open FILE            opens FILE as the shell does, then the same
//   window S             the player's window, waited for up to S seconds
//   resize W H, minimize, close     the player's window, from outside
//   fire ID ARGUMENT     has the stand-in fire its event
//   ping                 posts the stand-in a ping, logged once the player is idle
//   dialog S             the open-file dialog's file types and whether it has an owner
//   ok [PATH], cancel    closes that dialog, with PATH typed as the file name
//   report S CODE        whether the error report shows the system's text for CODE
//   resources FILE       FILE's version block, icons and resource languages
//   send|post ID MESSAGE WPARAM    to a control of Ordinel's dialog (0: the dialog)
//   layout               Ordinel's dialog as laid out
#include "Control.h"
#include "OptionsControls.h"
#include "Probe.h"

#include <windows.h>

#include <shellapi.h>

#include <cstdlib>

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

std::wstring Trimmed(std::wstring text)
{
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    return text;
}

std::wstring Text(HWND window)
{
    wchar_t text[1024] = L"";
    SendMessageW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return Trimmed(text);
}

std::wstring Rect(const RECT& r)
{
    return std::to_wstring(r.left) + L"," + std::to_wstring(r.top) + L"," + std::to_wstring(r.right) + L"," +
           std::to_wstring(r.bottom);
}

std::wstring Flag(bool set) { return set ? L"1" : L"0"; }

HWND Player() { return FindWindowW(L"PexaloForm1", L"Form1"); }

BOOL CALLBACK KeepVisibleDialog(HWND window, LPARAM out)
{
    wchar_t name[16];
    GetClassNameW(window, name, 16);
    if (lstrcmpW(name, L"#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    *reinterpret_cast<HWND*>(out) = window;
    return FALSE;
}

// The open-file dialog or a message box.
HWND VisibleDialog()
{
    HWND found = nullptr;
    EnumWindows(KeepVisibleDialog, reinterpret_cast<LPARAM>(&found));
    return found;
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

int PrintExit(HANDLE process)
{
    WaitForSingleObject(process, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    CloseHandle(process);
    Print(L"exit " + std::to_wstring(static_cast<long>(status)));
    return 0;
}

int Start(const wchar_t* program)
{
    std::wstring commandLine = L"\"" + std::wstring(program) + L"\"";
    wchar_t name[MAX_PATH];
    if (GetEnvironmentVariableW(L"PEXALO_ARGUMENTS_FILE", name, MAX_PATH)) {
        HANDLE file = CreateFileW(name, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return 1;
        std::wstring arguments(GetFileSize(file, nullptr) / sizeof(wchar_t), L'\0');
        DWORD read = 0;
        ReadFile(file, arguments.data(), static_cast<DWORD>(arguments.size() * sizeof(wchar_t)), &read, nullptr);
        CloseHandle(file);
        commandLine += L" " + arguments;
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 1;
    CloseHandle(process.hThread);
    return PrintExit(process.hProcess);
}

int Open(const wchar_t* file)
{
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS;
    info.lpFile = file;
    info.nShow = SW_SHOWNORMAL;
    return ShellExecuteExW(&info) && info.hProcess ? PrintExit(info.hProcess) : 1;
}

int Window(int seconds)
{
    HWND player = WaitFor([] { HWND w = Player(); return w && IsWindowVisible(w) ? w : nullptr; }, seconds);
    if (!player) {
        Print(Player() ? L"hidden" : L"none");
        return 0;
    }
    RECT client, control{};
    GetClientRect(player, &client);
    if (HWND child = GetWindow(player, GW_CHILD)) {
        GetWindowRect(child, &control);
        MapWindowPoints(nullptr, player, reinterpret_cast<POINT*>(&control), 2);
    }
    const LONG style = GetWindowLongW(player, GWL_STYLE);
    Print(L"popup=" + Flag(style & WS_POPUP) + L" frame=" + Flag(style & (WS_CAPTION | WS_THICKFRAME)) +
          L" taskbar=" + Flag(GetWindowLongW(player, GWL_EXSTYLE) & WS_EX_APPWINDOW) + L" zoomed=" +
          Flag(IsZoomed(player)) + L" iconic=" + Flag(IsIconic(player)) + L" client=" + Rect(client) +
          L" control=" + Rect(control) + L" screen=" + std::to_wstring(GetSystemMetrics(SM_CXSCREEN)) + L"," +
          std::to_wstring(GetSystemMetrics(SM_CYSCREEN)));
    return 0;
}

int Resize(int width, int height)
{
    HWND player = Player();
    ShowWindow(player, SW_RESTORE);
    return SetWindowPos(player, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
}

int Dialog(int seconds)
{
    HWND dialog = WaitFor(VisibleDialog, seconds);
    Print(dialog ? L"filter=" + Text(GetDlgItem(dialog, 0x470)) + L" owner=" + Flag(GetWindow(dialog, GW_OWNER))
                 : L"none");
    return 0;
}

int Press(int button, const wchar_t* path)
{
    HWND dialog = VisibleDialog();
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

// The programs report a failure with the system's text for its code, or with the code
// itself where the system has none.
int Report(int seconds, const wchar_t* hex)
{
    std::wstring shown;
    for (HWND child = GetWindow(WaitFor(VisibleDialog, seconds), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t name[16];
        GetClassNameW(child, name, 16);
        if (lstrcmpiW(name, L"Static") == 0 && !Text(child).empty())
            shown = Text(child);
    }
    const DWORD code = wcstoul(hex, nullptr, 16);
    wchar_t* text = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    wchar_t number[16];
    wsprintfW(number, L"0x%08X", static_cast<unsigned>(code));
    const std::wstring expected = Trimmed(text ? text : number);
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
    if (!dialog)
        return 1;
    const LONG style = GetWindowLongW(dialog, GWL_STYLE), exStyle = GetWindowLongW(dialog, GWL_EXSTYLE);
    HWND owner = GetWindow(dialog, GW_OWNER);
    RECT frame, client;
    GetWindowRect(dialog, &frame);
    GetClientRect(dialog, &client);
    const bool centred = std::abs(frame.left + frame.right - GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
                         std::abs(frame.top + frame.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 1;
    Print(Text(dialog) + L" closebox=" + Flag(style & WS_SYSMENU) + L" minmax=" +
          Flag(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) + L" sizable=" + Flag(style & WS_THICKFRAME) + L" modal=" +
          Flag(exStyle & WS_EX_DLGMODALFRAME) + L" taskbar=" + Flag(exStyle & WS_EX_APPWINDOW || !owner || IsWindowVisible(owner)) +
          L" client=" + Rect(client) + L" centred=" + Flag(centred));
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
    const wchar_t* arg = argc > 2 ? argv[2] : L"";
    const int number = _wtoi(arg), second = argc > 3 ? _wtoi(argv[3]) : 0;
    const UINT message = argc > 3 ? wcstoul(argv[3], nullptr, 0) : 0;
    const WPARAM wParam = argc > 4 ? wcstoul(argv[4], nullptr, 0) : 0;
    if (command == L"start") return Start(arg);
    if (command == L"open") return Open(arg);
    if (command == L"window") return Window(number);
    if (command == L"resize") return Resize(number, second);
    if (command == L"minimize") return ShowWindow(Player(), SW_MINIMIZE) ? 0 : 1;
    if (command == L"close") return PostMessageW(Player(), WM_CLOSE, 0, 0) ? 0 : 1;
    // The stand-in fires inside the player; a ping, posted behind whatever the player has
    // posted, shows in the log once the player has run it all.
    if (command == L"fire") return SendMessageW(GetWindow(Player(), GW_CHILD), kFireMessage, number, second);
    if (command == L"ping") return PostMessageW(GetWindow(Player(), GW_CHILD), kPingMessage, 0, 0) ? 0 : 1;
    if (command == L"dialog") return Dialog(number);
    if (command == L"ok") return Press(IDOK, argc > 2 ? arg : nullptr);
    if (command == L"cancel") return Press(IDCANCEL, nullptr);
    if (command == L"report" && argc > 3) return Report(number, argv[3]);
    if (command == L"resources") {
        PrintResources(arg);
        return 0;
    }
    if (command == L"send") {
        DWORD_PTR result = 0;
        SendMessageTimeoutW(OptionsItem(number), message, wParam, 0, SMTO_NORMAL, 60000, &result);
        Print(std::to_wstring(result));
        return 0;
    }
    if (command == L"post") return PostMessageW(OptionsItem(number), message, wParam, 0) ? 0 : 1;
    if (command == L"layout") return Layout();
    Print(L"usage: see Probe.cpp");
    return 2;
}
