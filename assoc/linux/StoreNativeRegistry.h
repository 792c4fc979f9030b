#pragma once
// The narrow-character registry calls over the store. Key handles live in this object
// until RegCloseKey; only binary values are set this way. Error codes are the
// registry's own (ERROR_INVALID_HANDLE and so on).
#include "AnsiCodePage.h"
#include "RegM.h"
#include "RegistryStore.h"

#include <map>

class StoreNativeRegistry final : public NativeRegistry {
public:
    // Without a store every call fails.
    StoreNativeRegistry(RegistryStore* store, const AnsiCodePage& codePage) : store_(store), codePage_(codePage) {}

    std::int32_t RegCreateKeyExA(std::uint32_t hive, const std::string& subKey, std::uint32_t reserved,
                                 const char* keyClass, std::uint32_t options, std::uint32_t samDesired,
                                 const SecurityAttributes* security, Key* result,
                                 std::uint32_t* disposition) override;
    std::int32_t RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved, std::uint32_t type,
                                const std::uint8_t* data, std::uint32_t size) override;
    std::int32_t RegCloseKey(Key key) override;

    std::size_t OpenKeyCount() const { return open_.size(); }

private:
    RegistryStore* store_;
    const AnsiCodePage& codePage_;
    std::map<Key, RegistryStore::KeyId> open_;
    Key nextKey_ = 0x100;
};
