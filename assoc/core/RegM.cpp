#include "RegM.h"

#include <string_view>

namespace {

struct HiveName {
    std::u16string_view name;
    std::uint32_t handle;
};

// Compared exactly: other letter case and other short forms are not hives.
constexpr HiveName kHives[] = {
    {u"HKCR", kHkeyClassesRoot},   {u"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
    {u"HKCU", kHkeyCurrentUser},   {u"HKEY_CURRENT_USER", kHkeyCurrentUser},
    {u"HKLM", kHkeyLocalMachine},  {u"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
    {u"HKEY_USERS", kHkeyUsers},   {u"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig},
};

std::uint32_t HiveHandle(TextView name)
{
    for (const HiveName& hive : kHives)
        if (hive.name == name)
            return hive.handle;
    return 0;
}

bool WriteThroughScriptHost(const Text& path, const Variant& value, const Text& type, const RegPorts& ports)
{
    const std::unique_ptr<ScriptShell> shell = ports.scriptShell.CreateScriptShell();
    return shell && shell->RegWrite(path, value, type);
}

bool WriteBinary(const Text& path, const Variant::Bytes& bytes, const RegPorts& ports)
{
    Text keyPath, valueName;
    const std::uint32_t hive = RegSplitPath(path, keyPath, valueName);
    // Nothing to open under a hive that is not one: the native call could only fail.
    if (hive == 0)
        return false;

    const NativeRegistry::SecurityAttributes security{};
    NativeRegistry::Key key = 0;
    if (ports.native.RegCreateKeyExA(hive, ports.codePage.ToAnsi(keyPath), 0, "", 0, kKeyAccessForBinaryWrite,
                                     &security, &key, nullptr) != 0)
        return false;
    const bool written = ports.native.RegSetValueExA(key, ports.codePage.ToAnsi(valueName), 0, kRegBinary,
                                                     bytes.data(), static_cast<std::uint32_t>(bytes.size())) == 0;
    ports.native.RegCloseKey(key);
    return written;
}

} // namespace

Text RegReadString(const Text& path, const RegPorts& ports)
{
    const std::unique_ptr<ScriptShell> shell = ports.scriptShell.CreateScriptShell();
    if (!shell)
        return {};
    const std::optional<Variant> value = shell->RegRead(path);
    if (!value || value->ValueType() != VarType::BStr)
        return {};
    return value->AsString();
}

bool RegWriteValue(const Text& path, const Variant& value, const RegPorts& ports)
{
    switch (value.ValueType()) {
    case VarType::I2:
    case VarType::I4:
    case VarType::UI1:
        return WriteThroughScriptHost(path, value, u"REG_DWORD", ports);
    case VarType::BStr:
        return WriteThroughScriptHost(path, value, u"REG_SZ", ports);
    case VarType::ByteArray:
        return WriteBinary(path, value.AsBytes(), ports);
    default:
        return false;
    }
}

std::uint32_t RegSplitPath(const Text& path, Text& keyPath, Text& valueName)
{
    keyPath.clear();
    valueName.clear();

    const std::size_t firstBackslash = path.find(u'\\');
    if (firstBackslash == Text::npos)
        return 0;
    const std::uint32_t hive = HiveHandle(TextView(path).substr(0, firstBackslash));
    if (hive == 0)
        return 0;

    keyPath = path.substr(firstBackslash + 1);
    // A single name after the hive is a key, and the path names its default value.
    const std::size_t lastBackslash = keyPath.rfind(u'\\');
    if (lastBackslash != Text::npos) {
        valueName = keyPath.substr(lastBackslash + 1);
        keyPath.resize(lastBackslash);
    }
    return hive;
}
