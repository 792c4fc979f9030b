// The yardstick for the association tool's start-up: the least a Windows program does to
// show a small dialog with the same caption, from a template in memory. It stays open
// until it is closed, as the options dialog does.
#include <windows.h>

#include <initializer_list>

namespace {

// A dialog template is a run of 16-bit words; each item starts on a 32-bit boundary.
class DialogTemplate {
public:
    void Dialog(DWORD style, short items, short width, short height, const wchar_t* caption)
    {
        Long(style);
        Long(0);
        Words({static_cast<WORD>(items), 0, 0, static_cast<WORD>(width), static_cast<WORD>(height)});
        Words({0, 0});  // no menu, the standard class
        Text(caption);
    }
    void Button(DWORD style, short x, short y, short width, short height, WORD id, const wchar_t* caption)
    {
        if (used_ % 2)
            words_[used_++] = 0;
        Long(WS_CHILD | WS_VISIBLE | WS_TABSTOP | style);
        Long(0);
        Words({static_cast<WORD>(x), static_cast<WORD>(y), static_cast<WORD>(width), static_cast<WORD>(height), id});
        Words({0xFFFF, 0x0080});  // the predefined button class
        Text(caption);
        Words({0});  // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_); }

private:
    void Long(DWORD value) { Words({LOWORD(value), HIWORD(value)}); }
    void Words(std::initializer_list<WORD> words)
    {
        for (WORD word : words)
            words_[used_++] = word;
    }
    void Text(const wchar_t* text)
    {
        do
            words_[used_++] = static_cast<WORD>(*text);
        while (*text++);
    }

    alignas(DWORD) WORD words_[256] = {};
    int used_ = 0;
};

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    // The close box arrives as IDCANCEL.
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    DialogTemplate dialog;
    dialog.Dialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME | DS_CENTER, 3, 200, 120,
                  L"オプション");
    dialog.Button(BS_AUTOCHECKBOX, 10, 10, 120, 12, 100, L".rm");
    dialog.Button(BS_DEFPUSHBUTTON, 34, 98, 50, 14, IDOK, L"OK");
    dialog.Button(BS_PUSHBUTTON, 90, 98, 50, 14, IDCANCEL, L"Cancel");
    DialogBoxIndirectParamW(instance, dialog.Get(), nullptr, DialogProc, 0);
    return 0;
}
