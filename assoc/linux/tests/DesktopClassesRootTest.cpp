// The association's values against real mimeapps.list files and desktop entries, read
// back through GIO as the desktop's openers read them.
#include "DesktopClassesRoot.h"
#include "KeyFileUpdate.h"
#include "LocaleCodePage.h"
#include "frmOptions.h"

#include <gtest/gtest.h>

#include <map>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file)
{
    std::ostringstream contents;
    contents << std::ifstream(file, std::ios::binary).rdbuf();
    return contents.str();
}

void WriteFile(const fs::path& file, const std::string& contents)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << contents;
}

// A home of the test's own, whose XDG folders hold nothing but what the tests put there,
// where another player is installed for everyone and the system's default. Made before
// main, as GLib keeps the folders it first found for the life of the process.
fs::path MakeHome()
{
    std::string home = (fs::temp_directory_path() / "ordinel-test-XXXXXX").string();
    if (!mkdtemp(home.data()))
        std::abort();
    for (const auto& [name, folder] : {std::pair{"HOME", ""}, {"XDG_CONFIG_HOME", "config"}, {"XDG_DATA_HOME", "data"},
                                       {"XDG_CONFIG_DIRS", "etc"}, {"XDG_DATA_DIRS", "share"}})
        setenv(name, (fs::path(home) / folder).c_str(), 1);
    // Its own list, config/foo-mimeapps.list, is read before mimeapps.list where it is there.
    setenv("XDG_CURRENT_DESKTOP", "Foo", 1);
    WriteFile(fs::path(home) / "share/applications/foo-player.desktop",
              "[Desktop Entry]\nType=Application\nName=Foo Player\nExec=true %f\n");
    WriteFile(fs::path(home) / "etc/mimeapps.list", "[Default Applications]\napplication/vnd.rn-realmedia=foo-player.desktop\n");
    // GIO takes no entry whose program is missing: the player, in a folder with a blank and a dollar sign.
    WriteFile(fs::path(home) / "my apps $1/Pexalo", "#!/bin/sh\n");
    fs::permissions(fs::path(home) / "my apps $1/Pexalo", fs::perms::owner_all);
    return home;
}

const fs::path kHome = MakeHome();
const struct RemoveHome {
    ~RemoveHome() { fs::remove_all(kHome); }
} kRemoveHome;
const fs::path kList = kHome / "config/mimeapps.list";
const fs::path kDesktopList = kHome / "config/foo-mimeapps.list";
const fs::path kEntry = kHome / "data/applications/ordinel-rmfile.desktop";
const fs::path kLink = kHome / "data/ordinel-rmfile/Pexalo";

// Another player is the user's default, among the user's other choices and notes.
const std::string kUserList = "# mine\n\n[Default Applications]\ntext/plain=foo-editor.desktop\n"
                              "application/vnd.rn-realmedia=foo-player.desktop\n\n"
                              "[Added Associations]\napplication/vnd.rn-realmedia=foo-player.desktop;\n";

std::string ListWithDefault(const std::string& line)
{
    const std::string old = "application/vnd.rn-realmedia=foo-player.desktop\n";
    std::string list = kUserList;
    return list.replace(list.find(old), old.size(), line.empty() ? line : line + "\n");
}

class DesktopClassesRootTest : public ::testing::Test {
protected:
    DesktopClassesRoot root;
    const Text command = Text(u"\"").append((kHome / "my apps $1").u16string()).append(u"/Pexalo\" \"%1\"");

    void SetUp() override
    {
        fs::remove_all(kHome / "config");
        fs::remove_all(kHome / "data");
        fs::remove_all(kHome / "no player");
        WriteFile(kList, kUserList);
        // GIO takes a moment to notice what the last test left behind.
        for (int i = 0; i < 200 && Read(u"HKCR\\.rm\\") != u"foo-player.desktop"; ++i)
            usleep(10000);
    }
    Text Read(const Text& path)
    {
        const auto value = root.CreateScriptShell()->RegRead(path);
        return value ? value->AsString() : u"(missing)";
    }
    bool Write(const Text& path, const Text& text)
    {
        return root.CreateScriptShell()->RegWrite(path, Variant::String(text), u"REG_SZ");
    }
};

TEST_F(DesktopClassesRootTest, TheValuesLiveWhereTheDesktopLooks)
{
    // A new list takes the old one's place whole, so that a writer killed halfway leaves one
    // or the other: another name for the old file keeps what it held.
    fs::create_hard_link(kList, kHome / "config/old.list");
    struct Case { const char16_t* path; Text value; const char16_t* readAs = nullptr; } const values[] = {
        {u"HKCR\\.rm\\bak", u"foo-player.desktop", u"HKEY_CLASSES_ROOT\\.RM\\BAK"},  // names as the registry compares them
        {u"HKCR\\rmfile\\", u"RealMedia ファイル"},
        {u"HKCR\\rmfile\\shell\\open\\command\\", command},
        {u"HKCR\\.rm\\", u"rmfile"},  // read: GIO's answer, our entry now the default
        {u"HKCR\\rmfile\\bak", u"Old Name"},
        {u"HKCR\\rmfile\\shell\\open\\command\\bak", u"\"/opt/old/Pexalo\" \"%1\""},
    };
    for (const auto& c : values)
        ASSERT_TRUE(Write(c.path, c.value)) << ::testing::PrintToString(Text(c.path));
    // mimeopen takes the last id of the type's last line, so ours ends the added ones too.
    std::string list = ListWithDefault("application/vnd.rn-realmedia=ordinel-rmfile.desktop");
    EXPECT_EQ(ReadFile(kList), list.replace(list.rfind(";\n"), 2, ";ordinel-rmfile.desktop;\n"));
    EXPECT_EQ(ReadFile(kHome / "config/old.list"), kUserList);
    // xdg-utils splits Exec at blanks and reads it with the shell: it names our link instead.
    EXPECT_EQ(fs::read_symlink(kLink), kHome / "my apps $1/Pexalo");
    const std::string home = kHome.string();
    EXPECT_EQ(ReadFile(kEntry), "[Desktop Entry]\nType=Application\nMimeType=application/vnd.rn-realmedia;\nNoDisplay=true\n"
                                "X-Ordinel-Owned=true\nX-Ordinel-Made-Folders=" + home + "/data;" + home + "/data/applications;\n"
                                "X-Ordinel-Previous-Default=foo-player.desktop\nName=RealMedia ファイル\n"
                                "Exec=" + home + "/data/ordinel-rmfile/Pexalo %f\n"
                                "X-Ordinel-Kept-Line-0=" + home + "/config/mimeapps.list;Default Applications;nothing;foo-player.desktop;\n"
                                "X-Ordinel-Kept-Line-1=" + home + "/config/mimeapps.list;Added Associations;nothing;foo-player.desktop\\;;\n"
                                "X-Ordinel-Previous-Name=Old Name\nX-Ordinel-Previous-Exec=/opt/old/Pexalo %f\n");
    for (const auto& c : values)
        EXPECT_EQ(Read(c.readAs ? c.readAs : c.path), c.value) << ::testing::PrintToString(Text(c.path));
    for (const char16_t* other : {u"HKCR\\rmfile\\shell\\open\\", u"HKCU\\.rm\\", u"hkcr\\.rm\\"})
        EXPECT_EQ(Read(other), u"(missing)") << ::testing::PrintToString(Text(other));

    // Another class than the kept one: the kept lines come back, that class is set over them,
    // and our entry goes with the folders and the link it made.
    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u""));
    EXPECT_EQ(ReadFile(kList), ListWithDefault(""));
    EXPECT_FALSE(fs::exists(kHome / "data"));
    EXPECT_EQ(Read(u"HKCR\\.rm\\"), u"foo-player.desktop");  // what the system chose, not only the user
    // The empty text is a name that was not there: no entry is made for it.
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\", u""));
    EXPECT_FALSE(fs::exists(kHome / "data"));
}

TEST_F(DesktopClassesRootTest, EachWriteIsSeenByTheNextReadAndALinkedListStaysLinked)
{
    // GIO learns of a change behind a linked list only from the link's time, which reaches
    // it last: there a read at once after a write would see the old state most often.
    WriteFile(kHome / "dotfiles/mimeapps.list", kUserList);
    fs::remove(kList);
    fs::create_symlink(kHome / "dotfiles/mimeapps.list", kList);
    for (int i = 1; i <= 100; ++i) {
        const char16_t* value = i % 2 ? u"foo-player.desktop" : u"rmfile";
        // Another class takes our entry away: each install writes it anew.
        ASSERT_TRUE(i % 2 || Write(u"HKCR\\rmfile\\shell\\open\\command\\", command));
        ASSERT_TRUE(Write(u"HKCR\\.rm\\", value));
        ASSERT_EQ(Read(u"HKCR\\.rm\\"), value) << "write " << i;
    }
    EXPECT_TRUE(fs::is_symlink(kList));
    std::string list = ListWithDefault("application/vnd.rn-realmedia=ordinel-rmfile.desktop");
    EXPECT_EQ(ReadFile(kHome / "dotfiles/mimeapps.list"), list.replace(list.rfind(";\n"), 2, ";ordinel-rmfile.desktop;\n"));

    // Missing folders are made.
    fs::remove_all(kHome / "config");
    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u"foo-player.desktop"));
    EXPECT_EQ(ReadFile(kList), "[Default Applications]\napplication/vnd.rn-realmedia=foo-player.desktop\n");
}

// An entry of ours that GIO takes, naming `exec`, with `more` lines.
void WriteEntry(const std::string& more = "X-Ordinel-Owned=true\n")
{
    WriteFile(kEntry, "[Desktop Entry]\nType=Application\nName=N\nExec=/bin/true %f\nMimeType=application/vnd.rn-realmedia;\n" + more);
}

TEST_F(DesktopClassesRootTest, RefusedWritesLoseNothingAndSayWhy)
{
    struct Case { const char* fault; void (*setup)(); const char16_t* path; Text value; const char* reason; } const cases[] = {
        {"malformed list replaced", [] { WriteEntry(), WriteFile(kList, "garbage\n"); }, u"HKCR\\.rm\\", u"rmfile", "garbage"},
        {"read-only list replaced", [] { WriteEntry(), fs::permissions(kList, fs::perms::owner_read); }, u"HKCR\\.rm\\",
         u"rmfile", "書き込みが禁じられています"},
        {"unreadable list replaced", [] { WriteEntry(), fs::remove(kList), fs::create_directory(kList); }, u"HKCR\\.rm\\",
         u"rmfile", "mimeapps.list"},
        {"a file where the folder should be", [] { WriteFile(kHome / "data", "x"); }, u"HKCR\\rmfile\\", u"RealMedia",
         "data"},
        {"folder with a newline written", [] {}, u"HKCR\\rmfile\\shell\\open\\command\\", u"\"/opt/a\nb/Pexalo\" \"%1\"",
         "Exec 行に書けない"},
        {"missing player registered", [] {}, u"HKCR\\rmfile\\shell\\open\\command\\", u"\"/opt/none/Pexalo\" \"%1\"",
         "/opt/none/Pexalo がないか、実行できません"},
        {"someone's file where our link goes", [] { WriteFile(kLink, "x"); }, u"HKCR\\rmfile\\shell\\open\\command\\",
         Text(u"\"").append((kHome / "my apps $1/Pexalo").u16string()).append(u"\" \"%1\""), "Ordinel のものではないファイル"},
        {"another program's entry under our id rewritten", [] { WriteEntry(""); }, u"HKCR\\rmfile\\", u"RealMedia",
         "Ordinel が書いたものではない"},
        {"default set to another program's entry under our id", [] { WriteEntry(""); }, u"HKCR\\.rm\\", u"rmfile",
         "Ordinel が書いたものではない"},
        {"default set to an entry GIO passes over", [] { WriteEntry("X-Ordinel-Owned=true\nTryExec=/opt/none/x\n"); },
         u"HKCR\\.rm\\", u"rmfile", "デスクトップがこのエントリーを使いません"},
        {"class that names no desktop file written", [] {}, u"HKCR\\.rm\\", u"Foo.Player.1",
         "デスクトップ ファイルの名前ではありません: Foo.Player.1"},
        {"id with a list separator written", [] {}, u"HKCR\\.rm\\bak", u"a;b.desktop", "デスクトップ ファイルの名前ではありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SetUp();
        c.setup();
        const std::string list = ReadFile(kList), entry = ReadFile(kEntry);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Write(c.path, c.value));
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(c.reason), std::string::npos);
        EXPECT_EQ(ReadFile(kList), list);
        EXPECT_EQ(ReadFile(kEntry), entry);
        EXPECT_FALSE(fs::is_symlink(kLink));
        fs::permissions(kList, fs::perms::owner_all);
    }
    EXPECT_FALSE(root.CreateScriptShell()->RegWrite(u"HKCR\\.rm\\", Variant::I4(1), u"REG_DWORD"));
    EXPECT_FALSE(Write(u"HKCR\\rmfile\\shell\\", u"x"));  // a path with no meaning here
}

TEST_F(DesktopClassesRootTest, AListChangedSinceItWasReadIsNotReplaced)
{
    auto update = KeyFileUpdate::Open(kList.string());
    ASSERT_TRUE(update);
    g_key_file_set_value(update->Keys(), "Default Applications", "text/plain", "ours.desktop");
    const std::string theirs = kUserList + "image/png=foo-viewer.desktop;\n";
    WriteFile(kList, theirs);
    EXPECT_EQ(update->Save(), Saved::Stale);
    EXPECT_EQ(ReadFile(kList), theirs);
}

// The form on the desktop, its box ticked or not by the test.
struct Window final : OptionsWindow {
    std::int16_t box = kUnchecked;
    std::optional<Text> AppPath() override { return (kHome / "my apps $1").u16string(); }
    std::int16_t Check1Value() override { return box; }
    void SetCheck1Value(std::int16_t value) override { box = value; }
    void Unload() override {}
    void AssociationsChanged() override {}
};

// Every file and folder under the user's folders, with what the files hold.
std::map<fs::path, std::string> UserFiles()
{
    std::map<fs::path, std::string> files;
    for (const char* folder : {"config", "data"})
        if (fs::exists(kHome / folder))
            for (const auto& item : fs::recursive_directory_iterator(kHome / folder))
                files[item.path()] = item.is_symlink() ? "link" : item.is_directory() ? "folder" : ReadFile(item.path());
    return files;
}

TEST_F(DesktopClassesRootTest, AFailedApplyGivesBackOurEntryAsItWas)
{
    struct Case { const char* fault; bool entryBefore; } const cases[] = {
        {"a half-made entry left behind", false},
        {"our earlier entry lost", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SetUp();
        if (c.entryBefore) {
            ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\", command));
        }
        const auto before = UserFiles();
        root.Keep();
        ASSERT_TRUE(Write(u"HKCR\\.rm\\bak", u"foo-player.desktop"));
        ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\", u"\"/bin/true\" \"%1\""));
        root.GiveBack();
        EXPECT_EQ(UserFiles(), before);
    }
}

TEST_F(DesktopClassesRootTest, TickWritesWhereTheDefaultIsDecidedAndUntickGivesBackEveryLineAsItWas)
{
    const fs::path oldList = kHome / "data/applications/mimeapps.list";
    const std::string theirs = "[Default Applications]\napplication/vnd.rn-realmedia=foo-player.desktop\n# theirs\n";
    // A line of ours that another tool put back after an untick names no entry: it is no one's.
    const std::string leftover = "[Default Applications]\napplication/vnd.rn-realmedia=ordinel-rmfile.desktop\n";
    struct Case { const char* fault; const char* list; fs::path other; std::string otherList; std::string listAfter = {}; } const cases[] = {
        {"the other player's line lost", kUserList.c_str(), kList, ""},
        {"the system's default left as the user's", "# mine\n[Default Applications]\ntext/plain=foo-editor.desktop\n", kList, ""},
        {"a list of ids cut to the one in use",
         "[Default Applications]\napplication/vnd.rn-realmedia=missing.desktop;other.desktop;foo-player.desktop;\n", kList, ""},
        {"a list made and left behind", nullptr, kList, ""},
        {"a group made and left behind", "# mine\n[Added Associations]\napplication/vnd.rn-realmedia=foo-player.desktop;\n", kList, ""},
        {"a desktop's own list left deciding", kUserList.c_str(), kDesktopList, theirs},
        {"the old list among the applications left naming the other player", nullptr, oldList, theirs},
        {"a leftover line of ours given back as the user's", leftover.c_str(), kList, "", "[Default Applications]\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SetUp();
        fs::remove_all(kHome / "config");
        if (c.list)
            WriteFile(kList, c.list);
        if (!c.otherList.empty())
            WriteFile(c.other, c.otherList);
        auto before = UserFiles();
        if (!c.listAfter.empty())
            before[kList] = c.listAfter;
        Window window;
        const LocaleCodePage codePage;
        NoBinaryValues native;
        frmOptions form(window, {root, native, codePage}, {u"Pexalo", u'/', false});
        form.Form_Load();
        window.box = kChecked;
        form.cmdApply_Click();
        EXPECT_EQ(window.box, kChecked);
        EXPECT_NE(ReadFile(c.other).find("realmedia=ordinel-rmfile.desktop\n"), std::string::npos);
        window.box = kUnchecked;
        form.cmdApply_Click();
        EXPECT_EQ(window.box, kUnchecked);
        EXPECT_EQ(UserFiles(), before);
    }
}

} // namespace
