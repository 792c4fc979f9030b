// Writes its arguments, program name included, each ended by a NUL byte, to the file
// named by PEXALO_TEST_RECORD: what a started program really received.
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char** argv)
{
    const char* record = std::getenv("PEXALO_TEST_RECORD");
    FILE* out = record ? std::fopen(record, "wb") : nullptr;
    if (!out)
        return 3;
    for (int i = 0; i < argc; ++i)
        std::fwrite(argv[i], 1, std::strlen(argv[i]) + 1, out);
    return std::fclose(out) == 0 ? 0 : 3;
}
