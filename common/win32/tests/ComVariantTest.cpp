#include "ComVariant.h"

#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;

TEST(ComVariant, CarriesEveryValueOfTheProgramsWithItsAutomationTypeAndBack)
{
    const struct {
        Variant value;
        VARTYPE type;
    } cases[] = {
        {Variant(), VT_EMPTY},
        {Variant::Null(), VT_NULL},
        {Variant::I2(-3), VT_I2},
        {Variant::I4(-70000), VT_I4},
        {Variant::R4(4800.5f), VT_R4},
        {Variant::R8(-2.25), VT_R8},
        {Variant::Bool(true), VT_BOOL},
        {Variant::Bool(false), VT_BOOL},
        {Variant::UI1(200), VT_UI1},
        {Variant::String(u"C:\\メディア\\clip.rm"), VT_BSTR},
        {Variant::String(u"a\0b"s), VT_BSTR},
        {Variant::ByteArray({0, 1, 0x83}), VT_ARRAY | VT_UI1},
        {Variant::ByteArray({}), VT_ARRAY | VT_UI1},
    };
    for (const auto& c : cases) {
        ComVariant v;
        ASSERT_FALSE(v.Assign(c.value)) << "type " << c.value.Type();
        EXPECT_EQ(v.Get()->vt, c.type) << "type " << c.value.Type();
        EXPECT_EQ(v.Value(), c.value) << "type " << c.value.Type();
    }
    // Automation's True has every bit set: a control may take 1 for False.
    ComVariant yes;
    ASSERT_FALSE(yes.Assign(Variant::Bool(true)));
    EXPECT_EQ(yes.Get()->boolVal, VARIANT_TRUE);
}

TEST(ComVariant, RefusesAReferenceItCannotOwnAndReadsATypeNoProgramUsesAsNull)
{
    const Variant target = Variant::I4(1);
    ComVariant v;
    EXPECT_EQ(v.Assign(Variant::ByRef(target)).code, static_cast<std::uint32_t>(DISP_E_BADVARTYPE));
    EXPECT_EQ(v.Get()->vt, VT_EMPTY);
    v.Get()->vt = VT_CY;
    v.Get()->cyVal.int64 = 5;
    EXPECT_EQ(v.Value(), Variant::Null());
}

} // namespace
