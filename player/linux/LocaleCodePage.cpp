#include "LocaleCodePage.h"

#include "QtText.h"

#include <QStringDecoder>
#include <QStringEncoder>

std::string LocaleCodePage::ToAnsi(TextView text) const
{
    QStringEncoder encode(QStringConverter::System);
    const QByteArray bytes = encode(ToQString(text));
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

Text LocaleCodePage::FromAnsi(std::string_view bytes) const
{
    QStringDecoder decode(QStringConverter::System);
    return ToText(decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size()))));
}
