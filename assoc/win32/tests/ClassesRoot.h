#pragma once
// The association's values as the shell sees them under HKEY_CLASSES_ROOT.
#include <optional>
#include <ostream>
#include <string>

struct AssociationState {
    std::optional<std::wstring> className = {}, backup = {}, displayName = {}, command = {}, displayBackup = {},
                                commandBackup = {};
    bool operator==(const AssociationState&) const = default;
};

// Removes .rm and rmfile, then writes the values that are set.
void SetAssociation(const AssociationState& state);
AssociationState ReadAssociation();

// Readable failure messages.
void PrintTo(const AssociationState& state, std::ostream* out);
