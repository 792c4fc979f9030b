// The argument text and the dialog's answer turn into the media path.
#include "FuzzInput.h"
#include "Module1.h"

namespace {

struct Ports final : StartupPorts, FileNameRule {
    Text argumentText, dialogPath;
    bool everyQuotedNameExists = false;
    bool asked = false, shown = false, ended = false;
    Text ArgumentText() override { return argumentText; }
    const FileNameRule& FileNames() const override { return *this; }
    bool QuotedNameExists(TextView) const override { return everyQuotedNameExists; }
    OpenDialogResult ShowOpenDialog(TextView, TextView, TextView, NativeHandle) override
    {
        asked = true;
        return {dialogPath, {}};
    }
    PlatformError ShowForm1() override { shown = true; return {}; }
    void EndProgram() override { ended = true; }
    void ReportErrorAndEnd(PlatformError) override { __builtin_trap(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    Ports ports;
    ports.everyQuotedNameExists = in.Byte() & 1;
    ports.dialogPath = in.TextPart();
    ports.argumentText = in.RestAsText();
    Main(ports);

    // Where every name may be what it says, nothing is taken away.
    const Text stripped = ports.everyQuotedNameExists ? ports.argumentText : RemoveDoubleQuotes(ports.argumentText);
    FUZZ_ASSERT(ports.asked == stripped.empty());
    FUZZ_ASSERT(gMediaPath == (stripped.empty() ? ports.dialogPath : stripped));
    FUZZ_ASSERT(ports.shown != ports.ended);
    FUZZ_ASSERT(ports.shown == !gMediaPath.empty());
    return 0;
}
