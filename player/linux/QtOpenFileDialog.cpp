#include "QtOpenFileDialog.h"

#include "QtText.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>

namespace {

std::optional<QString> OptionalText(const std::optional<std::string>& bytes, const AnsiCodePage& codePage)
{
    if (!bytes)
        return std::nullopt;
    return ToQString(codePage.FromAnsi(*bytes));
}

// Writes text and a NUL at the start of a buffer of the given byte size, keeping its size.
bool StoreInBuffer(const std::string& text, std::optional<std::string>& buffer, std::uint32_t size)
{
    if (text.size() + 1 > size)
        return false;
    std::string filled(size, '\0');
    filled.replace(0, text.size(), text);
    buffer = std::move(filled);
    return true;
}

// Qt's dialog reads double quotes in its name box as marks around several names, so a file
// whose name holds one could not be chosen: such a name is taken whole when it exists.
class QuotedNameDialog final : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    QString Chosen() const { return quotedName_.isEmpty() ? selectedFiles().value(0) : quotedName_; }

    void accept() override
    {
        const auto* nameBox = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString typed = nameBox ? directory().absoluteFilePath(nameBox->text()) : QString();
        if (typed.contains(u'"') && QFileInfo(typed).isFile()) {
            quotedName_ = typed;
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }

private:
    QString quotedName_;
};

} // namespace

QStringList NameFiltersFromList(const QString& list)
{
    QStringList filters;
    const QStringList entries = list.split(QChar(u'\0'));
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2) {
        if (entries[i].isEmpty() || entries[i + 1].isEmpty())
            break;
        QStringList patterns = entries[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        filters << entries[i] + QLatin1String(" (") + patterns.join(u' ') + QLatin1Char(')');
    }
    return filters;
}

OpenDialogRequest ReadRequest(const OpenFileNameAnsi& record, const AnsiCodePage& codePage)
{
    OpenDialogRequest request;
    if (const auto list = OptionalText(record.lpstrFilter, codePage))
        request.nameFilters = NameFiltersFromList(*list);
    // The index counts from 1; 0 would name the custom filter, which the record never has.
    const auto index = static_cast<qsizetype>(record.nFilterIndex);
    request.selectedFilter = index >= 1 && index <= request.nameFilters.size() ? static_cast<int>(index - 1) : 0;
    request.title = OptionalText(record.lpstrTitle, codePage);
    request.initialDir = OptionalText(record.lpstrInitialDir, codePage);
    request.existingOnly = (record.Flags & kOfnFileMustExist) != 0;
    return request;
}

void ConfigureDialog(QFileDialog& dialog, const OpenDialogRequest& request)
{
    // Qt's own dialog: a desktop's native one may ignore parts of the record, or wait on
    // a portal that never answers.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.existingOnly ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilters(request.nameFilters);
    if (!request.nameFilters.isEmpty())
        dialog.selectNameFilter(request.nameFilters[request.selectedFilter]);
    if (request.title)
        dialog.setWindowTitle(*request.title);
    if (request.initialDir)
        dialog.setDirectory(*request.initialDir);
}

bool StoreChoice(const QString& path, OpenFileNameAnsi& record, const AnsiCodePage& codePage)
{
    if (!StoreInBuffer(codePage.ToAnsi(ToText(path)), record.lpstrFile, record.nMaxFile))
        return false;
    // The name alone goes to the title buffer when there is one and it fits; nobody reads it.
    if (record.lpstrFileTitle)
        StoreInBuffer(codePage.ToAnsi(ToText(QFileInfo(path).fileName())), record.lpstrFileTitle,
                      record.nMaxFileTitle);
    return true;
}

DialogCall QtOpenFileDialog::GetOpenFileNameA(OpenFileNameAnsi& record)
{
    QuotedNameDialog dialog(QWidget::find(static_cast<WId>(record.hwndOwner)));
    ConfigureDialog(dialog, ReadRequest(record, codePage_));
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen().isEmpty())
        return {};
    return {StoreChoice(dialog.Chosen(), record, codePage_) ? 1 : 0, {}};
}
