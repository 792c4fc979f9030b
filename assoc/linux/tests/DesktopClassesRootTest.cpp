// The association's values against real mimeapps.list files and desktop entries, read
// back through GIO as the desktop's openers read them.
#include "DesktopClassesRoot.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <ranges>
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
const fs::path kEntry = kHome / "data/applications/ordinel-rmfile.desktop";

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
        {u"HKCR\\.rm\\", u"rmfile"},  // read: GIO's answer, our entry now the default
        {u"HKCR\\rmfile\\", u"RealMedia ファイル"},
        {u"HKCR\\rmfile\\shell\\open\\command\\", command},
        {u"HKCR\\rmfile\\bak", u"Old Name"},
        {u"HKCR\\rmfile\\shell\\open\\command\\bak", u"\"/opt/old/Pexalo\" \"%1\""},
    };
    for (const auto& c : values)
        ASSERT_TRUE(Write(c.path, c.value)) << ::testing::PrintToString(Text(c.path));
    EXPECT_EQ(ReadFile(kList), ListWithDefault("application/vnd.rn-realmedia=ordinel-rmfile.desktop"));
    EXPECT_EQ(ReadFile(kHome / "config/old.list"), kUserList);
    EXPECT_EQ(ReadFile(kEntry), "[Desktop Entry]\nType=Application\n"
                                "MimeType=application/vnd.rn-realmedia;\nNoDisplay=true\n"
                                "X-Ordinel-Previous-Default=foo-player.desktop\nName=RealMedia ファイル\n"
                                "Exec=\"" + kHome.string() + "/my apps \\\\$1/Pexalo\" %f\n"  // both escapes
                                "X-Ordinel-Previous-Name=Old Name\nX-Ordinel-Previous-Exec=/opt/old/Pexalo %f\n");
    for (const auto& c : values)
        EXPECT_EQ(Read(c.readAs ? c.readAs : c.path), c.value) << ::testing::PrintToString(Text(c.path));
    for (const char16_t* other : {u"HKCR\\rmfile\\shell\\open\\", u"HKCU\\.rm\\", u"hkcr\\.rm\\"})
        EXPECT_EQ(Read(other), u"(missing)") << ::testing::PrintToString(Text(other));

    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u""));
    EXPECT_EQ(ReadFile(kList), ListWithDefault(""));
    EXPECT_EQ(Read(u"HKCR\\.rm\\"), u"foo-player.desktop");  // what the system chose, not only the user
    // The empty text is none: no key that an opener could take for a command.
    for (const auto& c : values | std::views::drop(2)) {
        ASSERT_TRUE(Write(c.path, u""));
        EXPECT_EQ(Read(c.path), u"(missing)") << ::testing::PrintToString(Text(c.path));
    }
}

TEST_F(DesktopClassesRootTest, EachWriteIsSeenByTheNextReadAndALinkedListStaysLinked)
{
    // GIO learns of a change behind a linked list only from the link's time, which reaches
    // it last: there a read at once after a write would see the old state most often.
    WriteFile(kHome / "dotfiles/mimeapps.list", kUserList);
    fs::remove(kList);
    fs::create_symlink(kHome / "dotfiles/mimeapps.list", kList);
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\", command));
    for (int i = 1; i <= 100; ++i) {
        const char16_t* value = i % 2 ? u"foo-player.desktop" : u"rmfile";
        ASSERT_TRUE(Write(u"HKCR\\.rm\\", value));
        ASSERT_EQ(Read(u"HKCR\\.rm\\"), value) << "write " << i;
    }
    EXPECT_TRUE(fs::is_symlink(kList));
    EXPECT_EQ(ReadFile(kHome / "dotfiles/mimeapps.list"),
              ListWithDefault("application/vnd.rn-realmedia=ordinel-rmfile.desktop"));

    // Missing folders are made.
    fs::remove_all(kHome / "config");
    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u"foo-player.desktop"));
    EXPECT_EQ(ReadFile(kList), "[Default Applications]\napplication/vnd.rn-realmedia=foo-player.desktop\n");
}

TEST_F(DesktopClassesRootTest, RefusedWritesLoseNothingAndSayWhy)
{
    struct Case { const char* fault; void (*setup)(); const char16_t* path; Text value; const char* reason; } const cases[] = {
        {"malformed list replaced", [] { WriteFile(kList, "garbage\n"); }, u"HKCR\\.rm\\", u"rmfile", "garbage"},
        {"read-only list replaced", [] { fs::permissions(kList, fs::perms::owner_read); }, u"HKCR\\.rm\\", u"rmfile",
         "read-only"},
        {"unreadable list replaced", [] { fs::remove(kList), fs::create_directory(kList); }, u"HKCR\\.rm\\", u"rmfile",
         "mimeapps.list"},
        {"a file where the folder should be", [] { WriteFile(kHome / "data", "x"); }, u"HKCR\\rmfile\\", u"RealMedia",
         "data"},
        {"folder with a newline written", [] {}, u"HKCR\\rmfile\\shell\\open\\command\\", u"\"/opt/a\nb/Pexalo\" \"%1\"",
         "no Exec line"},
        {"class that names no desktop file written", [] {}, u"HKCR\\.rm\\", u"Foo.Player.1",
         "not a desktop-file id: Foo.Player.1"},
        {"id with a list separator written", [] {}, u"HKCR\\.rm\\bak", u"a;b.desktop", "not a desktop-file id"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SetUp();
        c.setup();
        const std::string before = ReadFile(kList);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Write(c.path, c.value));
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(c.reason), std::string::npos);
        EXPECT_EQ(ReadFile(kList), before);
        EXPECT_FALSE(fs::exists(kEntry));
        fs::permissions(kList, fs::perms::owner_all);
    }
    EXPECT_FALSE(root.CreateScriptShell()->RegWrite(u"HKCR\\.rm\\", Variant::I4(1), u"REG_DWORD"));
    EXPECT_FALSE(Write(u"HKCR\\rmfile\\shell\\", u"x"));  // a path with no meaning here
}

} // namespace
