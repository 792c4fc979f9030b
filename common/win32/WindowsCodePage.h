#pragma once
// The system's ANSI code page (CP_ACP), as the narrow-character Windows calls see it.
#include "AnsiCodePage.h"

struct WindowsCodePage final : AnsiCodePage {
    std::string ToAnsi(TextView text) const override;
    Text FromAnsi(std::string_view bytes) const override;
};
