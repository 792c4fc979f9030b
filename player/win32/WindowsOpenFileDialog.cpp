#include "WindowsOpenFileDialog.h"

#include <windows.h>
#include <commdlg.h>

#include <cstddef>

// The dialog reads only the record's first 76 bytes: the layout that ends with lpTemplateName.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == kOpenFileNameSize);

namespace {

// Null for an unset text; otherwise the string's own buffer, so the dialog writes in place.
char* Pointer(std::optional<std::string>& text) { return text ? text->data() : nullptr; }

} // namespace

DialogCall WindowsOpenFileDialog::GetOpenFileNameA(OpenFileNameAnsi& record)
{
    OPENFILENAMEA ofn{};
    ofn.lStructSize = record.lStructSize;
    ofn.hwndOwner = reinterpret_cast<HWND>(record.hwndOwner);
    ofn.hInstance = reinterpret_cast<HINSTANCE>(record.hInstance);
    ofn.lpstrFilter = Pointer(record.lpstrFilter);
    ofn.lpstrCustomFilter = Pointer(record.lpstrCustomFilter);
    ofn.nMaxCustFilter = record.nMaxCustFilter;
    ofn.nFilterIndex = record.nFilterIndex;
    ofn.lpstrFile = Pointer(record.lpstrFile);
    ofn.nMaxFile = record.nMaxFile;
    ofn.lpstrFileTitle = Pointer(record.lpstrFileTitle);
    ofn.nMaxFileTitle = record.nMaxFileTitle;
    ofn.lpstrInitialDir = Pointer(record.lpstrInitialDir);
    ofn.lpstrTitle = Pointer(record.lpstrTitle);
    ofn.Flags = record.Flags;
    ofn.lpstrDefExt = Pointer(record.lpstrDefExt);
    ofn.lCustData = static_cast<LPARAM>(record.lCustData);
    ofn.lpfnHook = reinterpret_cast<LPOFNHOOKPROC>(record.lpfnHook);
    ofn.lpTemplateName = Pointer(record.lpTemplateName);

    const BOOL chosen = ::GetOpenFileNameA(&ofn);

    // The texts were written in place; the numbers the dialog may change come back here.
    record.nFilterIndex = ofn.nFilterIndex;
    record.Flags = ofn.Flags;
    record.nFileOffset = ofn.nFileOffset;
    record.nFileExtension = ofn.nFileExtension;
    return {chosen, {}};
}
