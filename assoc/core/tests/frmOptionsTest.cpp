#include "Fakes.h"
#include "frmOptions.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

namespace {

// Each of kAssociationPaths' values: .rm's class, its backup, rmfile's name, its backup, the
// command and its backup; nullopt where the registry has none.
using Values = std::array<std::optional<Text>, kAssociationPlaces.size()>;
using Log = std::vector<std::string>;
using Boxes = std::vector<std::int16_t>;

const Text kFile = u"RealMedia ファイル", kHere = u"\"C:\\Player\\Pexalo.exe\" \"%1\"";
const Text kThere = u"\"C:\\Apps\\Pexalo.exe\" \"%1\"";
const Text kFoo = u"Foo.Player.1", kFooName = u"Foo file", kFooCommand = u"\"C:\\Foo\\foo.exe\" \"%1\"";
const Values kOther{u"Other"}, kInstalledHere{u"rmfile", u"Other", kFile, {}, kHere};
// Installed here over another program's class kFoo, whose key rmfile had a name and a command.
const Values kInstalledOverFoo{u"rmfile", kFoo, kFile, kFooName, kHere, kFooCommand};
const Values kFoosOwn{kFoo, {}, kFooName, {}, kFooCommand};

// The dialog loaded over a registry that holds `before` and refuses writes to `refused`.
struct Dialog {
    FakeRegistry registry;
    FakeWindow window;
    frmOptions form{window, registry.Ports(), {u"Pexalo.exe", u'\\', true}};

    explicit Dialog(const Values& before, const Text& refused = {}, std::optional<Text> folder = u"C:\\Player")
    {
        for (std::size_t i = 0; i < before.size(); ++i)
            if (before[i])
                registry.values[kAssociationPaths[i]] = Variant::String(*before[i]);
        registry.refusedWrites.insert(refused);
        window.appPath = std::move(folder);
        form.Form_Load();
    }
    Values Now() const
    {
        Values now;
        for (std::size_t i = 0; i < now.size(); ++i)
            if (const auto found = registry.values.find(kAssociationPaths[i]); found != registry.values.end())
                now[i] = found->second.AsString();
        return now;
    }
};

// Ticking and applying installs, keeping what it replaces; unticking undoes our own
// association only, and puts back what was kept where nobody changed it since.
TEST(frmOptions, ApplyInstallsAndUndoesKeepingWhatItReplaces)
{
    const Boxes install{kChecked}, undo{kUnchecked};
    const Text atTheRoot = u"\"C:\\Pexalo.exe\" \"%1\"";
    const struct {
        const char* fault;
        Boxes boxes;
        Values before, after;
        Text refused = {};
        std::optional<Text> folder = u"C:\\Player";
    } cases[] = {
        {"no class: the empty one is kept, and no name or command", install, {}, {u"rmfile", u"", kFile, u"", kHere, u""}},
        {"another class replaces an old backup", install, {kFoo, u"Older"}, {u"rmfile", kFoo, kFile, u"", kHere, u""}},
        {"installing again keeps the first backups", install, kInstalledOverFoo, kInstalledOverFoo},
        {"another folder's install keeps the first backups", install,
         {u"rmfile", kFoo, kFile, kFooName, u"\"D:\\B\\pexalo.EXE\" \"%1\"", kFooCommand}, kInstalledOverFoo},
        {"a name of ours keeps the backup that waits", install, {kFoo, u"Old", kFile, kFooName},
         {u"rmfile", kFoo, kFile, kFooName, kHere, u""}},
        {"a command that cannot be kept: nothing of ours is written", install, {kFoo, {}, {}, {}, kFooCommand},
         {kFoo, kFoo, {}, u"", kFooCommand}, kAssociationPaths[5]},
        {"a folder with a quote registers nothing", install, kOther, kOther, {}, u"/home/a\"b"},
        {"a folder with a percent sign registers nothing", install, kOther, kOther, {}, u"/home/100%"},
        {"a drive root gets no second backslash", install, {}, {u"rmfile", u"", kFile, u"", atTheRoot, u""}, {}, u"C:\\"},
        {"the backups come back and are used up", undo, kInstalledOverFoo, {kFoo, kFoo, kFooName, u"", kFooCommand, u""}},
        {"no backups: class, name and command none", undo, {u"rmfile", {}, kFile, {}, kHere}, {u"", {}, u"", {}, u""}},
        {"a name set since by someone else stays", undo, {u"rmfile", kFoo, u"Renamed", kFooName, kHere},
         {kFoo, kFoo, u"Renamed", u"", u""}},
        {"the folder in other letters is this one", undo, {u"rmfile", kFoo, kFile, {}, u"\"c:\\player\\PEXALO.exe\" \"%1\""},
         {kFoo, kFoo, u"", {}, u""}},
        {"a class that cannot be put back leaves rmfile ours", undo, kInstalledOverFoo, kInstalledOverFoo,
         kAssociationPaths[0]},
        {"a command that cannot be put back keeps its backup", undo, kInstalledOverFoo,
         {kFoo, kFoo, kFooName, u"", kHere, kFooCommand}, kAssociationPaths[4]},
        {"rmfile starting another program is not ours", undo, {u"rmfile", u"Old", kFile, {}, kFooCommand},
         {u"rmfile", u"Old", kFile, {}, kFooCommand}},
        {"another folder's player is not this folder's to undo", undo, {u"rmfile", u"Old", kFile, {}, kThere},
         {u"rmfile", u"Old", kFile, {}, kThere}},
        {"our command under another class is not ours", undo, {kFoo, u"Old", {}, {}, kHere},
         {kFoo, u"Old", {}, {}, kHere}},
        {"RMFILE starting our player is ours", undo, {u"RMFILE", u"Old", {}, {}, kHere}, {u"Old", u"Old", {}, {}, u""}},
        {"every press acts", {kChecked, kUnchecked, kChecked}, kFoosOwn, kInstalledOverFoo},
    };
    for (const auto& c : cases) {
        Dialog d(c.before, c.refused, c.folder);
        for (std::int16_t box : c.boxes) {
            d.window.check1 = box;
            d.form.cmdApply_Click();
        }
        EXPECT_EQ(d.Now(), c.after) << c.fault;
    }
}

// The box shows what the registry holds after each press, and the shell hears of every change.
TEST(frmOptions, ButtonsShowWhatTheRegistryHolds)
{
    const auto apply = &frmOptions::cmdApply_Click;
    // What the folder made of a bare separator would have registered.
    const Values atABareSeparator{u"rmfile", u"Other", kFile, {}, u"\"\\Pexalo.exe\" \"%1\""};
    const struct {
        const char* fault;
        void (frmOptions::*button)();
        std::int16_t box;
        Values before;
        Log log;  // from loading on
        std::optional<Text> folder = u"C:\\Player";
        Text refused = {};
    } cases[] = {
        {"ticked again changes nothing and tells nobody", apply, kChecked, kInstalledHere, {"Check1 1", "Check1 1"}},
        {"greyed undoes as unticked does", apply, kGrayed, kInstalledHere,
         {"Check1 1", "Check1 0", "AssociationsChanged"}},
        {"unticked over the user's own class keeps it", apply, kUnchecked, kOther, {"Check1 0"}},
        {"a failed install shows an unticked box and tells nobody", apply, kChecked, kOther, {"Check1 0"},
         u"C:\\Player", kAssociationPaths[1]},
        {"without a folder nothing shows as installed", apply, kChecked, atABareSeparator, {"Check1 0"}, std::nullopt},
        {"OK applies, then unloads", &frmOptions::cmdOK_Click, kChecked, kOther,
         {"Check1 1", "AssociationsChanged", "Unload"}},
        {"Cancel only unloads", &frmOptions::cmdCancel_Click, kChecked, kOther, {"Unload"}},
    };
    for (const auto& c : cases) {
        Dialog d(c.before, c.refused, c.folder);
        d.window.check1 = c.box;
        (d.form.*c.button)();
        EXPECT_EQ(d.window.log, c.log) << c.fault;
    }
}

} // namespace
