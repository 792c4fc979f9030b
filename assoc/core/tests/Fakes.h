#pragma once
// The association core's fakes, for its tests and fuzzer: the registry and the dialog's window.
#include "TestCodePage.h"
#include "frmOptions.h"

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

// The full path of each of the association's places, in their order.
inline const auto kAssociationPaths = [] {
    std::array<Text, kAssociationPlaces.size()> paths;
    for (std::size_t i = 0; i < paths.size(); ++i)
        paths[i] = PathOf(kAssociationPlaces[i].place);
    return paths;
}();

// Both registry ports over one in-memory store. Every write and native call is logged with
// its arguments, in order, and every failure the platform can give is available on request.
struct FakeRegistry final : ScriptShellFactory, NativeRegistry {
    std::map<Text, Variant> values;  // the script host's, by full path
    std::set<Text> refusedWrites;
    bool shellUnavailable = false;
    std::int32_t createKeyResult = 0, setValueResult = 0;
    // "<type> <path>" for the script host; "create", "set" and "close" for the native registry.
    std::vector<std::string> calls;
    TestCodePage codePage;

    RegPorts Ports() { return {*this, *this, codePage}; }

    std::unique_ptr<ScriptShell> CreateScriptShell() override
    {
        return shellUnavailable ? nullptr : std::make_unique<Shell>(*this);
    }

    std::int32_t RegCreateKeyExA(std::uint32_t hive, const std::string& subKey, std::uint32_t reserved, const char*,
                                 std::uint32_t options, std::uint32_t samDesired, const SecurityAttributes*,
                                 Key* result, std::uint32_t*) override
    {
        calls.push_back("create " + std::to_string(hive) + " " + subKey + " " + std::to_string(reserved) + " " +
                        std::to_string(options) + " " + std::to_string(samDesired));
        *result = 4096;
        return createKeyResult;
    }

    std::int32_t RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) override
    {
        calls.push_back("set " + std::to_string(key) + " " + valueName + " " + std::to_string(reserved) + " " +
                        std::to_string(type) + " " + std::string(data, data + size));
        return setValueResult;
    }

    std::int32_t RegCloseKey(Key key) override
    {
        calls.push_back("close " + std::to_string(key));
        return 0;
    }

    struct Shell final : ScriptShell {
        FakeRegistry& registry;
        explicit Shell(FakeRegistry& r) : registry(r) {}

        std::optional<Variant> RegRead(const Text& path) override
        {
            const auto found = registry.values.find(path);
            return found == registry.values.end() ? std::nullopt : std::optional(found->second);
        }
        bool RegWrite(const Text& path, const Variant& value, const Text& type) override
        {
            registry.calls.push_back(registry.codePage.ToAnsi(type + u" " + path));
            if (registry.refusedWrites.contains(path))
                return false;
            registry.values[path] = value.Deref();
            return true;
        }
    };
};

// Logs what the dialog shows and does.
struct FakeWindow final : OptionsWindow {
    std::optional<Text> appPath;
    std::int16_t check1 = kUnchecked;
    std::vector<std::string> log;

    std::optional<Text> AppPath() override { return appPath; }
    std::int16_t Check1Value() override { return check1; }
    void SetCheck1Value(std::int16_t value) override
    {
        check1 = value;
        log.push_back("Check1 " + std::to_string(value));
    }
    void Unload() override { log.push_back("Unload"); }
    void AssociationsChanged() override { log.push_back("AssociationsChanged"); }
};
