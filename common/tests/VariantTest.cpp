#include "Variant.h"

#include <gtest/gtest.h>

namespace {

TEST(Variant, CarriesTheAutomationTypeCodeAlsoThroughReferences)
{
    const struct { const char* name; Variant value; std::uint16_t type; } cases[] = {
        {"empty", Variant(), 0},          {"null", Variant::Null(), 1},
        {"16-bit", Variant::I2(-2), 2},   {"32-bit", Variant::I4(70000), 3},
        {"single", Variant::R4(1.5f), 4}, {"double", Variant::R8(2.5), 5},
        {"string", Variant::String(u"rmfile"), 8},  {"Boolean", Variant::Bool(true), 11},
        {"byte", Variant::UI1(200), 17},  {"byte array", Variant::ByteArray({1, 2, 3}), 8209},
    };
    for (const auto& c : cases) {
        const Variant ref = Variant::ByRef(c.value);
        const Variant refRef = Variant::ByRef(ref);
        EXPECT_EQ(c.value.Type(), c.type) << c.name;
        EXPECT_EQ(ref.Type(), c.type | 0x4000) << c.name << " by reference";
        EXPECT_EQ(static_cast<std::uint16_t>(refRef.ValueType()), c.type) << c.name << " through two references";
        EXPECT_EQ(refRef, c.value) << c.name << " through two references";
    }
    EXPECT_NE(Variant::I2(1), Variant::I4(1)) << "equal numbers of other types";
}

} // namespace
