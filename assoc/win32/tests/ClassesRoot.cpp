#include "ClassesRoot.h"

#include <windows.h>

namespace {

struct Slot {
    const wchar_t* key;
    const wchar_t* value;
    std::optional<std::wstring> AssociationState::*member;
};

const Slot kSlots[] = {
    {L".rm", nullptr, &AssociationState::className},
    {L".rm", L"bak", &AssociationState::backup},
    {L"rmfile", nullptr, &AssociationState::displayName},
    {L"rmfile\\shell\\open\\command", nullptr, &AssociationState::command},
    {L"rmfile", L"bak", &AssociationState::displayBackup},
    {L"rmfile\\shell\\open\\command", L"bak", &AssociationState::commandBackup},
};

std::optional<std::wstring> ReadString(const wchar_t* subKey, const wchar_t* name)
{
    wchar_t buffer[1024] = {};
    DWORD size = sizeof buffer - sizeof(wchar_t);
    DWORD type = 0;
    if (RegGetValueW(HKEY_CLASSES_ROOT, subKey, name, RRF_RT_ANY | RRF_NOEXPAND, &type, buffer, &size) != 0 ||
        type != REG_SZ)
        return std::nullopt;
    return std::wstring(buffer);
}

} // namespace

void SetAssociation(const AssociationState& state)
{
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L".rm");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L".rm");
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"rmfile");
    RegDeleteKeyW(HKEY_CLASSES_ROOT, L"rmfile");
    for (const Slot& slot : kSlots) {
        const std::optional<std::wstring>& text = state.*slot.member;
        if (!text)
            continue;
        HKEY key;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, slot.key, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != 0)
            continue;
        RegSetValueExW(key, slot.value, 0, REG_SZ, reinterpret_cast<const BYTE*>(text->c_str()),
                       static_cast<DWORD>((text->size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

AssociationState ReadAssociation()
{
    AssociationState state;
    for (const Slot& slot : kSlots)
        state.*slot.member = ReadString(slot.key, slot.value);
    return state;
}

void PrintTo(const AssociationState& state, std::ostream* out)
{
    for (const Slot& slot : kSlots) {
        const std::optional<std::wstring>& text = state.*slot.member;
        for (const wchar_t* c = slot.key; *c; ++c)
            *out << static_cast<char>(*c);
        *out << '\\' << (slot.value ? "bak" : "") << '=';
        if (!text) {
            *out << "(none) ";
            continue;
        }
        *out << '"';
        for (wchar_t c : *text)
            *out << (c < 0x80 ? static_cast<char>(c) : '?');
        *out << "\" ";
    }
}
