#include "DesktopClassesRoot.h"

#include "AssociationPlaces.h"
#include "DefaultLines.h"
#include "EntryCommand.h"
#include "ExecLine.h"
#include "FailureReport.h"
#include "GLibOwners.h"
#include "KeyFileUpdate.h"
#include "OurEntry.h"
#include "PlayerLink.h"
#include "Utf8.h"

#include <glib/gstdio.h>

namespace {

constexpr TextView kClassName = u"rmfile";
constexpr int kTriesAgainstOverwrites = 5;

const char* EntryKey(AssociationPlace place)
{
    switch (place) {
    case AssociationPlace::ClassBackup: return "X-Ordinel-Previous-Default";
    case AssociationPlace::Name: return "Name";
    case AssociationPlace::NameBackup: return "X-Ordinel-Previous-Name";
    case AssociationPlace::Command: return "Exec";
    default: return "X-Ordinel-Previous-Exec";
    }
}

// Nothing for a text that no key file can hold as it is.
std::optional<std::string> Utf8(TextView text)
{
    if (text.find(u'\0') != TextView::npos || !IsWellFormed(text))
        return std::nullopt;
    return Utf8Of(text);
}

Text ClassOfId(const std::string& id)
{
    return id == kHandlerId ? Text(kClassName) : TextOfUtf8(id);
}

// Nothing, with the reason said, for a text that names no desktop file.
std::optional<std::string> IdOfClass(TextView className)
{
    if (EqualIgnoringAsciiCase(className, kClassName))
        return kHandlerId;
    auto id = Utf8(className);
    const bool named = id && (id->empty() || (id->ends_with(".desktop") &&
                                              id->find_first_of("/;\t\n\r") == std::string::npos));
    if (!named) {
        ReportFailure("デスクトップ ファイルの名前ではありません: " + id.value_or("?"));
        return std::nullopt;
    }
    return id;
}

class DesktopScriptShell final : public ScriptShell {
public:
    explicit DesktopScriptShell(AppInfoChanges& changes) : changes_(changes) {}

    std::optional<Variant> RegRead(const Text& path) override
    {
        const auto place = PlaceOf(path);
        if (!place)
            return std::nullopt;
        if (*place == AssociationPlace::Class)
            return ReadClass();
        const auto value = *place == AssociationPlace::Command || *place == AssociationPlace::CommandBackup ? ReadEntryCommand(EntryKey(*place))
                                                                                       : ReadOurEntryKey(EntryKey(*place));
        if (!value)
            return std::nullopt;
        return Variant::String(*place == AssociationPlace::ClassBackup ? ClassOfId(*value) : TextOfUtf8(*value));
    }

    bool RegWrite(const Text& path, const Variant& value, const Text& type) override
    {
        const auto place = PlaceOf(path);
        if (!place || type != u"REG_SZ" || value.ValueType() != VarType::BStr)
            return false;
        const Text& text = value.AsString();
        const bool ours = EqualIgnoringAsciiCase(text, kClassName);
        for (int tries = 1;; ++tries) {
            const bool written = Awaited([&] { return Write(*place, text); });
            if (!written || *place != AssociationPlace::Class)
                return written;
            // A tool that read a list before our write may put its read back after it: the
            // lines are written again once GIO has seen them, until they stand. Our entry
            // goes only then, with the lines it keeps.
            if (ours ? ReadsOurClass() : !DefaultLinesNameUs())
                return ours || Awaited(RemoveOurEntry);
            if (tries == kTriesAgainstOverwrites) {
                ReportFailure("ほかのプログラムが既定のアプリケーションを同時に書き換え続けたため、変更できませんでした");
                return false;
            }
        }
    }

private:
    // Runs a write and, when it changed a file, waits for GIO to see it.
    template <typename Writing> bool Awaited(Writing write)
    {
        changes_.Watch();
        const unsigned changesBefore = DesktopFileChanges();
        const bool written = write();
        if (DesktopFileChanges() != changesBefore)
            changes_.Await();
        return written;
    }

    static bool ReadsOurClass()
    {
        const auto read = ReadClass();
        return read && read->AsString() == kClassName;
    }

    static std::optional<Variant> ReadClass()
    {
        const GObjectOwner info(g_app_info_get_default_for_type(kRealMediaType, FALSE));
        const char* id = info ? g_app_info_get_id(G_APP_INFO(info.get())) : nullptr;
        return id ? std::optional(Variant::String(ClassOfId(id))) : std::nullopt;
    }

    static bool Write(AssociationPlace place, const Text& text)
    {
        if (place == AssociationPlace::Class)
            return WriteClass(text);
        if (place == AssociationPlace::ClassBackup) {
            const auto id = IdOfClass(text);
            // Backing up another class starts a new install: lines kept before it are stale.
            return id && (*id == kHandlerId || ForgetDefaultLines()) && WriteOurEntryKey(EntryKey(place), *id);
        }
        const auto utf8 = Utf8(text);
        if (!utf8)
            return false;
        if (place == AssociationPlace::Command)
            return WriteExecCommand(*utf8);
        if (place == AssociationPlace::CommandBackup)
            return WriteCommandKey(EntryKey(place), *utf8);
        return WriteOurEntryKey(EntryKey(place), *utf8);
    }

    static bool WriteClass(const Text& text)
    {
        const auto id = IdOfClass(text);
        if (!id)
            return false;
        // The openers would pass over an entry that GIO does not take: the list is not written.
        if (*id == kHandlerId)
            return DesktopTakesOurEntry() && SetDefaultLines(*id);
        // The kept lines come back where they still read as ours; another class asked for
        // than the one kept (a backup of no class is no key) is then set over them.
        const auto backup = ReadOurEntryKey(EntryKey(AssociationPlace::ClassBackup)).value_or(std::string());
        const bool restoring = HasKeptDefaultLines() && ClassOfId(backup) == text;
        return RestoreDefaultLines() && (restoring || SetDefaultLines(*id));
    }

    AppInfoChanges& changes_;
};

std::optional<std::string> ContentsOf(const std::string& path)
{
    gchar* contents = nullptr;
    gsize length = 0;
    if (!g_file_get_contents(path.c_str(), &contents, &length, nullptr))
        return std::nullopt;
    const GCharOwner owner(contents);
    return std::string(contents, length);
}

} // namespace

std::unique_ptr<ScriptShell> DesktopClassesRoot::CreateScriptShell()
{
    return std::make_unique<DesktopScriptShell>(changes_);
}

void DesktopClassesRoot::Keep()
{
    ::TakeFailures();
    keptEntry_ = ContentsOf(OurEntryPath());
    const auto exec = ReadOurEntryKey(EntryKey(AssociationPlace::Command));
    const auto command = exec ? CommandFromExec(*exec) : std::nullopt;
    const auto program = command ? CommandProgram(*command) : std::nullopt;
    keptPlayer_ = program ? PlayerLinkTarget(*program) : std::nullopt;
}

void DesktopClassesRoot::GiveBack()
{
    // Our entry and links only: the lists are written last, once all else has succeeded.
    if (!keptEntry_) {
        RemoveOurEntry();
        return;
    }
    const std::string entry = OurEntryPath();
    if (!g_file_set_contents(entry.c_str(), keptEntry_->data(), static_cast<gssize>(keptEntry_->size()), nullptr))
        ReportFailure(entry + ": 元に戻せませんでした");
    RemovePlayerLinks();
    if (keptPlayer_)
        MakePlayerLink(*keptPlayer_);
}

std::vector<std::string> DesktopClassesRoot::TakeFailures()
{
    return ::TakeFailures();
}
