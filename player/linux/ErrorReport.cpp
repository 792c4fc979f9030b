#include "ErrorReport.h"

#include "ReportBox.h"

#include <cstdlib>

namespace {

std::string gCause;

// Windows' own words for the codes the Linux player can raise.
const char* Description(std::uint32_t code)
{
    switch (code) {
    case 0x80004005: return "Unspecified error";
    case 0x80020003: return "Member not found.";
    case 0x80020005: return "Type mismatch.";
    case 0x8002000E: return "Invalid number of parameters.";
    default: return nullptr;
    }
}

} // namespace

void NoteErrorCause(std::string cause)
{
    gCause = std::move(cause);
}

void ReportErrorAndExit(PlatformError error)
{
    QString text = QString::asprintf("error 0x%08X", static_cast<unsigned>(error.code));
    if (const char* description = Description(error.code))
        text += QLatin1String(": ") + QLatin1String(description);
    if (!gCause.empty())
        text += QLatin1String(" (") + QString::fromStdString(gCause) + QLatin1Char(')');
    kPexaloReport.Say(text.toStdString());
    ShowReport(kPexaloReport, QMessageBox::Critical, text);
    std::_Exit(1);
}
