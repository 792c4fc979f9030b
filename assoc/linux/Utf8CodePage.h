#pragma once
// Linux's narrow encoding is UTF-8; this is the "ANSI code page" the registry ports see.
// Ill-formed input (a lone surrogate, a stray byte) becomes U+FFFD, never a crash.
#include "AnsiCodePage.h"

class Utf8CodePage final : public AnsiCodePage {
public:
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
};
