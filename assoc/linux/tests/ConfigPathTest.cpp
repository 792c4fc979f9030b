#include "ConfigPath.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Sets or clears an environment variable for one scope.
struct ScopedEnvironment {
    ScopedEnvironment(const char* name, const char* value) : name(name)
    {
        if (const char* was = std::getenv(name))
            old = was;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { old ? setenv(name, old->c_str(), 1) : unsetenv(name); }
    const char* name;
    std::optional<std::string> old;
};

TEST(RegistryStorePath, FollowsTheXdgRules)
{
    struct Case { const char* fault; const char* configHome; const char* home; const char* expected; } const cases[] = {
        {"XDG_CONFIG_HOME ignored", "/cfg", "/home/u", "/cfg/pexalo/registry.sqlite3"},
        {"no fallback to ~/.config", nullptr, "/home/u", "/home/u/.config/pexalo/registry.sqlite3"},
        {"empty XDG_CONFIG_HOME taken", "", "/home/u", "/home/u/.config/pexalo/registry.sqlite3"},
        {"relative XDG_CONFIG_HOME taken", "cfg", "/home/u", "/home/u/.config/pexalo/registry.sqlite3"},
        {"relative HOME taken", nullptr, "home", ""},
        {"a path without any home", nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ScopedEnvironment config("XDG_CONFIG_HOME", c.configHome);
        ScopedEnvironment home("HOME", c.home);
        EXPECT_EQ(RegistryStorePath().string(), c.expected);
    }
}

} // namespace
