#include "Advapi32Registry.h"

#include <windows.h>

namespace {

// Predefined hives are sign-extended 32-bit values, as the headers define them.
HKEY HiveKey(std::uint32_t hive)
{
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(hive)));
}

HKEY OpenedKey(NativeRegistry::Key key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

std::int32_t Advapi32Registry::RegCreateKeyExA(std::uint32_t hive, const std::string& subKey,
                                               std::uint32_t reserved, const char* keyClass,
                                               std::uint32_t options, std::uint32_t samDesired,
                                               const SecurityAttributes* security, Key* result,
                                               std::uint32_t* disposition)
{
    SECURITY_ATTRIBUTES attributes{};
    if (security) {
        attributes.nLength = security->nLength;
        attributes.lpSecurityDescriptor = reinterpret_cast<void*>(security->lpSecurityDescriptor);
        attributes.bInheritHandle = security->bInheritHandle;
    }
    HKEY opened = nullptr;
    DWORD dispositionValue = 0;
    const LONG status = ::RegCreateKeyExA(HiveKey(hive), subKey.c_str(), reserved, const_cast<char*>(keyClass),
                                          options, samDesired, security ? &attributes : nullptr, &opened,
                                          disposition ? &dispositionValue : nullptr);
    if (status == ERROR_SUCCESS)
        *result = reinterpret_cast<Key>(opened);
    if (disposition)
        *disposition = dispositionValue;
    return status;
}

std::int32_t Advapi32Registry::RegSetValueExA(Key key, const std::string& valueName, std::uint32_t reserved,
                                              std::uint32_t type, const std::uint8_t* data, std::uint32_t size)
{
    return ::RegSetValueExA(OpenedKey(key), valueName.c_str(), reserved, type, data, size);
}

std::int32_t Advapi32Registry::RegCloseKey(Key key)
{
    return ::RegCloseKey(OpenedKey(key));
}
