#include "frmOptions.h"

#include <utility>

namespace {

// The association's values under the classes root: beside each one that another program
// may have set stands its backup.
const Text kClassPath = u"HKCR\\.rm\\";
const Text kBackupPath = u"HKCR\\.rm\\bak";
const Text kDisplayNamePath = u"HKCR\\rmfile\\";
const Text kDisplayNameBackupPath = u"HKCR\\rmfile\\bak";
const Text kCommandPath = u"HKCR\\rmfile\\shell\\open\\command\\";
const Text kCommandBackupPath = u"HKCR\\rmfile\\shell\\open\\command\\bak";

const Text kClassName = u"rmfile";
const Text kDisplayName = u"RealMedia ファイル";

struct AssociationValues {
    Text className, backup, displayName, command;
    bool operator==(const AssociationValues&) const = default;
};

AssociationValues ReadAssociation(const RegPorts& registry)
{
    return {RegReadString(kClassPath, registry), RegReadString(kBackupPath, registry),
            RegReadString(kDisplayNamePath, registry), RegReadString(kCommandPath, registry)};
}

bool WriteString(const Text& path, const Text& text, const RegPorts& registry)
{
    return RegWriteValue(path, Variant::String(text), registry);
}

} // namespace

frmOptions::frmOptions(OptionsWindow& window, const RegPorts& registry, PlayerLocation player)
    : window_(window), registry_(registry), player_(std::move(player))
{
}

void frmOptions::Form_Load()
{
    mAppDir.clear();
    const std::optional<Text> folder = window_.AppPath();
    if (!folder)
        return;
    mAppDir = *folder;
    if (mAppDir.empty() || mAppDir.back() != player_.folderSeparator)
        mAppDir.push_back(player_.folderSeparator);
    if (CheckShellConnecting())
        window_.SetCheck1Value(kChecked);
}

void frmOptions::cmdApply_Click()
{
    const AssociationValues before = ReadAssociation(registry_);
    if (window_.Check1Value() == kChecked)
        ShellConnecting();
    else
        UnShellConnecting();
    // The box shows what the registry now holds, so a failed install does not look like success.
    window_.SetCheck1Value(CheckShellConnecting() ? kChecked : kUnchecked);
    if (ReadAssociation(registry_) != before)
        window_.AssociationsChanged();
}

void frmOptions::cmdOK_Click()
{
    cmdApply_Click();
    window_.Unload();
}

void frmOptions::cmdCancel_Click()
{
    window_.Unload();
}

bool frmOptions::CheckShellConnecting()
{
    if (mAppDir.empty())
        return false;
    // The registry compares key names without regard to letter case: "RMFile" is our class too.
    if (!EqualIgnoringAsciiCase(RegReadString(kClassPath, registry_), kClassName))
        return false;
    return RegReadString(kCommandPath, registry_) == PlayerCommand();
}

void frmOptions::ShellConnecting()
{
    // A quote would end the player's path early and a percent sign may be taken for a
    // placeholder: the command would start another program, so register nothing.
    if (mAppDir.empty() || mAppDir.find_first_of(u"\"%") != Text::npos)
        return;
    const Text oldClassName = RegReadString(kClassPath, registry_);
    // Undo puts back the class kept here, so it is kept whenever the association is not
    // ours yet, another program's "rmfile" too; installing again keeps the first one.
    // Without a backup the previous class would be lost for good.
    if (!CheckShellConnecting() && !WriteString(kBackupPath, oldClassName, registry_))
        return;
    ReplaceKeeping(kDisplayNamePath, kDisplayNameBackupPath, kDisplayName);
    // .rm names rmfile only once rmfile starts our player: a class left half installed
    // would pass for another program's on the next install, and its backup be lost.
    if (!ReplaceKeeping(kCommandPath, kCommandBackupPath, PlayerCommand()))
        return;
    if (oldClassName != kClassName)
        WriteString(kClassPath, kClassName, registry_);
}

void frmOptions::UnShellConnecting()
{
    // Only our own association is ours to undo; any other is the user's current one.
    if (!CheckShellConnecting())
        return;
    // While .rm still names rmfile, rmfile keeps starting our player.
    if (!WriteString(kClassPath, RegReadString(kBackupPath, registry_), registry_))
        return;
    RestoreKept(kDisplayNamePath, kDisplayNameBackupPath, kDisplayName);
    RestoreKept(kCommandPath, kCommandBackupPath, PlayerCommand());
}

bool frmOptions::ReplaceKeeping(const Text& path, const Text& backupPath, const Text& text)
{
    const Text old = RegReadString(path, registry_);
    if (!old.empty() && old != text && !WriteString(backupPath, old, registry_))
        return false;
    return WriteString(path, text, registry_);
}

void frmOptions::RestoreKept(const Text& path, const Text& backupPath, const Text& ours)
{
    // A value that is no longer ours was set since, by someone else: it stays.
    const Text kept = RegReadString(backupPath, registry_);
    if (!kept.empty() && RegReadString(path, registry_) == ours)
        WriteString(path, kept, registry_);
}

Text frmOptions::PlayerCommand() const
{
    return u"\"" + mAppDir + player_.playerFileName + u"\" \"%1\"";
}
