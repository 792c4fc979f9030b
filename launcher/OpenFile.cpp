// pexalo-open FILE: opens FILE with the program that the registry store associates
// with its type, as the Windows shell would. The program is started directly, never
// through a shell, so the file's path reaches it as one argument whatever it holds.
// Status: 2 for a wrong call, 1 when nothing is associated, 127 when the registered
// program cannot be started; otherwise the started program's own.
#include "CommandLine.h"
#include "ConfigPath.h"
#include "ShellAssociation.h"
#include "StoreScriptShell.h"
#include "LocaleCodePage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <unistd.h>

namespace {

int Fail(int status, const std::string& message)
{
    std::fprintf(stderr, "pexalo-open: %s\n", message.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2)
        return Fail(2, "usage: pexalo-open FILE");
    std::error_code error;
    const std::string file = std::filesystem::absolute(argv[1], error).lexically_normal().string();
    if (error)
        return Fail(1, std::string(argv[1]) + ": " + error.message());

    const LocaleCodePage codePage;
    const Text extension = ExtensionOf(codePage.FromAnsi(file));
    const auto storePath = RegistryStorePath();
    const auto store = RegistryStore::Open(storePath);
    if (!store)
        return Fail(1, "cannot open the registry store \"" + storePath.string() + "\"");
    StoreScriptShellFactory registry(store.get());
    const auto command = OpenCommandFor(extension, registry);
    if (!command)
        return Fail(1, "no program is associated with files of type \"" + codePage.ToAnsi(extension) + "\": " + file);

    auto arguments = SubstituteFile(SplitCommandLine(codePage.ToAnsi(*command)), file);
    std::vector<char*> pointers;
    for (std::string& argument : arguments)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    execv(pointers[0], pointers.data());
    return Fail(127, "cannot start " + arguments[0] + ": " + std::strerror(errno));
}
