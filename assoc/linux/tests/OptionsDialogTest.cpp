// What the road cannot do to the dialog: close it by its close box, and start it from a
// folder Qt cannot name.
#include "DesktopClassesRoot.h"
#include "LocaleCodePage.h"
#include "OptionsDialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QPushButton>
#include <QTest>

namespace {

// Without a script host the form reads nothing installed and writes nothing.
struct NoScriptHost final : ScriptShellFactory {
    std::unique_ptr<ScriptShell> CreateScriptShell() override { return nullptr; }
};

TEST(OptionsDialog, TheCloseBoxUnloadsItWithoutPressingAnyButton)
{
    NoScriptHost host;
    NoBinaryValues native;
    const LocaleCodePage codePage;
    OptionsDialog dialog(u"/opt/pexalo");
    frmOptions form(dialog, {host, native, codePage}, {u"Pexalo", u'/', false});
    std::string pressed;
    for (const char* name : {"cmdOK", "cmdCancel", "cmdApply"})
        QObject::connect(dialog.findChild<QPushButton*>(name), &QPushButton::clicked, [&, name] { pressed += name; });
    int finished = 0;  // what ends the program
    QObject::connect(&dialog, &QDialog::finished, [&] { ++finished; });
    dialog.Open(form);
    QTest::mouseClick(dialog.findChild<QCheckBox*>("Check1"), Qt::LeftButton);
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(pressed, "");
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(dialog.isVisible());
}

// Without a folder the core shows nothing installed and writes nothing.
TEST(OptionsDialog, AFolderQtCannotNameIsNoneAndTheReasonGoesToStandardError)
{
    for (const Text& folder : {Text(), Text(u"/opt/p\uFFFDx")}) {
        testing::internal::CaptureStderr();
        EXPECT_FALSE(OptionsDialog(folder).AppPath());
        EXPECT_NE(testing::internal::GetCapturedStderr().find("folder cannot be named"), std::string::npos);
    }
}

} // namespace
