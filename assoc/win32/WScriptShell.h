#pragma once
// The script host's shell object, WScript.Shell, created by its ProgID for each call and
// driven late-bound: RegRead and RegWrite are looked up by name.
#include "RegM.h"

class WScriptShellFactory final : public ScriptShellFactory {
public:
    std::unique_ptr<ScriptShell> CreateScriptShell() override;
};
