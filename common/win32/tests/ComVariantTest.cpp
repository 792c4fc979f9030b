#include "ComVariant.h"

#include <gtest/gtest.h>

namespace {

TEST(ComVariant, CarriesEachValueWithItsAutomationType)
{
    struct Case {
        const char* fault;
        Variant value;
        VARTYPE type;
    } cases[] = {
        {"Boolean True is not -1", Variant::Bool(true), VT_BOOL},
        {"16-bit integer", Variant::I2(-2), VT_I2},
        {"32-bit integer", Variant::I4(-70000), VT_I4},
        {"single precision", Variant::R4(4800.5f), VT_R4},
        {"byte", Variant::UI1(200), VT_UI1},
        {"string", Variant::String(u"C:\\メディア\\clip.rm"), VT_BSTR},
        {"byte array", Variant::ByteArray({1, 0, 255}), VT_ARRAY | VT_UI1},
    };
    for (Case& c : cases) {
        ComVariant v;
        ASSERT_FALSE(v.Assign(c.value)) << c.fault;
        EXPECT_EQ(v.Get()->vt, c.type) << c.fault;
        if (c.type == VT_BOOL) {
            EXPECT_EQ(v.Get()->boolVal, VARIANT_TRUE) << c.fault;
        }
    }
}

TEST(ComVariant, EveryTypeOfTheProgramsComesBackAsItWent)
{
    using namespace std::string_literals;
    const Variant values[] = {Variant(), Variant::Null(), Variant::I2(-3), Variant::I4(1 << 20), Variant::R4(0.5f),
                              Variant::R8(-2.25), Variant::Bool(true), Variant::Bool(false), Variant::UI1(255),
                              Variant::String(u"RealMedia ファイル"), Variant::String(u"a\0b"s),
                              Variant::ByteArray({0, 1, 0x83}), Variant::ByteArray({})};
    for (const Variant& v : values) {
        ComVariant automation;
        ASSERT_FALSE(automation.Assign(v)) << "type " << v.Type();
        EXPECT_EQ(automation.Value(), v) << "type " << v.Type();
    }
}

TEST(ComVariant, ATypeNoProgramUsesComesBackAsNull)
{
    ComVariant currency;
    currency.Get()->vt = VT_CY;
    currency.Get()->cyVal.int64 = 5;
    EXPECT_EQ(currency.Value(), Variant::Null());
}

TEST(ComVariant, RefusesAReferenceItCannotOwn)
{
    const Variant target = Variant::I4(1);
    ComVariant v;
    EXPECT_EQ(v.Assign(Variant::ByRef(target)).code, static_cast<std::uint32_t>(DISP_E_BADVARTYPE));
    EXPECT_EQ(v.Get()->vt, VT_EMPTY);
}

} // namespace
