#pragma once
// The open-file dialog on Linux: Qt's file dialog, set up from the dialog record.
// Supported: the filter list and its selected pair, title, initial folder, existing files
// only, the owner window, the file buffer's byte limit. Not supported: custom filters,
// hooks and templates (the record never sets them), the file-title buffer's offsets.
#include "ComdlgM.h"

#include <QStringList>

#include <optional>

class QFileDialog;

struct OpenDialogRequest {
    QStringList nameFilters;
    int selectedFilter = 0;
    std::optional<QString> title;       // nothing: the dialog's standard caption
    std::optional<QString> initialDir;  // nothing: the dialog's default folder
    bool existingOnly = false;
};

// "Name\0pat;pat\0...\0\0" becomes Qt's "Name (pat pat)", ending at the first empty entry.
QStringList NameFiltersFromList(const QString& list);
OpenDialogRequest ReadRequest(const OpenFileNameAnsi& record, const AnsiCodePage& codePage);
void ConfigureDialog(QFileDialog& dialog, const OpenDialogRequest& request);
// Writes the path and its NUL into the file buffer; false when they do not fit in
// nMaxFile bytes, which makes the dialog fail as the platform's does.
bool StoreChoice(const QString& path, OpenFileNameAnsi& record, const AnsiCodePage& codePage);

class QtOpenFileDialog final : public OpenFileDialogApi {
public:
    explicit QtOpenFileDialog(const AnsiCodePage& codePage) : codePage_(codePage) {}
    DialogCall GetOpenFileNameA(OpenFileNameAnsi& record) override;

private:
    const AnsiCodePage& codePage_;
};
