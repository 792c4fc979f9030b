// Splitting a registered command and putting a file's path in: the path always stays
// inside arguments, whole, whatever it holds.
#include "CommandLine.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const std::string file = in.BytesPart(256);
    const std::string command = in.BytesPart(1024);

    const std::vector<std::string> split = SplitCommandLine(command);
    const std::vector<std::string> arguments = SubstituteFile(split, file);
    FUZZ_ASSERT(arguments.size() == split.size());

    // The shell's own command with any file: exactly the program and the file.
    const std::vector<std::string> opened =
        SubstituteFile(SplitCommandLine("\"/opt/p/Pexalo\" \"%1\""), file);
    FUZZ_ASSERT(opened.size() == 2 && opened[0] == "/opt/p/Pexalo" && opened[1] == file);
    return 0;
}
