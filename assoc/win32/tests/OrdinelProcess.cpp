#include "OrdinelProcess.h"

#include "OptionsControls.h"

namespace {

constexpr DWORD kPatience = 60000;
constexpr DWORD kPoll = 50;

struct Search {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM parameter)
{
    auto* search = reinterpret_cast<Search*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (owner == search->processId && IsWindowVisible(window) && std::wstring(className) == kOptionsWindowClass) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

} // namespace

std::wstring BuildFolder()
{
    wchar_t path[MAX_PATH * 2] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 2);
    std::wstring folder(path);
    return folder.substr(0, folder.rfind(L'\\'));
}

std::wstring InstallCopy(const std::wstring& folder)
{
    for (std::size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1))
        CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + (folder.back() == L'\\' ? L"" : L"\\") + L"Ordinel.exe";
    CopyFileW((BuildFolder() + L"\\Ordinel.exe").c_str(), copy.c_str(), FALSE);
    return copy;
}

OrdinelProcess::OrdinelProcess(const std::wstring& exe)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exe + L"\"";
    CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_);
}

OrdinelProcess::~OrdinelProcess()
{
    if (!info_.hProcess)
        return;
    if (!Exited(0)) {
        TerminateProcess(info_.hProcess, 1);
        WaitForSingleObject(info_.hProcess, kPatience);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

HWND OrdinelProcess::Dialog()
{
    // Ready once shown and active with the focus inside: a click that came earlier
    // could lose its mouse capture to the activation.
    for (DWORD waited = 0; !dialog_ && info_.hProcess && waited < kPatience; waited += kPoll) {
        Search search{info_.dwProcessId, nullptr};
        EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&search));
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        if (search.found && GetGUIThreadInfo(info_.dwThreadId, &thread) && thread.hwndActive == search.found &&
            IsChild(search.found, thread.hwndFocus))
            dialog_ = search.found;
        else if (WaitForSingleObject(info_.hProcess, kPoll) == WAIT_OBJECT_0)
            break;
    }
    return dialog_;
}

void OrdinelProcess::Click(int id)
{
    // Posted, as input is: the dialog may end the process while handling it.
    PostMessageW(Control(id), BM_CLICK, 0, 0);
}

bool OrdinelProcess::Exited(DWORD milliseconds)
{
    return info_.hProcess && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kPatience, &result);
    return static_cast<LRESULT>(result);
}

std::wstring WindowText(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}
