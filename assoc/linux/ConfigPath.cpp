#include "ConfigPath.h"

#include <cstdlib>

namespace {

// The XDG rules ignore relative paths: they would depend on the working folder.
std::filesystem::path AbsoluteFromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    if (!value)
        return {};
    std::filesystem::path path(value);
    return path.is_absolute() ? path : std::filesystem::path();
}

} // namespace

std::filesystem::path RegistryStorePath()
{
    auto config = AbsoluteFromEnvironment("XDG_CONFIG_HOME");
    if (config.empty()) {
        const auto home = AbsoluteFromEnvironment("HOME");
        if (home.empty())
            return {};
        config = home / ".config";
    }
    return config / "pexalo" / "registry.sqlite3";
}
