#include "LocaleCodePage.h"

#include "Utf8.h"

std::string LocaleCodePage::ToAnsi(TextView text) const
{
    return Utf8Of(text);
}

Text LocaleCodePage::FromAnsi(std::string_view bytes) const
{
    return TextOfUtf8(bytes);
}
