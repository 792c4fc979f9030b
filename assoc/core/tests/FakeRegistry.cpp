#include "FakeRegistry.h"

#include <algorithm>

namespace {

char16_t Folded(char16_t c)
{
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

class FakeShell final : public ScriptShell {
public:
    explicit FakeShell(FakeRegistry& registry) : registry_(registry) { ++registry_.shellsAlive; }
    ~FakeShell() override { --registry_.shellsAlive; }

    std::optional<Variant> RegRead(const Text& path) override
    {
        const auto found = registry_.values.find(path);
        if (found == registry_.values.end())
            return std::nullopt;
        return found->second;
    }

    bool RegWrite(const Text& path, const Variant& value, const Text& type) override
    {
        registry_.scriptWrites.push_back({path, value.Type(), value.Deref(), type});
        if (registry_.refusedWrites.count(path))
            return false;
        registry_.values[path] = value.Deref();
        return true;
    }

private:
    FakeRegistry& registry_;
};

} // namespace

bool RegistryNameLess::operator()(TextView a, TextView b) const
{
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char16_t x, char16_t y) { return Folded(x) < Folded(y); });
}

std::unique_ptr<ScriptShell> FakeRegistry::CreateScriptShell()
{
    if (shellUnavailable)
        return nullptr;
    ++shellsCreated;
    return std::make_unique<FakeShell>(*this);
}

std::int32_t FakeRegistry::RegCreateKeyExA(std::uint32_t hive, const std::string& subKey, std::uint32_t reserved,
                                           const char* keyClass, std::uint32_t options, std::uint32_t samDesired,
                                           const SecurityAttributes* security, Key* result,
                                           std::uint32_t* disposition)
{
    createKeyCalls.push_back({hive, subKey, reserved, keyClass == nullptr, keyClass ? keyClass : "", options,
                              samDesired, security == nullptr, security ? *security : SecurityAttributes{},
                              result == nullptr, disposition == nullptr});
    nativeLog.push_back("create");
    if (createKeyResult != 0)
        return createKeyResult;
    const Key key = nextKey_++;
    openKeys_[key] = {hive, subKey};
    *result = key;
    return 0;
}

std::int32_t FakeRegistry::RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved,
                                          std::uint32_t type, const std::uint8_t* data, std::uint32_t size)
{
    nativeLog.push_back("set " + std::to_string(key));
    lastSetReserved = reserved;
    lastSetType = type;
    if (setValueResult != 0 || !openKeys_.count(key))
        return setValueResult != 0 ? setValueResult : 6;
    const auto& [hive, subKey] = openKeys_[key];
    binaryValues[{hive, subKey, valueName}] = Variant::Bytes(data, data + size);
    return 0;
}

std::int32_t FakeRegistry::RegCloseKey(Key key)
{
    nativeLog.push_back("close " + std::to_string(key));
    return openKeys_.erase(key) ? 0 : 6;
}
