#include "frmOptions.h"

#include <utility>

namespace {

// The association's four values under the classes root.
const Text kClassPath = u"HKCR\\.rm\\";
const Text kBackupPath = u"HKCR\\.rm\\bak";
const Text kDisplayNamePath = u"HKCR\\rmfile\\";
const Text kCommandPath = u"HKCR\\rmfile\\shell\\open\\command\\";

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
    mAppDir = window_.AppPath();
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
    if (RegReadString(kClassPath, registry_) != kClassName)
        return false;
    return RegReadString(kCommandPath, registry_) == PlayerCommand();
}

void frmOptions::ShellConnecting()
{
    // A quote would end the player's path early and a percent sign may be taken for a
    // placeholder: the command would start another program, so register nothing.
    if (mAppDir.find_first_of(u"\"%") != Text::npos)
        return;
    const Text oldClassName = RegReadString(kClassPath, registry_);
    if (oldClassName != kClassName) {
        // Without a backup the previous class would be lost for good.
        if (WriteString(kBackupPath, oldClassName, registry_))
            WriteString(kClassPath, kClassName, registry_);
    }
    WriteString(kDisplayNamePath, kDisplayName, registry_);
    WriteString(kCommandPath, PlayerCommand(), registry_);
}

void frmOptions::UnShellConnecting()
{
    // Only our own class is ours to undo; any other is the user's current association.
    if (RegReadString(kClassPath, registry_) != kClassName)
        return;
    WriteString(kClassPath, RegReadString(kBackupPath, registry_), registry_);
}

Text frmOptions::PlayerCommand() const
{
    return u"\"" + mAppDir + player_.playerFileName + u"\" \"%1\"";
}
