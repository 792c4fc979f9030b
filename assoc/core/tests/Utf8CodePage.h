#pragma once
// A multi-byte code page for tests, so that a text that skipped the conversion shows.
#include "AnsiCodePage.h"

class Utf8CodePage final : public AnsiCodePage {
public:
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
};
