#pragma once
// A desktop of the test program's own: a temporary home whose XDG folders hold nothing
// but what the tests put there. Set up before GLib first reads the environment, since
// GLib keeps the folders it found for the life of the process.
#include <filesystem>
#include <string>

class TestDesktop {
public:
    static TestDesktop& Get();
    // Empties the user's folders between tests.
    void Clear() const;

    const std::filesystem::path root;
    const std::filesystem::path config = root / "config";  // XDG_CONFIG_HOME
    const std::filesystem::path data = root / "data";      // XDG_DATA_HOME
    const std::filesystem::path mimeApps = config / "mimeapps.list";
    const std::filesystem::path entry = data / "applications" / "ordinel-rmfile.desktop";
    // A folder with a blank and a dollar sign, holding an executable "Pexalo".
    const std::filesystem::path app = root / "my apps $1";

private:
    TestDesktop();
};

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& contents);
