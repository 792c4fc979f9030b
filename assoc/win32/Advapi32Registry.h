#pragma once
// The native registry port over advapi32's narrow-character calls, argument for argument.
#include "RegM.h"

class Advapi32Registry final : public NativeRegistry {
public:
    std::int32_t RegCreateKeyExA(std::uint32_t hive, const std::string& subKey, std::uint32_t reserved,
                                 const char* keyClass, std::uint32_t options, std::uint32_t samDesired,
                                 const SecurityAttributes* security, Key* result,
                                 std::uint32_t* disposition) override;
    std::int32_t RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) override;
    std::int32_t RegCloseKey(Key key) override;
};
