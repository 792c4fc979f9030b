#pragma once
// Registry access by full path: "HIVE\key\path\value", a trailing backslash naming
// the key's default value. Strings and numbers go through the script host's shell
// object, byte arrays through the native registry. Nothing here reports an error.
#include "AnsiCodePage.h"
#include "Text.h"
#include "Variant.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The script host's shell object (WScript.Shell): one is created for each call.
struct ScriptShell {
    virtual ~ScriptShell() = default;
    // The value at the path, or nothing when the host raises an error (missing key or
    // value, access refused).
    virtual std::optional<Variant> RegRead(const Text& path) = 0;
    // Creates missing keys; false when the host raises an error.
    virtual bool RegWrite(const Text& path, const Variant& value, const Text& type) = 0;
};

struct ScriptShellFactory {
    // Nothing when the object cannot be created.
    virtual std::unique_ptr<ScriptShell> CreateScriptShell() = 0;

protected:
    ~ScriptShellFactory() = default;
};

inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003;
inline constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005;

inline constexpr std::uint32_t kRegBinary = 3;
// Read-control plus query, set, create-sub-key, enumerate, notify and create-link.
inline constexpr std::uint32_t kKeyAccessForBinaryWrite = 0x2003F;

// The narrow-character registry calls, argument for argument; 0 means success.
struct NativeRegistry {
    using Key = std::uintptr_t;
    struct SecurityAttributes {
        std::uint32_t nLength = 0;
        std::uintptr_t lpSecurityDescriptor = 0;
        std::int32_t bInheritHandle = 0;
    };

    virtual std::int32_t RegCreateKeyExA(std::uint32_t hive, const std::string& subKey, std::uint32_t reserved,
                                         const char* keyClass, std::uint32_t options, std::uint32_t samDesired,
                                         const SecurityAttributes* security, Key* result,
                                         std::uint32_t* disposition) = 0;
    virtual std::int32_t RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved,
                                        std::uint32_t type, const std::uint8_t* data, std::uint32_t size) = 0;
    virtual std::int32_t RegCloseKey(Key key) = 0;

protected:
    ~NativeRegistry() = default;
};

struct RegPorts {
    ScriptShellFactory& scriptShell;
    NativeRegistry& native;
    const AnsiCodePage& codePage;
};

// The value if it is a string, else the empty string; also on any failure.
Text RegReadString(const Text& path, const RegPorts& ports);
// True when written. Types: 2, 3, 17 as "REG_DWORD" and 8 as "REG_SZ" through the
// script host; 8209 as a binary value through the native registry; others: false.
bool RegWriteValue(const Text& path, const Variant& value, const RegPorts& ports);
// The hive handle (0 when not recognised), key path and value name.
std::uint32_t RegSplitPath(const Text& path, Text& keyPath, Text& valueName);
