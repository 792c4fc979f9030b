#pragma once
// The narrow-character encoding on Linux: UTF-8, as the locale is taken to be. What is not
// well-formed (a stray byte, a lone surrogate) becomes U+FFFD, never a crash.
#include "AnsiCodePage.h"

struct LocaleCodePage final : AnsiCodePage {
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
};
