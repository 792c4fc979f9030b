#pragma once
// Both registry ports over one in-memory store, with every call recorded and every
// failure that the real platform can give available on request.
#include "RegM.h"
#include "Utf8CodePage.h"

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

// Key and value names as the registry compares them: letter case aside (ASCII is enough here).
struct RegistryNameLess {
    bool operator()(TextView a, TextView b) const;
};

class FakeRegistry final : public ScriptShellFactory, public NativeRegistry {
public:
    // Script host side: values by the full path it is handed.
    std::map<Text, Variant, RegistryNameLess> values;
    std::set<Text, RegistryNameLess> refusedWrites;
    bool shellUnavailable = false;
    int shellsCreated = 0;
    int shellsAlive = 0;

    struct ScriptWrite {
        Text path;
        std::uint16_t valueType;  // as handed in, by-reference flag included
        Variant value;
        Text type;
        bool operator==(const ScriptWrite&) const = default;
    };
    std::vector<ScriptWrite> scriptWrites;

    // Native side: binary values by hive, ANSI key path and ANSI value name.
    using NativeName = std::tuple<std::uint32_t, std::string, std::string>;
    std::map<NativeName, Variant::Bytes> binaryValues;
    std::int32_t createKeyResult = 0;
    std::int32_t setValueResult = 0;

    struct CreateKeyCall {
        std::uint32_t hive;
        std::string subKey;
        std::uint32_t reserved;
        bool classIsNull;
        std::string keyClass;
        std::uint32_t options;
        std::uint32_t samDesired;
        bool securityIsNull;
        SecurityAttributes security;
        bool resultIsNull;
        bool dispositionIsNull;
    };
    std::vector<CreateKeyCall> createKeyCalls;
    // In call order: "create", "set <key>", "close <key>".
    std::vector<std::string> nativeLog;
    std::uint32_t lastSetReserved = 0, lastSetType = 0;

    Utf8CodePage codePage;

    RegPorts Ports() { return {*this, *this, codePage}; }

    std::unique_ptr<ScriptShell> CreateScriptShell() override;
    std::int32_t RegCreateKeyExA(std::uint32_t hive, const std::string& subKey, std::uint32_t reserved,
                                 const char* keyClass, std::uint32_t options, std::uint32_t samDesired,
                                 const SecurityAttributes* security, Key* result,
                                 std::uint32_t* disposition) override;
    std::int32_t RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) override;
    std::int32_t RegCloseKey(Key key) override;

private:
    std::map<Key, std::pair<std::uint32_t, std::string>> openKeys_;
    Key nextKey_ = 0x1000;
};
