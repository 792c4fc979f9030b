// The dialog driven as a user would, against a real store: what loading shows and what
// Apply, OK, Cancel, Escape and the close box leave in the registry.
#include "DialogFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

const Text kCommandHere = u"\"/opt/pexalo/Pexalo\" \"%1\"";

class OptionsDialogStoreTest : public DialogFixture {
protected:
    void Click(const char* name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }
    bool Checked() { return Find<QCheckBox>("Check1")->isChecked(); }
};

TEST_F(OptionsDialogStoreTest, LoadingTicksTheBoxOnlyWhenInstalledFromThisFolder)
{
    // Unticked first: loading only ever ticks the box.
    const struct { const char* fault; Text command; bool checked; } cases[] = {
        {"Windows name of the player taken", u"\"/opt/pexalo/Pexalo.exe\" \"%1\"", false},
        {"installed here not shown", kCommandHere, true},
    };
    WriteString(u"HKCR\\.rm\\", u"rmfile");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        WriteString(u"HKCR\\rmfile\\shell\\open\\command\\", c.command);
        dialog.Open(form);
        EXPECT_EQ(Checked(), c.checked);
        EXPECT_EQ(form.mAppDir, u"/opt/pexalo/");
    }
}

TEST_F(OptionsDialogStoreTest, TickAndApplyInstallsUntickAndOkRestoresAndUnloads)
{
    WriteString(u"HKCR\\.rm\\", u"Foo.Player.1");
    OpenActive();
    ASSERT_FALSE(Checked());
    Click("Check1");
    Click("cmdApply");
    EXPECT_EQ(ReadString(u"HKCR\\.rm\\"), u"rmfile");
    EXPECT_EQ(ReadString(u"HKCR\\rmfile\\shell\\open\\command\\"), kCommandHere);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(Checked());

    Click("Check1");
    Click("cmdOK");
    EXPECT_EQ(ReadString(u"HKCR\\.rm\\"), u"Foo.Player.1");
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(OptionsDialogStoreTest, CancelEscapeAndTheCloseBoxChangeNothing)
{
    WriteString(u"HKCR\\.rm\\", u"Foo.Player.1");
    const std::string before = Values();
    struct Case { const char* way; std::function<void()> leave; const char* pressed; } const cases[] = {
        {"Cancel", [this] { Click("cmdCancel"); }, "cmdCancel"},
        {"Escape", [this] { QTest::keyClick(Find<QWidget>("Check1"), Qt::Key_Escape); }, "cmdCancel"},
        {"close box", [this] { EXPECT_TRUE(dialog.close()); }, ""},  // unloads without any button
    };
    int finished = 0;
    QObject::connect(&dialog, &QDialog::finished, [&] { ++finished; });
    const std::string& pressed = RecordPresses();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        OpenActive();
        Click("Check1");
        ASSERT_TRUE(Checked());
        pressed_.clear();
        finished = 0;
        c.leave();
        EXPECT_EQ(pressed, c.pressed);
        EXPECT_GE(finished, 1);  // what ends the program
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(Values(), before);
        dialog.SetCheck1Value(kUnchecked);
    }
}

// Without a folder the core shows nothing installed and writes nothing.
TEST_F(OptionsDialogStoreTest, AFolderQtCannotNameIsNoneAndTheReasonGoesToStandardError)
{
    for (const Text& folder : {Text(), Text(u"/opt/p\uFFFDx")}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(OptionsDialog(folder).AppPath());
        EXPECT_NE(testing::internal::GetCapturedStderr().find("folder cannot be named"), std::string::npos);
    }
}

TEST_F(OptionsDialogStoreTest, AFailedInstallIsNotShownAsTicked)
{
    StoreScriptShellFactory noStore(nullptr);
    frmOptions failing(dialog, {noStore, native, codePage}, {u"Pexalo", u'/'});
    dialog.Open(failing);
    Click("Check1");
    Click("cmdApply");
    EXPECT_FALSE(Checked());
    EXPECT_TRUE(dialog.isVisible());
}

} // namespace
