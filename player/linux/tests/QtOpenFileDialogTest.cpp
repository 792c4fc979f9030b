#include "QtOpenFileDialog.h"

#include "LocaleCodePage.h"
#include "Module1.h"
#include "QtText.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <utility>

namespace {

const LocaleCodePage kCodePage;

TEST(QtOpenFileDialog, KeepsTheChosenPathWithinTheFileBufferInLocaleBytes)
{
    struct Case { const char* fault; QString path; bool fits; } const cases[] = {
        {"1023 bytes and the NUL fill the buffer exactly", "/" + QString(1022, u'a'), true},
        {"1024 bytes leave no room for the NUL", "/" + QString(1023, u'a'), false},
        {"341 three-byte characters are 1023 bytes", QString(341, QChar(0x30E1)), true},
        {"342 three-byte characters are 1026 bytes, though only 342 characters", QString(342, QChar(0x30E1)), false},
    };
    for (const auto& c : cases) {
        // The file buffer as the core hands it over.
        OpenFileNameAnsi record;
        record.lpstrFile = std::string(kFileBufferLength, '\0');
        record.nMaxFile = kFileBufferLength;
        ASSERT_EQ(StoreChoice(c.path, record, kCodePage), c.fits) << c.fault;
        ASSERT_EQ(record.lpstrFile->size(), kFileBufferLength) << c.fault;
        // A path that does not fit leaves the buffer as it was.
        EXPECT_EQ(QString::fromUtf8(record.lpstrFile->c_str()), c.fits ? c.path : QString()) << c.fault;
    }
}

// Runs the core's ShowOpenDialog with Qt's dialog on a folder: the dialog is checked once,
// then answered with `choice` (cancelled when empty) until it closes, since an answer given
// while the dialog still reads its folder may not take.
OpenDialogResult RunDialog(const QString& folder, const QString& choice)
{
    bool checked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (!std::exchange(checked, true)) {
            EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8("クリップを開く"));
            EXPECT_EQ(dialog->nameFilters(), QStringList{QString::fromUtf8("Real メディア (*.rm *.ram)")});
            EXPECT_EQ(dialog->selectedNameFilter(), dialog->nameFilters().value(0));
            EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFile);
            EXPECT_EQ(dialog->directory().absolutePath(), folder);
        }
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
    return ShowOpenDialog(kMediaFileFilter, ToText(folder), u"クリップを開く", 0, {kCodePage, api, 0});
}

TEST(QtOpenFileDialog, ShowsTheRecordAndReturnsTheChosenFileOrOnCancelTheEmptyText)
{
    QTemporaryDir folder;
    // Qt's own dialog reads quotes in its name box as marks around several names.
    const QString clip = folder.filePath(QString::fromUtf8("私の \"クリップ\".rm"));
    QFile(clip).open(QIODevice::WriteOnly);
    for (const QString& choice : {clip, QString()}) {
        const OpenDialogResult result = RunDialog(folder.path(), choice);
        EXPECT_FALSE(result.error);
        EXPECT_EQ(result.path, ToText(choice)) << choice.toStdString();
    }
}

} // namespace
