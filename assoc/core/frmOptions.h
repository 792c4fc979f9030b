#pragma once
// The options dialog's decisions: whether .rm files open with the player in this
// tool's folder, and installing or undoing that association. The platform supplies
// the window and the registry.
#include "AssociationPlaces.h"
#include "RegM.h"
#include "Text.h"

#include <cstdint>
#include <optional>

// What differs between platforms in naming the player: on Windows "Pexalo.exe", "\" and
// paths that compare without regard to letter case.
struct PlayerLocation {
    Text playerFileName;
    char16_t folderSeparator;
    bool pathsIgnoreCase;
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
    // Whether `command` is the player command for some folder.
    bool StartsAPlayer(const Text& command) const;

    // Empty while no folder is known: then nothing is shown as installed or written.
    Text mAppDir;

private:
    using OwnValue = bool (frmOptions::*)(const Text& value) const;

    // An association of ours, from this folder or any other: .rm names rmfile and rmfile
    // starts a Pexalo.
    bool AssociationIsOurs();
    bool ClassIsOurs();
    bool IsOurName(const Text& name) const;
    bool SamePath(TextView a, TextView b) const;
    // Keeps what stands at `path` in `backupPath`, the empty text for none; a value of our
    // own keeps the backup that stands. False when the backup could not be written.
    bool Keep(const Text& path, const Text& backupPath, OwnValue isOurs);
    // Puts back what Keep kept where our value still stands, then clears the backup.
    void GiveBack(const Text& path, const Text& backupPath, OwnValue isOurs);

    OptionsWindow& window_;
    RegPorts registry_;
    PlayerLocation player_;
};
