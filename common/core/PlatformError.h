#pragma once
// A failure that the platform raised (an HRESULT on Windows). The programs do not
// describe failures in their own words: they hand the code back for the platform's report.
#include <cstdint>

struct PlatformError {
    std::uint32_t code = 0;
    explicit operator bool() const { return code != 0; }
};

// Window, instance and similar handles, opaque to the core.
using NativeHandle = std::uintptr_t;
