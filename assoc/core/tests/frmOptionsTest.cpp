#include "FakeRegistry.h"
#include "frmOptions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

const Text kClass = u"HKCR\\.rm\\";
const Text kBackup = u"HKCR\\.rm\\bak";
const Text kDisplayName = u"HKCR\\rmfile\\";
const Text kCommand = u"HKCR\\rmfile\\shell\\open\\command\\";
const Text kHereCommand = u"\"C:\\Player\\Pexalo.exe\" \"%1\"";
const Text kThereCommand = u"\"D:\\Other\\Pexalo.exe\" \"%1\"";

struct FakeWindow final : OptionsWindow {
    Text appPath = u"C:\\Player";
    std::int16_t check1 = kUnchecked;
    std::vector<std::string> log;

    Text AppPath() override { return appPath; }
    std::int16_t Check1Value() override { return check1; }
    void SetCheck1Value(std::int16_t value) override
    {
        check1 = value;
        log.push_back("Check1 " + std::to_string(value));
    }
    void Unload() override { log.push_back("Unload"); }
    void AssociationsChanged() override { log.push_back("AssociationsChanged"); }
};

// The four values; nullopt where the registry has none.
struct Values {
    std::optional<Text> className, backup, displayName, command;
    bool operator==(const Values&) const = default;
};

void Store(FakeRegistry& registry, const Values& v)
{
    const std::pair<const Text*, const std::optional<Text>*> slots[] = {
        {&kClass, &v.className}, {&kBackup, &v.backup}, {&kDisplayName, &v.displayName}, {&kCommand, &v.command}};
    for (auto [path, value] : slots) {
        if (*value)
            registry.values[*path] = Variant::String(**value);
        else
            registry.values.erase(*path);
    }
}

Values Load(const FakeRegistry& registry)
{
    auto get = [&](const Text& path) -> std::optional<Text> {
        const auto found = registry.values.find(path);
        if (found == registry.values.end())
            return std::nullopt;
        return found->second.AsString();
    };
    return {get(kClass), get(kBackup), get(kDisplayName), get(kCommand)};
}

struct Dialog {
    FakeRegistry registry;
    FakeWindow window;
    frmOptions form{window, registry.Ports(), {u"Pexalo.exe", u'\\'}};

    explicit Dialog(const Values& initial = {}) { Store(registry, initial); }
    void Load() { form.Form_Load(); }
};

TEST(frmOptions, PlayerCommandQuotesThePlayerAndThePlaceholder)
{
    Dialog d;
    d.form.mAppDir = u"C:\\Player\\";
    EXPECT_EQ(d.form.PlayerCommand(), kHereCommand);
    d.form.mAppDir = u"C:\\Program Files\\プレーヤー\\";
    EXPECT_EQ(d.form.PlayerCommand(), u"\"C:\\Program Files\\プレーヤー\\Pexalo.exe\" \"%1\"")
        << "built anew from the current folder";
}

struct CheckCase {
    const char* fault;
    Values registry;
    bool associated;
};

class CheckTable : public testing::TestWithParam<CheckCase> {};

TEST_P(CheckTable, AnswersOnlyForTheExactClassAndCommand)
{
    Dialog d(GetParam().registry);
    d.form.mAppDir = u"C:\\Player\\";
    EXPECT_EQ(d.form.CheckShellConnecting(), GetParam().associated) << GetParam().fault;
    EXPECT_EQ(d.registry.shellsAlive, 0);
    EXPECT_TRUE(d.registry.scriptWrites.empty()) << "a check writes nothing";
}

INSTANTIATE_TEST_SUITE_P(frmOptions, CheckTable, testing::Values(
    CheckCase{"associated here", {u"rmfile", {}, {}, kHereCommand}, true},
    CheckCase{"nothing installed", {}, false},
    CheckCase{"another class", {u"RealPlayer.RM.6", {}, {}, kHereCommand}, false},
    CheckCase{"the class in other letter case", {u"RMFILE", {}, {}, kHereCommand}, false},
    CheckCase{"the class with a blank", {u"rmfile ", {}, {}, kHereCommand}, false},
    CheckCase{"the player in another folder", {u"rmfile", {}, {}, kThereCommand}, false},
    CheckCase{"the command in other letter case", {u"rmfile", {}, {}, u"\"c:\\player\\pexalo.exe\" \"%1\""}, false},
    CheckCase{"the command without quotes", {u"rmfile", {}, {}, u"C:\\Player\\Pexalo.exe %1"}, false},
    CheckCase{"the command with more arguments", {u"rmfile", {}, {}, kHereCommand + u" /play"}, false},
    CheckCase{"no command", {u"rmfile", {}, {}, {}}, false}));

TEST(frmOptions, ACheckOfAnotherClassDoesNotReadTheCommand)
{
    Dialog d({u"RMFILE", {}, {}, kHereCommand});
    d.form.mAppDir = u"C:\\Player\\";
    d.form.CheckShellConnecting();
    EXPECT_EQ(d.registry.shellsCreated, 1);
}

struct TransitionCase {
    const char* fault;
    Values before;
    Values after;
};

// One association operation run on a registry that holds `before`.
struct Transition : Dialog {
    Transition(const Values& before, void (frmOptions::*operation)()) : Dialog(before)
    {
        form.mAppDir = u"C:\\Player\\";
        (form.*operation)();
    }
};

class InstallTable : public testing::TestWithParam<TransitionCase> {};

TEST_P(InstallTable, ShellConnectingInstallsAndKeepsThePreviousClass)
{
    Transition t(GetParam().before, &frmOptions::ShellConnecting);
    EXPECT_EQ(Load(t.registry), GetParam().after) << GetParam().fault;
    EXPECT_EQ(t.registry.shellsAlive, 0);
    EXPECT_TRUE(t.form.CheckShellConnecting()) << GetParam().fault;
}

const Text kFile = u"RealMedia ファイル";

INSTANTIATE_TEST_SUITE_P(frmOptions, InstallTable, testing::Values(
    TransitionCase{"no class: the empty backup is written", {}, {u"rmfile", u"", kFile, kHereCommand}},
    TransitionCase{"another class is backed up",
                   {u"RealPlayer.RM.6", {}, {}, {}}, {u"rmfile", u"RealPlayer.RM.6", kFile, kHereCommand}},
    TransitionCase{"another class replaces an old backup",
                   {u"Other", u"Older", {}, {}}, {u"rmfile", u"Other", kFile, kHereCommand}},
    TransitionCase{"already rmfile: the earlier backup stays, name and command are rewritten",
                   {u"rmfile", u"RealPlayer.RM.6", u"old name", kThereCommand},
                   {u"rmfile", u"RealPlayer.RM.6", kFile, kHereCommand}},
    TransitionCase{"another program's rmfile loses its command",
                   {u"rmfile", {}, u"Real", u"\"C:\\Real\\play.exe\" \"%1\""}, {u"rmfile", {}, kFile, kHereCommand}},
    TransitionCase{"other letter case counts as another class",
                   {u"RMFILE", {}, {}, {}}, {u"rmfile", u"RMFILE", kFile, kHereCommand}}));

TEST(frmOptions, InstallingTwiceKeepsTheFirstBackup)
{
    Dialog d({u"RealPlayer.RM.6", {}, {}, {}});
    d.form.mAppDir = u"C:\\Player\\";
    d.form.ShellConnecting();
    d.form.ShellConnecting();
    EXPECT_EQ(Load(d.registry), (Values{u"rmfile", u"RealPlayer.RM.6", kFile, kHereCommand}));
}

TEST(frmOptions, AFailedBackupLeavesThePreviousClassInPlace)
{
    Dialog d({u"RealPlayer.RM.6", {}, {}, {}});
    d.registry.refusedWrites.insert(kBackup);
    d.form.mAppDir = u"C:\\Player\\";
    d.form.ShellConnecting();
    EXPECT_EQ(Load(d.registry), (Values{u"RealPlayer.RM.6", {}, kFile, kHereCommand}));
    EXPECT_FALSE(d.form.CheckShellConnecting());
}

TEST(frmOptions, AFolderTheCommandCannotNameRegistersNothing)
{
    for (const Text folder : {u"/home/a\"b/", u"/home/100%/", u"/media/%1/"}) {
        Dialog d({u"Other", {}, {}, {}});
        d.form.mAppDir = folder;
        d.form.ShellConnecting();
        EXPECT_EQ(Load(d.registry), (Values{u"Other", {}, {}, {}}));
        EXPECT_FALSE(d.form.CheckShellConnecting());
    }
}

class UndoTable : public testing::TestWithParam<TransitionCase> {};

TEST_P(UndoTable, UnShellConnectingPutsTheBackupBackOnlyOverOurClass)
{
    Transition t(GetParam().before, &frmOptions::UnShellConnecting);
    EXPECT_EQ(Load(t.registry), GetParam().after) << GetParam().fault;
    EXPECT_FALSE(t.form.CheckShellConnecting()) << GetParam().fault;
    EXPECT_EQ(t.registry.shellsAlive, 0);
}

INSTANTIATE_TEST_SUITE_P(frmOptions, UndoTable, testing::Values(
    TransitionCase{"the backup comes back; backup and rmfile stay",
                   {u"rmfile", u"RealPlayer.RM.6", kFile, kHereCommand},
                   {u"RealPlayer.RM.6", u"RealPlayer.RM.6", kFile, kHereCommand}},
    TransitionCase{"an empty backup sets the class empty, not deleted",
                   {u"rmfile", u"", kFile, kHereCommand}, {u"", u"", kFile, kHereCommand}},
    TransitionCase{"no backup at all sets the class empty",
                   {u"rmfile", {}, kFile, kHereCommand}, {u"", {}, kFile, kHereCommand}},
    TransitionCase{"undoing from another folder's install works the same",
                   {u"rmfile", u"Old", kFile, kThereCommand}, {u"Old", u"Old", kFile, kThereCommand}},
    TransitionCase{"the user's own class is not overwritten",
                   {u"RealPlayer.RM.6", u"Stale", {}, {}}, {u"RealPlayer.RM.6", u"Stale", {}, {}}},
    TransitionCase{"no class stays no class", {{}, u"Stale", {}, {}}, {{}, u"Stale", {}, {}}},
    TransitionCase{"RMFILE is not ours", {u"RMFILE", u"Old", {}, {}}, {u"RMFILE", u"Old", {}, {}}}));

struct LoadCase {
    const char* fault;
    Text appPath;
    Values registry;
    Text mAppDir;
    std::int16_t check1;
};

class LoadTable : public testing::TestWithParam<LoadCase> {};

TEST_P(LoadTable, SetsTheFolderAndTheBox)
{
    const LoadCase& c = GetParam();
    Dialog d(c.registry);
    d.window.appPath = c.appPath;
    d.Load();
    EXPECT_EQ(d.form.mAppDir, c.mAppDir) << c.fault;
    EXPECT_EQ(d.window.check1, c.check1) << c.fault;
    EXPECT_TRUE(d.registry.scriptWrites.empty()) << c.fault << ": loading writes nothing";
}

INSTANTIATE_TEST_SUITE_P(frmOptions, LoadTable, testing::Values(
    LoadCase{"one backslash is added", u"C:\\Player", {u"rmfile", {}, {}, kHereCommand}, u"C:\\Player\\", kChecked},
    LoadCase{"a drive root gets no second backslash", u"C:\\", {u"rmfile", {}, {}, u"\"C:\\Pexalo.exe\" \"%1\""},
             u"C:\\", kChecked},
    LoadCase{"not installed leaves the box unchecked", u"C:\\Player", {}, u"C:\\Player\\", kUnchecked},
    LoadCase{"installed from another folder", u"C:\\Player", {u"rmfile", {}, {}, kThereCommand}, u"C:\\Player\\",
             kUnchecked},
    LoadCase{"an empty folder still ends in a backslash", u"", {}, u"\\", kUnchecked}));

struct ApplyCase {
    const char* fault;
    std::int16_t check1;
    Values before;
    Values after;
    std::int16_t check1After;
    bool notified;
};

class ApplyTable : public testing::TestWithParam<ApplyCase> {};

TEST_P(ApplyTable, AppliesTheBoxAndShowsWhatTheRegistryHolds)
{
    const ApplyCase& c = GetParam();
    Dialog d(c.before);
    d.Load();
    d.window.check1 = c.check1;
    d.window.log.clear();
    d.form.cmdApply_Click();
    EXPECT_EQ(Load(d.registry), c.after) << c.fault;
    EXPECT_EQ(d.window.check1, c.check1After) << c.fault;
    const bool notified = !d.window.log.empty() && d.window.log.back() == "AssociationsChanged";
    EXPECT_EQ(notified, c.notified) << c.fault;
    EXPECT_EQ(d.registry.shellsAlive, 0);
}

INSTANTIATE_TEST_SUITE_P(frmOptions, ApplyTable, testing::Values(
    ApplyCase{"checked installs", kChecked, {u"Other", {}, {}, {}}, {u"rmfile", u"Other", kFile, kHereCommand},
              kChecked, true},
    ApplyCase{"checked again changes nothing and tells nobody", kChecked,
              {u"rmfile", u"Other", kFile, kHereCommand}, {u"rmfile", u"Other", kFile, kHereCommand}, kChecked, false},
    ApplyCase{"unchecked undoes", kUnchecked, {u"rmfile", u"Other", kFile, kHereCommand},
              {u"Other", u"Other", kFile, kHereCommand}, kUnchecked, true},
    ApplyCase{"greyed undoes as unchecked does", kGrayed, {u"rmfile", u"Other", kFile, kHereCommand},
              {u"Other", u"Other", kFile, kHereCommand}, kUnchecked, true},
    ApplyCase{"unchecked over the user's own class keeps it", kUnchecked, {u"Other", {}, {}, {}},
              {u"Other", {}, {}, {}}, kUnchecked, false},
    ApplyCase{"checked with another folder's install moves the command", kChecked,
              {u"rmfile", u"Other", kFile, kThereCommand}, {u"rmfile", u"Other", kFile, kHereCommand}, kChecked,
              true}));

TEST(frmOptions, AFailedInstallShowsAnUncheckedBox)
{
    Dialog d({u"Other", {}, {}, {}});
    d.registry.refusedWrites = {kClass, kBackup, kDisplayName, kCommand};
    d.Load();
    d.window.check1 = kChecked;
    d.form.cmdApply_Click();
    EXPECT_EQ(d.window.check1, kUnchecked);
    EXPECT_EQ(Load(d.registry), (Values{u"Other", {}, {}, {}}));
    EXPECT_EQ(std::count(d.window.log.begin(), d.window.log.end(), "AssociationsChanged"), 0)
        << "nothing changed, so the shell is not told";
}

TEST(frmOptions, ApplyActsEveryTimeItIsPressed)
{
    Dialog d({u"Other", {}, {}, {}});
    d.Load();
    d.window.check1 = kChecked;
    d.form.cmdApply_Click();
    d.registry.values[kCommand] = Variant::String(u"changed meanwhile");
    d.form.cmdApply_Click();
    EXPECT_EQ(Load(d.registry), (Values{u"rmfile", u"Other", kFile, kHereCommand}));
}

TEST(frmOptions, OkAppliesThenUnloads)
{
    Dialog d({u"Other", {}, {}, {}});
    d.Load();
    d.window.check1 = kChecked;
    d.window.log.clear();
    d.form.cmdOK_Click();
    EXPECT_EQ(d.window.log, (std::vector<std::string>{"Check1 1", "AssociationsChanged", "Unload"}));
    EXPECT_EQ(Load(d.registry), (Values{u"rmfile", u"Other", kFile, kHereCommand}));
}

TEST(frmOptions, CancelOnlyUnloadsWhateverTheBoxSays)
{
    for (std::int16_t box : {kChecked, kUnchecked}) {
        const Values installed{u"rmfile", u"Other", kFile, kThereCommand};
        Dialog d(installed);
        d.Load();
        d.window.check1 = box;
        d.window.log.clear();
        d.form.cmdCancel_Click();
        EXPECT_EQ(d.window.log, (std::vector<std::string>{"Unload"}));
        EXPECT_TRUE(d.registry.scriptWrites.empty());
        EXPECT_EQ(Load(d.registry), installed);
    }
}

} // namespace
