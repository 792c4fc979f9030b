#include "TestDesktop.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

std::filesystem::path MakeRoot()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "ordinel-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("mkdtemp failed");
    return pattern;
}

} // namespace

TestDesktop& TestDesktop::Get()
{
    static TestDesktop desktop;
    return desktop;
}

TestDesktop::TestDesktop() : root(MakeRoot())
{
    for (const auto& [name, folder] : {std::pair{"HOME", root}, {"XDG_CONFIG_HOME", config}, {"XDG_DATA_HOME", data},
                                       {"XDG_CONFIG_DIRS", root / "etc"}, {"XDG_DATA_DIRS", root / "share"}})
        setenv(name, folder.c_str(), 1);
    // Another player, installed for everyone and the system's default for RealMedia files.
    WriteFile(root / "share" / "applications" / "foo-player.desktop",
              "[Desktop Entry]\nType=Application\nName=Foo Player\nExec=true %f\n");
    WriteFile(root / "etc" / "mimeapps.list", "[Default Applications]\napplication/vnd.rn-realmedia=foo-player.desktop\n");
    std::filesystem::create_directories(app);
    WriteFile(app / "Pexalo", "#!/bin/sh\n");
    std::filesystem::permissions(app / "Pexalo", std::filesystem::perms::owner_all);
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(Get().root, ignored);
    });
}

void TestDesktop::Clear() const
{
    for (const auto& folder : {config, data})
        std::filesystem::remove_all(folder);
}

std::string ReadFile(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

void WriteFile(const std::filesystem::path& file, const std::string& contents)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
}
