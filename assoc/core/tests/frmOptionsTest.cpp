#include "FakeRegistry.h"
#include "frmOptions.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

const Text kClass = u"HKCR\\.rm\\", kBackup = u"HKCR\\.rm\\bak", kCommand = u"HKCR\\rmfile\\shell\\open\\command\\";
const Text kHereCommand = u"\"C:\\Player\\Pexalo.exe\" \"%1\"";
const Text kThereCommand = u"\"D:\\Other\\Pexalo.exe\" \"%1\"";
const Text kFile = u"RealMedia ファイル";
const Text kFoo = u"Foo.Player.1", kFooName = u"Foo file", kFooCommand = u"\"C:\\Foo\\foo.exe\" \"%1\"";

struct FakeWindow final : OptionsWindow {
    std::optional<Text> appPath = u"C:\\Player";
    std::int16_t check1 = kUnchecked;
    std::vector<std::string> log;

    std::optional<Text> AppPath() override { return appPath; }
    std::int16_t Check1Value() override { return check1; }
    void SetCheck1Value(std::int16_t value) override
    {
        check1 = value;
        log.push_back("Check1 " + std::to_string(value));
    }
    void Unload() override { log.push_back("Unload"); }
    void AssociationsChanged() override { log.push_back("AssociationsChanged"); }
};

// The class, its backup, the display name, the command and their backups; nullopt where the
// registry has none.
struct Values {
    std::optional<Text> className = {}, backup = {}, displayName = {}, command = {}, displayBackup = {},
                        commandBackup = {};
    bool operator==(const Values&) const = default;
};
const std::pair<Text, std::optional<Text> Values::*> kSlots[] = {
    {kClass, &Values::className},         {kBackup, &Values::backup},
    {u"HKCR\\rmfile\\", &Values::displayName}, {kCommand, &Values::command},
    {u"HKCR\\rmfile\\bak", &Values::displayBackup}, {kCommand + u"bak", &Values::commandBackup}};

Values Load(const FakeRegistry& registry)
{
    Values v;
    for (const auto& [path, field] : kSlots)
        if (const auto found = registry.values.find(path); found != registry.values.end())
            v.*field = found->second.AsString();
    return v;
}

// The dialog over a registry that holds `initial`, the class's key spelled `classKey`, its
// folder C:\Player\ until Form_Load says otherwise.
struct Dialog {
    FakeRegistry registry;
    FakeWindow window;
    frmOptions form{window, registry.Ports(), {u"Pexalo.exe", u'\\'}};

    explicit Dialog(const Values& initial = {}, TextView classKey = u"rmfile")
    {
        for (const auto& [slot, field] : kSlots)
            if (initial.*field) {
                Text path = slot;
                if (const std::size_t at = path.find(u"rmfile"); at != Text::npos)
                    path.replace(at, 6, classKey);
                registry.values[path] = Variant::String(*(initial.*field));
            }
        form.mAppDir = u"C:\\Player\\";
    }
    void Apply(std::int16_t box)
    {
        form.Form_Load();
        window.check1 = box;
        window.log.clear();
        form.cmdApply_Click();
    }
};

TEST(frmOptions, PlayerCommandIsBuiltFromTheCurrentFolder)
{
    Dialog d;
    d.form.mAppDir = u"C:\\Program Files\\プレーヤー\\";
    EXPECT_EQ(d.form.PlayerCommand(), u"\"C:\\Program Files\\プレーヤー\\Pexalo.exe\" \"%1\"");
}

TEST(frmOptions, CheckShellConnectingAnswersOnlyForTheExactClassAndCommand)
{
    const struct { const char* fault; Values registry; bool associated; } cases[] = {
        {"associated here", {u"rmfile", {}, {}, kHereCommand}, true},
        {"nothing installed", {}, false},
        {"another class", {kFoo, {}, {}, kHereCommand}, false},
        {"the class in other letter case", {u"RMFILE", {}, {}, kHereCommand}, false},
        {"the class with a blank", {u"rmfile ", {}, {}, kHereCommand}, false},
        {"the player in another folder", {u"rmfile", {}, {}, kThereCommand}, false},
        {"the command in other letter case", {u"rmfile", {}, {}, u"\"c:\\player\\pexalo.exe\" \"%1\""}, false},
        {"the command without quotes", {u"rmfile", {}, {}, u"C:\\Player\\Pexalo.exe %1"}, false},
        {"the command with more arguments", {u"rmfile", {}, {}, kHereCommand + u" /play"}, false},
        {"no command", {u"rmfile", {}, {}, {}}, false},
    };
    for (const auto& c : cases) {
        Dialog d(c.registry);
        EXPECT_EQ(d.form.CheckShellConnecting(), c.associated) << c.fault;
        EXPECT_TRUE(d.registry.scriptWrites.empty()) << c.fault << ": a check writes nothing";
    }
}

const Values kOther{u"Other", {}, {}, {}}, kInstalledHere{u"rmfile", u"Other", kFile, kHereCommand};
// Installed here over another program's class kFoo, whose key rmfile had a name and a command.
const Values kInstalledOverFoo{u"rmfile", kFoo, kFile, kHereCommand, kFooName, kFooCommand};

// Install followed by undo gives back .rm's class and rmfile's name and command where they
// were set; undo touches nothing that is not our association.
TEST(frmOptions, InstallKeepsWhatItReplacesAndUndoPutsItBackOnlyOverOurs)
{
    using Steps = void (*)(frmOptions&);
    const Steps install = [](frmOptions& f) { f.ShellConnecting(); };
    const Steps undo = [](frmOptions& f) { f.UnShellConnecting(); };
    const Steps installThenUndo = [](frmOptions& f) { f.ShellConnecting(); f.UnShellConnecting(); };
    const struct {
        Steps steps;
        const char* fault;
        Values before, after;
        Text folder = u"C:\\Player\\";
        Text refusedWrite{};
        Text classKey = u"rmfile";
    } cases[] = {
        {install, "no class: the empty backup is written", {}, {u"rmfile", u"", kFile, kHereCommand}},
        {install, "another class is backed up", {kFoo}, {u"rmfile", kFoo, kFile, kHereCommand}},
        {install, "another class replaces an old backup", {kFoo, u"Older"}, {u"rmfile", kFoo, kFile, kHereCommand}},
        {install, "installing again keeps the first backups", kInstalledOverFoo, kInstalledOverFoo},
        {install, "a class that cannot be kept stops the install", {kFoo, {}, kFooName, kFooCommand},
         {kFoo, {}, kFooName, kFooCommand}, u"C:\\Player\\", kBackup},
        {install, "a name that cannot be kept stays", {kFoo, {}, kFooName},
         {u"rmfile", kFoo, kFooName, kHereCommand}, u"C:\\Player\\", u"HKCR\\rmfile\\bak"},
        {install, "a command that cannot be kept stays, and so does .rm's class", {kFoo, {}, {}, kFooCommand},
         {kFoo, kFoo, kFile, kFooCommand}, u"C:\\Player\\", kCommand + u"bak"},
        {install, "a folder with a quote registers nothing", kOther, kOther, u"/home/a\"b/"},
        {install, "a folder with a percent sign registers nothing", kOther, kOther, u"/home/100%/"},
        {install, "a folder with a placeholder registers nothing", kOther, kOther, u"/media/%1/"},
        {undo, "the backup comes back; backup and rmfile stay",
         {u"rmfile", kFoo, kFile, kHereCommand}, {kFoo, kFoo, kFile, kHereCommand}},
        {undo, "an empty backup sets the class empty, not deleted",
         {u"rmfile", u"", kFile, kHereCommand}, {u"", u"", kFile, kHereCommand}},
        {undo, "no backup at all sets the class empty",
         {u"rmfile", {}, kFile, kHereCommand}, {u"", {}, kFile, kHereCommand}},
        {undo, "a name set since by someone else stays", {u"rmfile", kFoo, u"Renamed", kHereCommand, kFooName},
         {kFoo, kFoo, u"Renamed", kHereCommand, kFooName}},
        {undo, "a class that cannot be put back leaves rmfile ours", kInstalledOverFoo, kInstalledOverFoo,
         u"C:\\Player\\", kClass},
        {undo, "another folder's install is not ours",
         {u"rmfile", u"Old", kFile, kThereCommand}, {u"rmfile", u"Old", kFile, kThereCommand}},
        {undo, "another program's rmfile is not ours",
         {u"rmfile", {}, kFooName, kFooCommand}, {u"rmfile", {}, kFooName, kFooCommand}},
        {undo, "the user's own class is not overwritten", {kFoo, u"Stale"}, {kFoo, u"Stale"}},
        {undo, "no class stays no class", {{}, u"Stale"}, {{}, u"Stale"}},
        {undo, "RMFILE is not ours", {u"RMFILE", u"Old", {}, kHereCommand}, {u"RMFILE", u"Old", {}, kHereCommand}},
        {installThenUndo, "another class and rmfile's name and command come back",
         {kFoo, {}, kFooName, kFooCommand}, {kFoo, kFoo, kFooName, kFooCommand, kFooName, kFooCommand}},
        {installThenUndo, "another program's rmfile comes back whole", {u"rmfile", u"Stale", kFooName, kFooCommand},
         {u"rmfile", u"rmfile", kFooName, kFooCommand, kFooName, kFooCommand}},
        {installThenUndo, "RMFile, the same key, comes back whole", {u"RMFile", {}, kFooName, kFooCommand},
         {u"RMFile", u"RMFile", kFooName, kFooCommand, kFooName, kFooCommand}, u"C:\\Player\\", {}, u"RMFile"},
        {installThenUndo, "another folder's install comes back", {u"rmfile", kFoo, kFile, kThereCommand},
         {u"rmfile", u"rmfile", kFile, kThereCommand, {}, kThereCommand}},
    };
    for (const auto& c : cases) {
        Dialog d(c.before, c.classKey);
        d.form.mAppDir = c.folder;
        d.registry.refusedWrites.insert(c.refusedWrite);
        c.steps(d.form);
        EXPECT_EQ(Load(d.registry), c.after) << c.fault;
    }
}

TEST(frmOptions, LoadEndsTheFolderInOneBackslashAndShowsTheAssociation)
{
    const struct { const char* fault; Text appPath; Values registry; Text mAppDir; std::int16_t check1; } cases[] = {
        {"one backslash is added", u"C:\\Player", {u"rmfile", {}, {}, kHereCommand}, u"C:\\Player\\", kChecked},
        {"a drive root gets no second backslash", u"C:\\", {u"rmfile", {}, {}, u"\"C:\\Pexalo.exe\" \"%1\""}, u"C:\\",
         kChecked},
    };
    for (const auto& c : cases) {
        Dialog d(c.registry);
        d.window.appPath = c.appPath;
        d.form.Form_Load();
        EXPECT_EQ(d.form.mAppDir, c.mAppDir) << c.fault;
        EXPECT_EQ(d.window.check1, c.check1) << c.fault;
        EXPECT_TRUE(d.registry.scriptWrites.empty()) << c.fault << ": loading writes nothing";
    }
}

TEST(frmOptions, ApplyActsOnTheBoxAndShowsWhatTheRegistryHolds)
{
    const Values undone{u"Other", u"Other", kFile, kHereCommand};
    const struct {
        const char* fault;
        std::int16_t check1;
        Values before, after;
        std::int16_t check1After;
        bool notified;
    } cases[] = {
        {"checked installs", kChecked, kOther, kInstalledHere, kChecked, true},
        {"checked again changes nothing and tells nobody", kChecked, kInstalledHere, kInstalledHere, kChecked, false},
        {"unchecked undoes", kUnchecked, kInstalledHere, undone, kUnchecked, true},
        {"greyed undoes as unchecked does", kGrayed, kInstalledHere, undone, kUnchecked, true},
        {"unchecked over the user's own class keeps it", kUnchecked, kOther, kOther, kUnchecked, false},
    };
    for (const auto& c : cases) {
        Dialog d(c.before);
        d.Apply(c.check1);
        EXPECT_EQ(Load(d.registry), c.after) << c.fault;
        EXPECT_EQ(d.window.check1, c.check1After) << c.fault;
        const bool notified = !d.window.log.empty() && d.window.log.back() == "AssociationsChanged";
        EXPECT_EQ(notified, c.notified) << c.fault;
    }
}

TEST(frmOptions, WithoutAFolderNothingIsShownOrWritten)
{
    // What a bare separator for the folder would have registered.
    const Values installedAtTheRoot{u"rmfile", u"Other", kFile, u"\"\\Pexalo.exe\" \"%1\""};
    for (std::int16_t box : {kChecked, kUnchecked}) {
        Dialog d(installedAtTheRoot);
        d.window.appPath.reset();
        d.Apply(box);
        EXPECT_EQ(d.window.check1, kUnchecked) << box;
        EXPECT_TRUE(d.registry.scriptWrites.empty()) << box;
    }
}

TEST(frmOptions, AFailedInstallShowsAnUncheckedBoxAndTellsNobody)
{
    Dialog d(kOther);
    for (const auto& [path, field] : kSlots)
        d.registry.refusedWrites.insert(path);
    d.Apply(kChecked);
    EXPECT_EQ(d.window.log, (std::vector<std::string>{"Check1 0"}));
    EXPECT_EQ(Load(d.registry), kOther);
}

TEST(frmOptions, ApplyActsEveryTimeItIsPressed)
{
    Dialog d(kOther);
    d.Apply(kChecked);
    d.registry.values[kCommand] = Variant::String(u"changed meanwhile");
    d.form.cmdApply_Click();
    EXPECT_EQ(Load(d.registry), (Values{u"rmfile", u"rmfile", kFile, kHereCommand, {}, u"changed meanwhile"}));
}

TEST(frmOptions, OkAppliesThenUnloadsAndCancelOnlyUnloads)
{
    Dialog ok(kOther);
    ok.form.Form_Load();
    ok.window.check1 = kChecked;
    ok.form.cmdOK_Click();
    EXPECT_EQ(ok.window.log, (std::vector<std::string>{"Check1 1", "AssociationsChanged", "Unload"}));
    EXPECT_EQ(Load(ok.registry), kInstalledHere);

    for (std::int16_t box : {kChecked, kUnchecked}) {
        Dialog cancel({u"rmfile", u"Other", kFile, kThereCommand});
        cancel.form.Form_Load();
        cancel.window.check1 = box;
        cancel.form.cmdCancel_Click();
        EXPECT_EQ(cancel.window.log, (std::vector<std::string>{"Unload"}));
        EXPECT_TRUE(cancel.registry.scriptWrites.empty());
    }
}

} // namespace
