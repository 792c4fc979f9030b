#pragma once
// The options dialog's decisions: whether .rm files open with the player in this
// tool's folder, and installing or undoing that association. The platform supplies
// the window and the registry.
#include "RegM.h"
#include "Text.h"

#include <cstdint>
#include <optional>

// What differs between platforms in naming the player: on Windows "Pexalo.exe" and "\".
struct PlayerLocation {
    Text playerFileName;
    char16_t folderSeparator;
};

inline constexpr std::int16_t kUnchecked = 0;
inline constexpr std::int16_t kChecked = 1;
inline constexpr std::int16_t kGrayed = 2;

struct OptionsWindow {
    // The folder that holds the tool's executable, as the platform reports it; nothing
    // when the platform cannot name it, once the platform has said why.
    virtual std::optional<Text> AppPath() = 0;
    virtual std::int16_t Check1Value() = 0;
    virtual void SetCheck1Value(std::int16_t value) = 0;
    // Unloading the only window ends the program.
    virtual void Unload() = 0;
    // Tells the shell that file associations changed.
    virtual void AssociationsChanged() = 0;

protected:
    ~OptionsWindow() = default;
};

class frmOptions {
public:
    frmOptions(OptionsWindow& window, const RegPorts& registry, PlayerLocation player);

    void Form_Load();
    void cmdApply_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    bool CheckShellConnecting();
    void ShellConnecting();
    void UnShellConnecting();

    // The player command for the current mAppDir: "<mAppDir><player>" "%1".
    Text PlayerCommand() const;

    // Empty while no folder is known: then nothing is shown as installed or written.
    Text mAppDir;

private:
    // Keeps what another program left at `path` in `backupPath` before writing `text`
    // there; true when `text` was written.
    bool ReplaceKeeping(const Text& path, const Text& backupPath, const Text& text);
    // Puts back what ReplaceKeeping kept, where `ours` still stands at `path`.
    void RestoreKept(const Text& path, const Text& backupPath, const Text& ours);

    OptionsWindow& window_;
    RegPorts registry_;
    PlayerLocation player_;
};
