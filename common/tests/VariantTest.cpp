#include "Variant.h"

#include <gtest/gtest.h>

namespace {

TEST(Variant, CarriesTheAutomationTypeCodeAlsoThroughAReference)
{
    const struct { const char* name; Variant value; std::uint16_t type; } cases[] = {
        {"empty", Variant(), 0},
        {"null", Variant::Null(), 1},
        {"16-bit", Variant::I2(-2), 2},
        {"32-bit", Variant::I4(70000), 3},
        {"single", Variant::R4(1.5f), 4},
        {"double", Variant::R8(2.5), 5},
        {"string", Variant::String(u"rmfile"), 8},
        {"Boolean", Variant::Bool(true), 11},
        {"byte", Variant::UI1(200), 17},
        {"byte array", Variant::ByteArray({1, 2, 3}), 8209},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.value.Type(), c.type) << c.name;
        EXPECT_EQ(static_cast<std::uint16_t>(c.value.ValueType()), c.type) << c.name;
        const Variant ref = Variant::ByRef(c.value);
        EXPECT_EQ(ref.Type(), c.type | 0x4000) << c.name << " by reference";
        EXPECT_EQ(static_cast<std::uint16_t>(ref.ValueType()), c.type) << c.name << " seen through the reference";
        EXPECT_EQ(ref, c.value) << c.name;
    }
}

TEST(Variant, TrueIsMinusOneAndFalseIsZero)
{
    EXPECT_EQ(Variant::Bool(true).AsBool(), -1);
    EXPECT_EQ(Variant::Bool(false).AsBool(), 0);
}

TEST(Variant, EqualityComparesTypeAndValue)
{
    EXPECT_NE(Variant::I2(1), Variant::I4(1));
    EXPECT_NE(Variant::UI1(1), Variant::ByteArray({1}));
    EXPECT_NE(Variant::String(u""), Variant());
    EXPECT_EQ(Variant::String(u"a"), Variant::String(u"a"));
}

TEST(Variant, AReferenceToAReferenceStillReachesTheValue)
{
    const Variant value = Variant::String(u"x");
    const Variant ref = Variant::ByRef(value);
    const Variant refRef = Variant::ByRef(ref);
    EXPECT_EQ(refRef.ValueType(), VarType::BStr);
    EXPECT_EQ(refRef.AsString(), u"x");
}

} // namespace
