// What the road cannot do to the dialog: close it by its close box, and start it from a
// folder Qt cannot name.
#include "DesktopClassesRoot.h"
#include "LocaleCodePage.h"
#include "OptionsDialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

// Without a script host the form reads nothing installed and writes nothing.
struct NoScriptHost final : ScriptShellFactory, AssociationStore {
    std::unique_ptr<ScriptShell> CreateScriptShell() override { return nullptr; }
    void Keep() override { calls += "keep "; }
    void GiveBack() override { calls += "give back "; }
    std::vector<std::string> TakeFailures() override { return std::exchange(failures, {}); }
    std::string calls;
    std::vector<std::string> failures;
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
    dialog.Open(form, host);
    QTest::mouseClick(dialog.findChild<QCheckBox*>("Check1"), Qt::LeftButton);
    EXPECT_TRUE(dialog.close());
    EXPECT_EQ(pressed, "");
    EXPECT_EQ(finished, 1);
    EXPECT_FALSE(dialog.isVisible());
}

// Without a script host no install can take: each Apply and OK with the box ticked fails.
TEST(OptionsDialog, AFailedApplyGivesBackWhatItChangedAndSaysWhyBeforeTheDialogGoes)
{
    struct Case { const char* fault; const char* button; std::vector<std::string> failures; const char* said; int finished; } const cases[] = {
        {"a failure not shown", "cmdApply", {"理由 1", "理由 2"}, "関連づけを変えられませんでした。\n理由 1\n理由 2", 0},
        {"a silent refusal not explained", "cmdApply", {}, "フォルダー名に \" や % は使えません。", 0},
        {"the dialog gone before the user read why", "cmdOK", {"理由"}, "理由", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        NoScriptHost host;
        host.failures = c.failures;
        NoBinaryValues native;
        const LocaleCodePage codePage;
        OptionsDialog dialog(u"/opt/pexalo");
        frmOptions form(dialog, {host, native, codePage}, {u"Pexalo", u'/', false});
        int finished = 0;
        QObject::connect(&dialog, &QDialog::finished, [&] { ++finished; });
        dialog.Open(form, host);
        dialog.findChild<QCheckBox*>("Check1")->setChecked(true);
        QString said;
        bool shownWithDialog = false;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            said = box->text();
            shownWithDialog = dialog.isVisible();
            box->accept();
        });
        testing::internal::CaptureStderr();
        dialog.findChild<QPushButton*>(c.button)->click();
        const std::string stderrText = testing::internal::GetCapturedStderr();
        EXPECT_EQ(host.calls, "keep give back ");
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.said))) << said.toStdString();
        EXPECT_TRUE(shownWithDialog);
        EXPECT_EQ(finished, c.finished);
        EXPECT_EQ(c.failures.empty(), stderrText.find("は使えません。") != std::string::npos);
    }
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
