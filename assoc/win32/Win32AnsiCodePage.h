#pragma once
// The system's ANSI code page (CP_ACP), with explicit lengths so that embedded NULs stay.
#include "AnsiCodePage.h"

class Win32AnsiCodePage final : public AnsiCodePage {
public:
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
};
