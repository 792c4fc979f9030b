// The association's values against real mimeapps.list files and desktop entries, read
// back through GIO as the desktop's openers read them.
#include "DesktopClassesRoot.h"
#include "TestDesktop.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// Another player is the default, among the user's other choices and notes.
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
    const TestDesktop& desktop = TestDesktop::Get();
    DesktopClassesRoot root;
    const Text command = Text(u"\"").append(desktop.app.u16string()).append(u"/Pexalo\" \"%1\"");

    void SetUp() override
    {
        desktop.Clear();
        WriteFile(desktop.mimeApps, kUserList);
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
    EXPECT_EQ(Read(u"HKCR\\.rm\\"), u"foo-player.desktop");
    // A new list takes the old one's place whole, so that a writer killed halfway leaves one
    // or the other: another name for the old file keeps what it held.
    std::filesystem::create_hard_link(desktop.mimeApps, desktop.config / "old.list");
    ASSERT_TRUE(Write(u"HKCR\\.rm\\bak", u"foo-player.desktop"));
    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u"rmfile"));
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\", u"RealMedia ファイル"));
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\", command));
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\bak", u"Old Name"));
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\bak", u"\"/opt/old/Pexalo\" \"%1\""));
    EXPECT_EQ(ReadFile(desktop.mimeApps), ListWithDefault("application/vnd.rn-realmedia=ordinel-rmfile.desktop"));
    EXPECT_EQ(ReadFile(desktop.config / "old.list"), kUserList);
    EXPECT_EQ(ReadFile(desktop.entry), "[Desktop Entry]\nType=Application\n"
                                       "MimeType=application/vnd.rn-realmedia;\nNoDisplay=true\n"
                                       "X-Ordinel-Previous-Default=foo-player.desktop\nName=RealMedia ファイル\n"
                                       "Exec=\"" + desktop.root.string() + "/my apps \\\\$1/Pexalo\" %f\n"  // both escapes
                                       "X-Ordinel-Previous-Name=Old Name\nX-Ordinel-Previous-Exec=/opt/old/Pexalo %f\n");
    EXPECT_EQ(std::system(("desktop-file-validate '" + desktop.entry.string() + "'").c_str()), 0);

    struct Case { const char16_t* path; const char16_t* value; } const readBack[] = {
        {u"HKCR\\.rm\\", u"rmfile"},  // GIO's answer: our entry, now the default
        {u"HKEY_CLASSES_ROOT\\.RM\\BAK", u"foo-player.desktop"},
        {u"HKCR\\rmfile\\", u"RealMedia ファイル"},
        {u"HKCR\\rmfile\\shell\\open\\command\\", command.c_str()},
        {u"HKCR\\rmfile\\bak", u"Old Name"},
        {u"HKCR\\rmfile\\shell\\open\\command\\bak", u"\"/opt/old/Pexalo\" \"%1\""},
        {u"HKCR\\rmfile\\shell\\open\\", u"(missing)"},
        {u"HKCU\\.rm\\", u"(missing)"},
        {u"hkcr\\.rm\\", u"(missing)"},
    };
    for (const auto& c : readBack)
        EXPECT_EQ(Read(c.path), c.value) << ::testing::PrintToString(Text(c.path));

    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u""));
    EXPECT_EQ(ReadFile(desktop.mimeApps), ListWithDefault(""));
    EXPECT_EQ(Read(u"HKCR\\.rm\\"), u"foo-player.desktop");  // what the system chose, not only the user
}

TEST_F(DesktopClassesRootTest, EachWriteIsSeenByTheNextRead)
{
    for (int i = 0; i < 20; ++i) {
        const char16_t* value = i % 2 ? u"foo-player.desktop" : u"rmfile";
        if (i == 0) {
            ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\", command));
        }
        ASSERT_TRUE(Write(u"HKCR\\.rm\\", value));
        ASSERT_EQ(Read(u"HKCR\\.rm\\"), value) << "write " << i;
    }
}

TEST_F(DesktopClassesRootTest, RefusedWritesLoseNothingAndSayWhy)
{
    using Setup = void (*)(const TestDesktop&);
    struct Case { const char* fault; Setup setup; const char16_t* path; Text value; const char* reason; } const cases[] = {
        {"malformed list replaced", [](const TestDesktop& d) { WriteFile(d.mimeApps, "garbage\n"); },
         u"HKCR\\.rm\\", u"rmfile", "garbage"},
        {"read-only list replaced",
         [](const TestDesktop& d) { std::filesystem::permissions(d.mimeApps, std::filesystem::perms::owner_read); },
         u"HKCR\\.rm\\", u"rmfile", "read-only"},
        {"unreadable list replaced",
         [](const TestDesktop& d) { std::filesystem::remove(d.mimeApps), std::filesystem::create_directory(d.mimeApps); },
         u"HKCR\\.rm\\", u"rmfile", "mimeapps.list"},
        {"a file where the folder should be", [](const TestDesktop& d) { std::filesystem::remove_all(d.data), WriteFile(d.data, "x"); },
         u"HKCR\\rmfile\\", u"RealMedia", "data"},
        {"folder with a newline written", [](const TestDesktop&) {}, u"HKCR\\rmfile\\shell\\open\\command\\",
         u"\"/opt/a\nb/Pexalo\" \"%1\"", "no Exec line"},
        {"class that names no desktop file written", [](const TestDesktop&) {}, u"HKCR\\.rm\\",
         u"Foo.Player.1", "not a desktop-file id: Foo.Player.1"},
        {"id with a list separator written", [](const TestDesktop&) {}, u"HKCR\\.rm\\bak", u"a;b.desktop",
         "not a desktop-file id"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        SetUp();
        c.setup(desktop);
        const std::string before = ReadFile(desktop.mimeApps);
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(Write(c.path, c.value));
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(c.reason), std::string::npos);
        EXPECT_EQ(ReadFile(desktop.mimeApps), before);
        EXPECT_FALSE(std::filesystem::exists(desktop.entry));
        std::filesystem::permissions(desktop.mimeApps, std::filesystem::perms::owner_all);
    }
    EXPECT_FALSE(root.CreateScriptShell()->RegWrite(u"HKCR\\.rm\\", Variant::I4(1), u"REG_DWORD"));
    EXPECT_FALSE(Write(u"HKCR\\rmfile\\shell\\", u"x"));  // a path with no meaning here
}

TEST_F(DesktopClassesRootTest, MissingFoldersAreMadeAndLinkedListsStayLinked)
{
    const auto real = desktop.root / "dotfiles" / "mimeapps.list";
    WriteFile(real, kUserList);
    std::filesystem::remove(desktop.mimeApps);
    std::filesystem::create_symlink(real, desktop.mimeApps);
    ASSERT_TRUE(Write(u"HKCR\\rmfile\\shell\\open\\command\\", command));
    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u"rmfile"));
    EXPECT_EQ(Read(u"HKCR\\.rm\\"), u"rmfile");  // GIO noticed the change behind the link
    EXPECT_TRUE(std::filesystem::is_symlink(desktop.mimeApps));
    EXPECT_EQ(ReadFile(real), ListWithDefault("application/vnd.rn-realmedia=ordinel-rmfile.desktop"));

    desktop.Clear();
    ASSERT_TRUE(Write(u"HKCR\\.rm\\", u"foo-player.desktop"));
    EXPECT_EQ(ReadFile(desktop.mimeApps), "[Default Applications]\napplication/vnd.rn-realmedia=foo-player.desktop\n");
}

} // namespace
