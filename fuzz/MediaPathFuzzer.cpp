// The argument text and the dialog's answer turn into the media path.
#include "FuzzInput.h"
#include "Module1.h"

namespace {

struct Ports final : StartupPorts {
    Text argumentText, dialogPath;
    bool asked = false, shown = false, ended = false;
    Text ArgumentText() override { return argumentText; }
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
    ports.dialogPath = in.TextPart();
    ports.argumentText = in.RestAsText();
    Main(ports);

    const Text stripped = RemoveDoubleQuotes(ports.argumentText);
    FUZZ_ASSERT(ports.asked == stripped.empty());
    FUZZ_ASSERT(gMediaPath == (stripped.empty() ? ports.dialogPath : stripped));
    FUZZ_ASSERT(ports.shown != ports.ended);
    FUZZ_ASSERT(ports.shown == !gMediaPath.empty());
    return 0;
}
