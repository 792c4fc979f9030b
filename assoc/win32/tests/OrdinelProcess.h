#pragma once
// Runs a copy of Ordinel.exe and finds its dialog, as a user's session would see it.
// Every wait polls with a generous limit, so a busy machine only makes tests slower.
#include <windows.h>

#include <string>

// The folder of this test program, where the build puts Ordinel.exe too.
std::wstring BuildFolder();
// Copies the built Ordinel.exe into folder (created if need be); the copy's full path.
std::wstring InstallCopy(const std::wstring& folder);

class OrdinelProcess {
public:
    explicit OrdinelProcess(const std::wstring& exe);
    OrdinelProcess(const OrdinelProcess&) = delete;
    OrdinelProcess& operator=(const OrdinelProcess&) = delete;
    ~OrdinelProcess();  // ends a copy that is still running

    // The visible dialog, or null when none appeared in time.
    HWND Dialog();
    HWND Control(int id) { return GetDlgItem(Dialog(), id); }
    // Presses a button or the check box the way a mouse click does.
    void Click(int id);
    DWORD ThreadId() const { return info_.dwThreadId; }
    bool Exited(DWORD milliseconds = 60000);

private:
    PROCESS_INFORMATION info_{};
    HWND dialog_ = nullptr;
};

// Sends a message and waits for the answer, giving up after a generous limit.
LRESULT SendAndWait(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring WindowText(HWND window);
