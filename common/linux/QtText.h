#pragma once
// The core's UTF-16 Text against Qt's QString: the same code units, NULs included.
#include "Text.h"

#include <QString>

inline QString ToQString(TextView text)
{
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text ToText(const QString& text)
{
    return Text(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
}
