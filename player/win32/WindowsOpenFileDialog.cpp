#include "WindowsOpenFileDialog.h"

#include "PlatformErrorReport.h"

#include <windows.h>
#include <commdlg.h>

#include <cstddef>

// The dialog reads only the record's first 76 bytes: the layout that ends with lpTemplateName.
static_assert(offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR) == kOpenFileNameSize);

namespace {

// comdlg32 pulls in much of the shell when it loads, and the player needs it only when
// started without a file: loaded on demand, it costs nothing on the usual start.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const wchar_t* name) : module_(LoadLibraryW(name)) {}
    ~LoadedLibrary() { if (module_) FreeLibrary(module_); }
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;
    FARPROC Find(const char* name) const { return module_ ? GetProcAddress(module_, name) : nullptr; }

private:
    HMODULE module_;
};

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

    const LoadedLibrary comdlg32(L"comdlg32.dll");
    const auto getOpenFileName = reinterpret_cast<decltype(&::GetOpenFileNameA)>(
        reinterpret_cast<void (*)()>(comdlg32.Find("GetOpenFileNameA")));
    if (!getOpenFileName)
        return {0, LastPlatformError()};
    const BOOL chosen = getOpenFileName(&ofn);

    // The texts were written in place; the numbers the dialog may change come back here.
    record.nFilterIndex = ofn.nFilterIndex;
    record.Flags = ofn.Flags;
    record.nFileOffset = ofn.nFileOffset;
    record.nFileExtension = ofn.nFileExtension;
    return {chosen, {}};
}
