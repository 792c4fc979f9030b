#pragma once
// The system's ANSI code page, met only at narrow-character platform entry points.
#include "Text.h"

#include <string>
#include <string_view>

// Conversions keep embedded NULs and the exact length.
struct AnsiCodePage {
    virtual std::string ToAnsi(TextView text) const = 0;
    virtual Text FromAnsi(std::string_view bytes) const = 0;

protected:
    ~AnsiCodePage() = default;
};
