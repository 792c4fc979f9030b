#pragma once
// The script host's shell object over the store. Paths follow the host's rules: the
// hive name up to the first backslash (HKCR, HKCU, HKLM or a long form, exact case),
// the value name after the last one, a trailing backslash for the key's default value.
// "REG_SZ" writes a string, "REG_DWORD" a 16-bit, 32-bit or byte number.
#include "RegM.h"
#include "RegistryStore.h"

#include <optional>

struct ValuePath {
    KeyPath key;
    Text valueName;
};

// Nothing when the hive is unknown, there is no backslash or a key name is empty.
std::optional<ValuePath> ParseScriptHostPath(TextView path);

class StoreScriptShellFactory final : public ScriptShellFactory {
public:
    // Without a store no shell object can be created.
    explicit StoreScriptShellFactory(RegistryStore* store) : store_(store) {}
    std::unique_ptr<ScriptShell> CreateScriptShell() override;

private:
    RegistryStore* store_;
};
