// The adapters both Windows programs share, run with the system code page 932 as the Wine
// test prefix is set up.
#include "ComVariant.h"
#include "PlatformErrorReport.h"
#include "WindowsCodePage.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(ComVariant, CarriesEachValueWithItsAutomationTypeAndBackButNoReferenceItCannotOwn)
{
    const struct { Variant value; VARTYPE type; } cases[] = {
        {Variant(), VT_EMPTY}, {Variant::Null(), VT_NULL}, {Variant::I2(-3), VT_I2}, {Variant::I4(-70000), VT_I4},
        {Variant::R4(4800.5f), VT_R4}, {Variant::R8(-2.25), VT_R8}, {Variant::Bool(true), VT_BOOL},
        {Variant::Bool(false), VT_BOOL}, {Variant::UI1(200), VT_UI1},
        {Variant::String(u"C:\\メディア\\clip.rm"), VT_BSTR}, {Variant::String(u"a\0b"s), VT_BSTR},
        {Variant::ByteArray({0, 1, 0x83}), VT_ARRAY | VT_UI1}, {Variant::ByteArray({}), VT_ARRAY | VT_UI1},
    };
    for (const auto& c : cases) {
        ComVariant v;
        ASSERT_FALSE(v.Assign(c.value)) << "type " << c.value.Type();
        EXPECT_EQ(v.Get()->vt, c.type) << "type " << c.value.Type();
        EXPECT_EQ(v.Value(), c.value) << "type " << c.value.Type();
    }
    // Automation's True has every bit set: a control may take 1 for False.
    ComVariant v;
    ASSERT_FALSE(v.Assign(Variant::Bool(true)));
    EXPECT_EQ(v.Get()->boolVal, VARIANT_TRUE);
    // A reference it cannot own is refused; a type no program uses reads as Null.
    const Variant target = Variant::I4(1);
    EXPECT_EQ(v.Assign(Variant::ByRef(target)).code, static_cast<std::uint32_t>(DISP_E_BADVARTYPE));
    EXPECT_EQ(v.Get()->vt, VT_EMPTY);
    v.Get()->vt = VT_CY;
    v.Get()->cyVal.int64 = 5;
    EXPECT_EQ(v.Value(), Variant::Null());
}

TEST(WindowsCodePage, ConvertsBothWaysWithExactLengths)
{
    ASSERT_EQ(GetACP(), 932u) << "the tests expect the Japanese system code page";
    const struct { const char* fault; Text text; std::string ansi; } cases[] = {
        {"ASCII changes", u"C:\\clip.rm", "C:\\clip.rm"},
        {"a double-byte character does not count two bytes", u"C:\\メディア.rm",
         "C:\\\x83\x81\x83\x66\x83\x42\x83\x41.rm"},
        {"a half-width katakana does not stay one byte", u"ｷｬﾝｾﾙ", "\xB7\xAC\xDD\xBE\xD9"},
        {"an embedded NUL ends the conversion", Text(u"Real\0*.rm\0\0", 11), std::string("Real\0*.rm\0\0", 11)},
        {"a buffer of NULs changes length", Text(1024, u'\0'), std::string(1024, '\0')},
        {"the empty text is not empty", u"", ""},
    };
    WindowsCodePage codePage;
    for (const auto& c : cases) {
        EXPECT_EQ(codePage.ToAnsi(c.text), c.ansi) << c.fault;
        EXPECT_EQ(codePage.FromAnsi(c.ansi), c.text) << c.fault;
    }
    // The dialog may cut a path inside a double-byte character; what follows survives.
    const Text back = codePage.FromAnsi(std::string("\x83\0x", 3));
    ASSERT_EQ(back.size(), 3u);
    EXPECT_EQ(back.substr(1), Text(u"\0x", 2));
}

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
