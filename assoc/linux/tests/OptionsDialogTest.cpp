// The dialog as designed, and what Enter, Cancel, Escape and the close box do, wired to
// frmOptions and the desktop's association database as Ordinel's main wires them. Lengths
// are checked at 96 pixels per inch, where a twip is 1/15 pixel.
#include "DesktopClassesRoot.h"
#include "LocaleCodePage.h"
#include "OptionsDialog.h"
#include "TestDesktop.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <functional>

namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    const TestDesktop& desktop = TestDesktop::Get();
    DesktopClassesRoot classesRoot;
    NoBinaryValues native;
    LocaleCodePage codePage;
    OptionsDialog dialog{desktop.app.u16string()};
    frmOptions form{dialog, {classesRoot, native, codePage}, {u"Pexalo", u'/'}};
    std::string pressed;  // the names of the buttons pressed, in order

    void SetUp() override
    {
        desktop.Clear();
        for (const char* name : {"cmdOK", "cmdCancel", "cmdApply"})
            QObject::connect(Find<QPushButton>(name), &QPushButton::clicked, [this, name] { pressed += name; });
    }
    template <typename Control = QWidget> Control* Find(const char* name)
    {
        auto* control = dialog.findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    // Shows the dialog and waits until it has the keyboard.
    void OpenActive()
    {
        dialog.Open(form);
        dialog.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    }
};

TEST_F(OptionsDialogTest, ShowsEveryControlWithItsCaptionAtItsTwips)
{
    if (QGuiApplication::primaryScreen()->logicalDotsPerInchX() != 96)
        GTEST_SKIP() << "the expected lengths are for 96 pixels per inch";
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf16(u"オプション"));
    // 5805 x 3450 twips; fixed, so neither the user nor a layout can resize it.
    EXPECT_EQ(dialog.size(), QSize(387, 230));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    struct Case { const char* name; const char16_t* caption; QRect pixels; } const cases[] = {
        {"cmdOK", u"OK", {137, 184, 73, 25}},           // 2055, 2760, 1095, 375
        {"cmdCancel", u"ｷｬﾝｾﾙ", {219, 184, 73, 25}},    // 3285, 2760, 1095, 375
        {"cmdApply", u"更新", {300, 184, 73, 25}},       // 4500, 2760, 1095, 375
        {"Check1", u"関連づける", {142, 64, 81, 19}},     // 2130, 960, 1215, 285
        {"fraSample2", u"ｻﾝﾌﾟﾙ 2", {8, 8, 161, 121}},   // 120, 120, 2415, 1815 in its page
        {"fraSample3", u"ｻﾝﾌﾟﾙ 3", {8, 8, 161, 121}},
        {"fraSample4", u"ｻﾝﾌﾟﾙ 4", {8, 8, 161, 121}},
    };
    for (const auto& c : cases) {
        auto* box = qobject_cast<QGroupBox*>(Find(c.name));
        const QString shown = box ? box->title() : Find<QAbstractButton>(c.name)->text();
        EXPECT_EQ(shown, QString::fromUtf16(c.caption)) << c.name;
        EXPECT_EQ(Find(c.name)->geometry(), c.pixels) << c.name;
    }
    for (const char* name : {"picOptions1", "picOptions2", "picOptions3"}) {
        EXPECT_EQ(Find(name)->x(), -1333) << name;  // -20000 twips: never seen
        EXPECT_FALSE(dialog.rect().intersects(Find(name)->geometry())) << name;
    }
    EXPECT_EQ(Find("fraSample3")->parentWidget(), Find("picOptions2"));
    const auto flags = dialog.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint) || flags.testFlag(Qt::WindowMaximizeButtonHint));
    const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
    EXPECT_LE((dialog.geometry().center() - screenCentre).manhattanLength(), 1);
}

TEST_F(OptionsDialogTest, EnterPressesOnlyTheFocusedButton)
{
    OpenActive();
    for (const char* name : {"Check1", "cmdApply"}) {
        Find(name)->setFocus();
        QTest::keyClick(Find(name), Qt::Key_Return);
    }
    EXPECT_EQ(pressed, "cmdApply");  // no button is the default
}

TEST_F(OptionsDialogTest, CancelEscapeAndTheCloseBoxEndItChangingNothing)
{
    const auto files = [&] { return ReadFile(desktop.mimeApps) + "\n--\n" + ReadFile(desktop.entry); };
    const std::string before = files();
    struct Case { const char* way; std::function<void()> leave; const char* pressed; } const cases[] = {
        {"Cancel", [this] { QTest::mouseClick(Find("cmdCancel"), Qt::LeftButton); }, "cmdCancel"},
        {"Escape", [this] { QTest::keyClick(Find("Check1"), Qt::Key_Escape); }, "cmdCancel"},
        {"close box", [this] { EXPECT_TRUE(dialog.close()); }, ""},  // unloads without any button
    };
    int finished = 0;  // what ends the program
    QObject::connect(&dialog, &QDialog::finished, [&] { ++finished; });
    for (const auto& c : cases) {
        OpenActive();
        QTest::mouseClick(Find("Check1"), Qt::LeftButton);
        ASSERT_TRUE(Find<QCheckBox>("Check1")->isChecked()) << c.way;
        pressed.clear();
        finished = 0;
        c.leave();
        EXPECT_EQ(pressed, c.pressed) << c.way;
        EXPECT_GE(finished, 1) << c.way;
        EXPECT_FALSE(dialog.isVisible()) << c.way;
        EXPECT_EQ(files(), before) << c.way;
        dialog.SetCheck1Value(kUnchecked);
    }
}

// Without a folder the core shows nothing installed and writes nothing.
TEST_F(OptionsDialogTest, AFolderQtCannotNameIsNoneAndTheReasonGoesToStandardError)
{
    for (const Text& folder : {Text(), Text(u"/opt/p\uFFFDx")}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(OptionsDialog(folder).AppPath());
        EXPECT_NE(testing::internal::GetCapturedStderr().find("folder cannot be named"), std::string::npos);
    }
}

} // namespace
