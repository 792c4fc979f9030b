#include "PlatformErrorReport.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace {

TEST(LastPlatformError, AFailedCallIsAFailureEvenWithoutALastError)
{
    const struct { const char* fault; DWORD lastError; std::uint32_t code; } cases[] = {
        {"the Win32 code is not reported as its HRESULT", ERROR_ACCESS_DENIED, 0x80070005},
        {"a failure that set no last error passes for success", ERROR_SUCCESS, 0x80004005},  // E_FAIL
    };
    for (const auto& c : cases) {
        SetLastError(c.lastError);
        EXPECT_EQ(LastPlatformError().code, c.code) << c.fault;
    }
}

} // namespace
