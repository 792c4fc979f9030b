#include "QtOpenFileDialog.h"

#include "LocaleCodePage.h"
#include "Module1.h"
#include "QtText.h"
#include "QtTranslations.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <utility>

namespace {

const LocaleCodePage kCodePage;

// The record exactly as the core hands it to the dialog, in locale bytes.
OpenFileNameAnsi AnsiRecord(TextView filter, TextView initialDir, TextView title)
{
    struct Capture final : OpenFileDialogApi {
        DialogCall GetOpenFileNameA(OpenFileNameAnsi& record) override
        {
            seen = record;
            return {};
        }
        OpenFileNameAnsi seen;
    } capture;
    ShowOpenDialog(filter, initialDir, title, 0, {kCodePage, capture, 0});
    return capture.seen;
}

TEST(QtOpenFileDialog, TurnsTheFilterListIntoQtNameFilters)
{
    const struct {
        const char* fault;
        const char16_t* filter;
        QStringList expected;
    } cases[] = {
        {"the player's filter must give one pair with both patterns", kMediaFileFilter,
         {QString::fromUtf8("Real メディア (*.rm *.ram)")}},
        {"four items must give two pairs in order", u"Real,*.rm,All,*.*", {"Real (*.rm)", "All (*.*)"}},
        {"a trailing comma ends the list at the empty entry", u"Real,*.rm,", {"Real (*.rm)"}},
        {"a name without patterns is not a pair", u"Real", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NameFiltersFromList(ToQString(BuildFilterList(c.filter))), c.expected) << c.fault;
}

TEST(QtOpenFileDialog, LeavesTitleAndFolderToTheDialogWhenTheRecordHasNone)
{
    const OpenDialogRequest empty = ReadRequest(AnsiRecord(kMediaFileFilter, u"", u""), kCodePage);
    EXPECT_FALSE(empty.title);
    EXPECT_FALSE(empty.initialDir);
    EXPECT_EQ(empty.selectedFilter, 0);
    EXPECT_TRUE(empty.existingOnly);
}

TEST(QtOpenFileDialog, KeepsTheChosenPathWithinTheFileBufferInLocaleBytes)
{
    const struct {
        const char* fault;
        QString path;
        bool fits;
    } cases[] = {
        {"1023 bytes and the NUL fill the buffer exactly", "/" + QString(1022, u'a'), true},
        {"1024 bytes leave no room for the NUL", "/" + QString(1023, u'a'), false},
        {"341 three-byte characters are 1023 bytes", QString(341, QChar(0x30E1)), true},
        {"342 three-byte characters are 1026 bytes, though only 342 characters", QString(342, QChar(0x30E1)), false},
    };
    for (const auto& c : cases) {
        OpenFileNameAnsi record = AnsiRecord(kMediaFileFilter, u"", u"");
        ASSERT_EQ(StoreChoice(c.path, record, kCodePage), c.fits) << c.fault;
        ASSERT_EQ(record.lpstrFile->size(), kFileBufferLength) << c.fault;
        if (c.fits)
            EXPECT_EQ(QString::fromUtf8(record.lpstrFile->c_str()), c.path) << c.fault;
        else
            EXPECT_EQ(*record.lpstrFile, std::string(kFileBufferLength, '\0')) << c.fault;
    }
}

// Runs the core's ShowOpenDialog with Qt's dialog: `inspect` sees the dialog once, then
// it is answered with `choice` (cancelled when empty) until it closes, since an answer
// given while the dialog still reads its folder may not take.
OpenDialogResult RunDialog(TextView initialDir, TextView title, std::function<void(QFileDialog&)> inspect,
                           const QString& choice = {})
{
    bool inspected = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (!std::exchange(inspected, true))
            inspect(*dialog);
        if (choice.isEmpty()) {
            dialog->reject();
            return;
        }
        // Typed as a user would: the full path in the file name box.
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit"))
            name->setText(choice);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    poll.start(50);
    QtOpenFileDialog api(kCodePage);
    return ShowOpenDialog(kMediaFileFilter, initialDir, title, 0, {kCodePage, api, 0});
}

TEST(QtOpenFileDialog, ShowsTheRecordAndReturnsTheChosenFileOrOnCancelTheEmptyText)
{
    QTemporaryDir folder;
    // Qt's own dialog reads quotes in its name box as marks around several names.
    const QString clip = folder.filePath(QString::fromUtf8("私の \"クリップ\".rm"));
    QFile(clip).open(QIODevice::WriteOnly);

    const auto inspect = [&](QFileDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("クリップを開く"));
        EXPECT_EQ(dialog.nameFilters(), QStringList{QString::fromUtf8("Real メディア (*.rm *.ram)")});
        EXPECT_EQ(dialog.selectedNameFilter(), dialog.nameFilters().value(0));
        EXPECT_EQ(dialog.fileMode(), QFileDialog::ExistingFile);
        EXPECT_EQ(dialog.directory().absolutePath(), folder.path());
    };
    const OpenDialogResult chosen = RunDialog(ToText(folder.path()), u"クリップを開く", inspect, clip);
    EXPECT_FALSE(chosen.error);
    EXPECT_EQ(chosen.path, ToText(clip));
    const OpenDialogResult cancelled = RunDialog(ToText(folder.path()), u"クリップを開く", inspect);
    EXPECT_FALSE(cancelled.error);
    EXPECT_TRUE(cancelled.path.empty());
}

TEST(QtOpenFileDialog, ShowsTheStandardCaptionInTheUsersLanguage)
{
    const struct {
        QLocale locale;
        const char* caption;
    } cases[] = {{QLocale(QLocale::Japanese, QLocale::Japan), "開く"}, {QLocale(QLocale::English), "Open"}};
    for (const auto& c : cases) {
        const QtTranslations translations(c.locale);
        QFileDialog dialog;
        ConfigureDialog(dialog, ReadRequest(AnsiRecord(kMediaFileFilter, u"", u""), kCodePage));
        EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.caption)) << c.locale.name().toStdString();
    }
}

} // namespace
