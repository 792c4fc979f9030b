// The whole dialog call with a dialog that writes fuzzed bytes into the file buffer.
#include "ComdlgM.h"
#include "DoubleByteCodePage.h"
#include "FuzzInput.h"

#include <algorithm>

namespace {

struct FuzzedDialog final : OpenFileDialogApi {
    std::string written;
    std::int32_t returned = 0;
    DialogCall GetOpenFileNameA(OpenFileNameAnsi& record) override
    {
        FUZZ_ASSERT(record.lpstrFile && record.lpstrFile->size() == record.nMaxFile);
        std::copy_n(written.begin(), std::min(written.size(), record.lpstrFile->size()), record.lpstrFile->begin());
        return {returned, {}};
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    DoubleByteCodePage codePage;
    FuzzedDialog dialog;
    dialog.returned = in.Byte() % 2;
    dialog.written = in.BytesPart(2048);
    const Text filter = in.TextPart(), dir = in.TextPart(), title = in.TextPart();

    const OpenDialogResult result = ShowOpenDialog(filter, dir, title, 0, {codePage, dialog, 0});

    FUZZ_ASSERT(!result.error);
    FUZZ_ASSERT(result.path.find(u'\0') == Text::npos);
    FUZZ_ASSERT(result.path.size() < kFileBufferLength);
    if (dialog.returned == 0)
        FUZZ_ASSERT(result.path.empty());
    return 0;
}
