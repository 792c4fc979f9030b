// The whole dialog call with any filter, folder, title and owner, and a dialog that writes any
// bytes into the file buffer, or fails. The dialog gets its record, with the texts in the code
// page and the filter's commas as NULs; the caller gets the buffer up to its first NUL.
#include "ComdlgM.h"
#include "FuzzInput.h"
#include "TestCodePage.h"

#include <algorithm>

namespace {

constexpr NativeHandle kInstance = 0x400000;
const TestCodePage kCodePage;

struct FuzzedDialog final : OpenFileDialogApi {
    std::string written;
    DialogCall answer;
    OpenFileNameAnsi seen;

    DialogCall GetOpenFileNameA(OpenFileNameAnsi& record) override
    {
        seen = record;
        // As the real dialog does, it leaves the buffer's last byte a NUL.
        if (record.lpstrFile && record.nMaxFile > 0)
            std::copy_n(written.begin(), std::min<std::size_t>(written.size(), record.nMaxFile - 1),
                        record.lpstrFile->begin());
        return answer;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    FuzzedDialog dialog;
    dialog.answer.returned = in.Byte() % 2;
    dialog.answer.error.code = in.Byte() % 8 == 0 ? 0x8007007E : 0;
    const NativeHandle owner = in.Byte();
    dialog.written = in.BytesPart(2048);
    const Text filter = in.TextPart(), dir = in.TextPart(), title = in.TextPart();

    const OpenDialogResult result = ShowOpenDialog(filter, dir, title, owner, {kCodePage, dialog, kInstance});

    // An empty text stays a null field, so that the dialog uses its own default.
    const auto field = [](const Text& text) {
        return text.empty() ? std::nullopt : std::optional(kCodePage.ToAnsi(text));
    };
    // Each comma of the filter becomes one NUL, and two NULs end it.
    std::string filterList;
    for (char16_t unit : filter)
        filterList += unit == u',' ? std::string(1, '\0') : kCodePage.ToAnsi(TextView(&unit, 1));
    const std::string emptyBuffer(1024, '\0');
    const OpenFileNameAnsi expected{.lStructSize = 76, .hwndOwner = owner, .hInstance = kInstance,
                                    .lpstrFilter = filterList + std::string(2, '\0'), .nFilterIndex = 1,
                                    .lpstrFile = emptyBuffer, .nMaxFile = 1024, .lpstrFileTitle = emptyBuffer,
                                    .nMaxFileTitle = 1024, .lpstrInitialDir = field(dir), .lpstrTitle = field(title),
                                    .Flags = 0x81804};
    FUZZ_ASSERT(dialog.seen == expected);

    const std::string chosen = dialog.written.substr(0, std::min<std::size_t>(dialog.written.find('\0'), 1023));
    FUZZ_ASSERT(result.error.code == dialog.answer.error.code);
    FUZZ_ASSERT(result.path == (dialog.answer.returned && !dialog.answer.error ? kCodePage.FromAnsi(chosen) : Text()));
    return 0;
}
