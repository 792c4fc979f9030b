#include "frmOptions.h"

#include <utility>

namespace {

const Text kClassPath = PathOf(AssociationPlace::Class);
const Text kBackupPath = PathOf(AssociationPlace::ClassBackup);
const Text kDisplayNamePath = PathOf(AssociationPlace::Name);
const Text kDisplayNameBackupPath = PathOf(AssociationPlace::NameBackup);
const Text kCommandPath = PathOf(AssociationPlace::Command);
const Text kCommandBackupPath = PathOf(AssociationPlace::CommandBackup);

const Text kClassName = u"rmfile";
// What follows the player's path in its command: the shell's placeholder for the file.
constexpr TextView kFileArgument = u"\" \"%1\"";
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
    return !mAppDir.empty() && ClassIsOurs() && SamePath(RegReadString(kCommandPath, registry_), PlayerCommand());
}

void frmOptions::ShellConnecting()
{
    // A quote would end the player's path early and a percent sign may be taken for a
    // placeholder: the command would start another program, so register nothing.
    if (mAppDir.empty() || mAppDir.find_first_of(u"\"%") != Text::npos)
        return;
    const Text oldClassName = RegReadString(kClassPath, registry_);
    // Over an association of ours, from whichever folder, the backup already holds the class
    // that was there before the first of ours; backing up again would lose it. A name set
    // since by someone else is theirs to get back all the same.
    if ((!AssociationIsOurs() && !WriteString(kBackupPath, oldClassName, registry_)) ||
        !Keep(kDisplayNamePath, kDisplayNameBackupPath, &frmOptions::IsOurName) ||
        !Keep(kCommandPath, kCommandBackupPath, &frmOptions::StartsAPlayer))
        return;
    WriteString(kDisplayNamePath, kDisplayName, registry_);
    // .rm names rmfile only once rmfile starts our player: a class left half installed
    // would pass for another program's on the next install, and its backup be lost.
    if (!WriteString(kCommandPath, PlayerCommand(), registry_))
        return;
    if (oldClassName != kClassName)
        WriteString(kClassPath, kClassName, registry_);
}

void frmOptions::UnShellConnecting()
{
    // Only this folder's association is ours to undo; any other is the user's current one.
    if (!CheckShellConnecting())
        return;
    // While .rm still names rmfile, rmfile keeps starting our player.
    if (!WriteString(kClassPath, RegReadString(kBackupPath, registry_), registry_))
        return;
    GiveBack(kDisplayNamePath, kDisplayNameBackupPath, &frmOptions::IsOurName);
    GiveBack(kCommandPath, kCommandBackupPath, &frmOptions::StartsAPlayer);
}

bool frmOptions::AssociationIsOurs()
{
    return ClassIsOurs() && StartsAPlayer(RegReadString(kCommandPath, registry_));
}

bool frmOptions::ClassIsOurs()
{
    // The registry compares key names without regard to letter case: "RMFile" is our class too.
    return EqualIgnoringAsciiCase(RegReadString(kClassPath, registry_), kClassName);
}

bool frmOptions::IsOurName(const Text& name) const
{
    return name == kDisplayName;
}

bool frmOptions::StartsAPlayer(const Text& command) const
{
    // The shape of PlayerCommand() for any folder: "<folder><separator><player>" "%1".
    if (!command.starts_with(u'"') || !command.ends_with(kFileArgument))
        return false;
    const TextView path = TextView(command).substr(1, command.size() - 1 - kFileArgument.size());
    const std::size_t nameAt = path.rfind(player_.folderSeparator);
    return nameAt != TextView::npos && path.find(u'"') == TextView::npos &&
           SamePath(path.substr(nameAt + 1), player_.playerFileName);
}

bool frmOptions::SamePath(TextView a, TextView b) const
{
    return player_.pathsIgnoreCase ? EqualIgnoringAsciiCase(a, b) : a == b;
}

bool frmOptions::Keep(const Text& path, const Text& backupPath, OwnValue isOurs)
{
    const Text value = RegReadString(path, registry_);
    return (this->*isOurs)(value) || WriteString(backupPath, value, registry_);
}

void frmOptions::GiveBack(const Text& path, const Text& backupPath, OwnValue isOurs)
{
    const Text kept = RegReadString(backupPath, registry_);
    // A value that is no longer ours was set since, by someone else: it stays. A backup
    // that could not be put back waits for the next undo.
    if ((this->*isOurs)(RegReadString(path, registry_)) && !WriteString(path, kept, registry_))
        return;
    // Used once: a value kept for an earlier install must not return after a later one.
    if (!kept.empty())
        WriteString(backupPath, Text(), registry_);
}

Text frmOptions::PlayerCommand() const
{
    return u"\"" + mAppDir + player_.playerFileName + Text(kFileArgument);
}
