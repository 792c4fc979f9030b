// The argument text and the dialog's answer turn into the media path, and the window opens
// exactly when there is one.
#include "FuzzInput.h"
#include "PlayerRecorder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    Recorder ports;
    const bool everyQuotedNameExists = in.Byte() & 1;
    ports.chosenPath = in.TextPart();
    ports.argumentText = in.RestAsText();
    if (everyQuotedNameExists)
        ports.quotedNames = {ports.argumentText};
    Main(ports);

    // Where every name may be what it says, nothing is taken away.
    const Text stripped = everyQuotedNameExists ? ports.argumentText : RemoveDoubleQuotes(ports.argumentText);
    FUZZ_ASSERT(gMediaPath == (stripped.empty() ? ports.chosenPath : stripped));
    const bool asked = ports.log.front().starts_with("ShowOpenDialog");
    FUZZ_ASSERT(asked == stripped.empty() && ports.log.size() == 1u + asked);
    FUZZ_ASSERT(ports.log.back() == (gMediaPath.empty() ? "EndProgram" : "ShowForm1 " + Recorder::Ansi(gMediaPath)));
    return 0;
}
