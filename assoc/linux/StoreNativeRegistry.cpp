#include "StoreNativeRegistry.h"

namespace {

constexpr std::int32_t kErrorSuccess = 0;
constexpr std::int32_t kErrorInvalidHandle = 6;
constexpr std::int32_t kErrorInvalidParameter = 87;
constexpr std::int32_t kErrorBadPathname = 161;
constexpr std::int32_t kErrorRegistryIoFailed = 1016;
constexpr std::uint32_t kCreatedNewKey = 1;
constexpr std::uint32_t kOpenedExistingKey = 2;

// Nothing when a name between backslashes is empty.
std::optional<std::vector<Text>> KeyNames(const Text& subKey)
{
    std::vector<Text> names;
    for (std::size_t start = 0; !subKey.empty();) {
        const auto end = subKey.find(u'\\', start);
        names.push_back(subKey.substr(start, end - start));
        if (names.back().empty())
            return std::nullopt;
        if (end == Text::npos)
            break;
        start = end + 1;
    }
    return names;
}

} // namespace

std::int32_t StoreNativeRegistry::RegCreateKeyExA(std::uint32_t hive, const std::string& subKey,
                                                  std::uint32_t reserved, const char*, std::uint32_t,
                                                  std::uint32_t, const SecurityAttributes*, Key* result,
                                                  std::uint32_t* disposition)
{
    if (!RegistryStore::KnowsHive(hive))
        return kErrorInvalidHandle;
    if (!result || reserved != 0)
        return kErrorInvalidParameter;
    auto names = KeyNames(codePage_.FromAnsi(subKey));
    if (!names)
        return kErrorBadPathname;
    bool created = false;
    const auto id = store_ ? store_->CreateKey({hive, std::move(*names)}, &created) : std::nullopt;
    if (!id)
        return kErrorRegistryIoFailed;
    *result = nextKey_++;
    open_.emplace(*result, *id);
    if (disposition)
        *disposition = created ? kCreatedNewKey : kOpenedExistingKey;
    return kErrorSuccess;
}

std::int32_t StoreNativeRegistry::RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved,
                                                 std::uint32_t type, const std::uint8_t* data, std::uint32_t size)
{
    const auto open = open_.find(key);
    if (open == open_.end())
        return kErrorInvalidHandle;
    if (reserved != 0 || type != kRegBinary || (!data && size != 0))
        return kErrorInvalidParameter;
    auto bytes = data ? Variant::Bytes(data, data + size) : Variant::Bytes();
    const bool written = store_->Write(open->second, codePage_.FromAnsi(valueName), Variant::ByteArray(std::move(bytes)));
    return written ? kErrorSuccess : kErrorRegistryIoFailed;
}

std::int32_t StoreNativeRegistry::RegCloseKey(Key key)
{
    return open_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}
