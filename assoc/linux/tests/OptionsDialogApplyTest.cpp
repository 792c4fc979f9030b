// The dialog driven as a user would, against the desktop's files: what Apply, OK, Cancel,
// Escape and the close box leave in them.
#include "DialogFixture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

#include <functional>

namespace {

const std::string kOtherPlayer = "[Default Applications]\napplication/vnd.rn-realmedia=foo-player.desktop\n";

class OptionsDialogApplyTest : public DialogFixture {
protected:
    void Click(const char* name) { QTest::mouseClick(Find<QWidget>(name), Qt::LeftButton); }
    bool Checked() { return Find<QCheckBox>("Check1")->isChecked(); }
};

TEST_F(OptionsDialogApplyTest, ApplyInstallsAndStaysOpen)
{
    WriteFile(desktop.mimeApps, kOtherPlayer);
    OpenActive();
    ASSERT_FALSE(Checked());
    Click("Check1");
    Click("cmdApply");
    EXPECT_NE(ReadFile(desktop.mimeApps).find("=ordinel-rmfile.desktop"), std::string::npos);
    EXPECT_TRUE(Checked());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(OptionsDialogApplyTest, CancelEscapeAndTheCloseBoxChangeNothing)
{
    WriteFile(desktop.mimeApps, kOtherPlayer);
    const std::string before = Files();
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
        EXPECT_EQ(Files(), before);
        dialog.SetCheck1Value(kUnchecked);
    }
}

TEST_F(OptionsDialogApplyTest, AFailedInstallIsNotShownAsTicked)
{
    WriteFile(desktop.mimeApps, "not a key file\n");
    dialog.Open(form);
    Click("Check1");
    Click("cmdApply");
    EXPECT_FALSE(Checked());
    EXPECT_TRUE(dialog.isVisible());
}

// Without a folder the core shows nothing installed and writes nothing.
TEST_F(OptionsDialogApplyTest, AFolderQtCannotNameIsNoneAndTheReasonGoesToStandardError)
{
    for (const Text& folder : {Text(), Text(u"/opt/p\uFFFDx")}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(OptionsDialog(folder).AppPath());
        EXPECT_NE(testing::internal::GetCapturedStderr().find("folder cannot be named"), std::string::npos);
    }
}

} // namespace
