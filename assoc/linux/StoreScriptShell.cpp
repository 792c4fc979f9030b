#include "StoreScriptShell.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<TextView, std::uint32_t>, 8> kHives{{
    {u"HKCR", kHkeyClassesRoot},
    {u"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
    {u"HKCU", kHkeyCurrentUser},
    {u"HKEY_CURRENT_USER", kHkeyCurrentUser},
    {u"HKLM", kHkeyLocalMachine},
    {u"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
    {u"HKEY_USERS", kHkeyUsers},
    {u"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig},
}};

// The value to store for a registry type named by the host, or nothing when the value
// does not fit that type.
std::optional<Variant> Converted(const Variant& value, const Text& type)
{
    const VarType code = value.ValueType();
    if (type == u"REG_SZ" && code == VarType::BStr)
        return Variant::String(value.AsString());
    if (type != u"REG_DWORD")
        return std::nullopt;
    switch (code) {
    case VarType::I2: return Variant::I4(value.AsI2());
    case VarType::I4: return Variant::I4(value.AsI4());
    case VarType::UI1: return Variant::I4(value.AsUI1());
    default: return std::nullopt;
    }
}

class StoreScriptShell final : public ScriptShell {
public:
    explicit StoreScriptShell(RegistryStore& store) : store_(store) {}

    std::optional<Variant> RegRead(const Text& path) override
    {
        const auto parsed = ParseScriptHostPath(path);
        return parsed ? store_.Read(parsed->key, parsed->valueName) : std::nullopt;
    }

    bool RegWrite(const Text& path, const Variant& value, const Text& type) override
    {
        const auto parsed = ParseScriptHostPath(path);
        const auto stored = Converted(value, type);
        return parsed && stored && store_.Write(parsed->key, parsed->valueName, *stored);
    }

private:
    RegistryStore& store_;
};

} // namespace

std::optional<ValuePath> ParseScriptHostPath(TextView path)
{
    const auto first = path.find(u'\\');
    if (first == TextView::npos)
        return std::nullopt;
    ValuePath result;
    for (const auto& [name, handle] : kHives)
        if (path.substr(0, first) == name)
            result.key.hive = handle;
    if (result.key.hive == 0)
        return std::nullopt;
    const auto last = path.rfind(u'\\');
    result.valueName = Text(path.substr(last + 1));
    for (auto start = first + 1; start <= last && last != first;) {
        const auto end = path.find(u'\\', start);
        if (end == start)
            return std::nullopt;
        result.key.names.emplace_back(path.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

std::unique_ptr<ScriptShell> StoreScriptShellFactory::CreateScriptShell()
{
    if (!store_)
        return nullptr;
    return std::make_unique<StoreScriptShell>(*store_);
}
