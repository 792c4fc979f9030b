// Sets Ordinel's one box as a user would: starts the given Ordinel.exe, waits for its
// dialog, clicks the box if it does not already show the wanted state, and presses OK.
//   OrdinelDriver 1|0 EXE [HOLD]
// With HOLD (a file path), the dialog stays as it opened until that file exists, so that
// a test can look at it first. Prints "shown=<state the box opened with>", then "ended"
// once the program has ended.
#include "OptionsControls.h"
#include "OrdinelProcess.h"

#include <windows.h>

#include <string>

namespace {

void Print(const std::wstring& line)
{
    const std::wstring text = line + L"\n";
    char out[1024];
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out, sizeof out,
                                          nullptr, nullptr);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out, static_cast<DWORD>(bytes), &written, nullptr);
}

LRESULT Checked(OrdinelProcess& ordinel) { return SendAndWait(ordinel.Control(kIdCheck1), BM_GETCHECK); }

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        Print(L"usage: OrdinelDriver 1|0 EXE [HOLD]");
        return 2;
    }
    const LRESULT wanted = _wtoi(argv[1]) == 1 ? BST_CHECKED : BST_UNCHECKED;
    OrdinelProcess ordinel(argv[2]);
    if (!ordinel.Dialog()) {
        Print(L"no dialog");
        return 1;
    }
    const LRESULT shown = Checked(ordinel);
    Print(L"shown=" + std::to_wstring(shown));
    if (argc > 3)
        while (GetFileAttributesW(argv[3]) == INVALID_FILE_ATTRIBUTES)
            Sleep(100);
    if (shown != wanted)
        ordinel.Click(kIdCheck1);
    for (int tries = 600; Checked(ordinel) != wanted && tries > 0; --tries)
        Sleep(50);
    ordinel.Click(kIdCmdOK);
    if (!ordinel.Exited()) {
        Print(L"still running");
        return 1;
    }
    Print(L"ended");
    return 0;
}
