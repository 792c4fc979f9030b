#pragma once
// The narrow-character encoding on Linux: the locale's, which Qt 6 takes to be UTF-8 on
// every Unix system; file names on disk and the desktop's entries use the same. What is not
// well-formed (a stray byte, a lone surrogate) becomes U+FFFD, never a crash.
#include "AnsiCodePage.h"

struct LocaleCodePage final : AnsiCodePage {
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
};
