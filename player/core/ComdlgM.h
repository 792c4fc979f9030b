#pragma once
// The standard open-file dialog, driven through its narrow-character entry point.
#include "AnsiCodePage.h"
#include "PlatformError.h"
#include "Text.h"

#include <cstdint>
#include <optional>
#include <string>

// The dialog record in its 76-byte layout, field for field. A text field that is
// unset stands for a null pointer; the core never points one at an empty text.
template <class String>
struct OpenFileName {
    std::uint32_t lStructSize = 0;
    NativeHandle hwndOwner = 0;
    NativeHandle hInstance = 0;
    std::optional<String> lpstrFilter;
    std::optional<String> lpstrCustomFilter;
    std::uint32_t nMaxCustFilter = 0;
    std::uint32_t nFilterIndex = 0;
    std::optional<String> lpstrFile;
    std::uint32_t nMaxFile = 0;
    std::optional<String> lpstrFileTitle;
    std::uint32_t nMaxFileTitle = 0;
    std::optional<String> lpstrInitialDir;
    std::optional<String> lpstrTitle;
    std::uint32_t Flags = 0;
    std::uint16_t nFileOffset = 0;
    std::uint16_t nFileExtension = 0;
    std::optional<String> lpstrDefExt;
    std::uintptr_t lCustData = 0;
    NativeHandle lpfnHook = 0;
    std::optional<String> lpTemplateName;

    bool operator==(const OpenFileName&) const = default;
};

using OpenFileNameRecord = OpenFileName<Text>;
using OpenFileNameAnsi = OpenFileName<std::string>;

inline constexpr std::uint32_t kOpenFileNameSize = 76;
inline constexpr std::uint32_t kFileBufferLength = 1024;
inline constexpr std::uint32_t kOfnExplorer = 0x80000;
inline constexpr std::uint32_t kOfnFileMustExist = 0x1000;
inline constexpr std::uint32_t kOfnPathMustExist = 0x800;
inline constexpr std::uint32_t kOfnHideReadOnly = 0x4;
inline constexpr std::uint32_t kOpenDialogFlags =
    kOfnExplorer | kOfnFileMustExist | kOfnPathMustExist | kOfnHideReadOnly;

struct DialogCall {
    std::int32_t returned = 0;   // non-zero: a file was chosen
    PlatformError error;         // the call itself could not be made
};

// GetOpenFileNameA: fills record.lpstrFile in place.
struct OpenFileDialogApi {
    virtual DialogCall GetOpenFileNameA(OpenFileNameAnsi& record) = 0;

protected:
    ~OpenFileDialogApi() = default;
};

struct ComdlgPorts {
    const AnsiCodePage& codePage;
    OpenFileDialogApi& dialog;
    NativeHandle instance;
};

struct OpenDialogResult {
    Text path;            // empty when cancelled or the dialog failed
    PlatformError error;  // raised by the steps themselves; goes on to the caller
};

// "Name,patterns,Name,patterns" becomes NUL-separated pairs ended by two NULs.
Text BuildFilterList(TextView filter);

OpenFileNameRecord BuildOpenFileRecord(TextView filter, TextView initialDir, TextView title,
                                       NativeHandle ownerWindow, NativeHandle instance);

OpenDialogResult ShowOpenDialog(TextView filter, TextView initialDir, TextView title,
                                NativeHandle ownerWindow, const ComdlgPorts& ports);
