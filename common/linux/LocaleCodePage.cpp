#include "LocaleCodePage.h"

#include "QtText.h"

#include <QStringDecoder>
#include <QStringEncoder>

// Each call converts a whole text: stateless, so a character cut short at the end becomes
// U+FFFD instead of being held back for a next call that never comes.
constexpr auto kWholeText = QStringConverter::Flag::Stateless;

std::string LocaleCodePage::ToAnsi(TextView text) const
{
    QStringEncoder encode(QStringConverter::System, kWholeText);
    const QByteArray bytes = encode(ToQString(text));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

Text LocaleCodePage::FromAnsi(std::string_view bytes) const
{
    QStringDecoder decode(QStringConverter::System, kWholeText);
    return ToText(decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
}
