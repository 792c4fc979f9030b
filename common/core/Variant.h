#pragma once
// The automation value both programs hand to platform objects: the media control's
// arguments and the values written to the registry. Type codes are OLE Automation's.
#include "Text.h"

#include <cstdint>
#include <variant>
#include <vector>

enum class VarType : std::uint16_t {
    Empty = 0,
    Null = 1,
    I2 = 2,
    I4 = 3,
    R4 = 4,
    R8 = 5,
    BStr = 8,
    Bool = 11,
    UI1 = 17,
    Array = 0x2000,
    ByteArray = 0x2000 | 17,
    ByRef = 0x4000,
};

// Automation's True is all bits set.
inline constexpr std::int16_t VariantTrue = -1;
inline constexpr std::int16_t VariantFalse = 0;

class Variant {
public:
    struct BoolValue { std::int16_t raw; };
    using Bytes = std::vector<std::uint8_t>;

    Variant() = default;
    static Variant Null() { return Variant(Payload(NullTag{})); }
    static Variant I2(std::int16_t v) { return Variant(Payload(v)); }
    static Variant I4(std::int32_t v) { return Variant(Payload(v)); }
    static Variant R4(float v) { return Variant(Payload(v)); }
    static Variant R8(double v) { return Variant(Payload(v)); }
    static Variant Bool(bool v) { return Variant(Payload(BoolValue{v ? VariantTrue : VariantFalse})); }
    static Variant UI1(std::uint8_t v) { return Variant(Payload(v)); }
    static Variant String(Text v) { return Variant(Payload(std::move(v))); }
    static Variant ByteArray(Bytes v) { return Variant(Payload(std::move(v))); }
    // Refers to a caller's variable, which must outlive this wrapper.
    static Variant ByRef(const Variant& target) { return Variant(Payload(&target)); }

    // The code as the platform would tag it, ByRef flag included.
    std::uint16_t Type() const;
    // The code of the value itself, looking through a by-reference wrapper.
    VarType ValueType() const;
    const Variant& Deref() const;

    std::int16_t AsI2() const { return std::get<std::int16_t>(Deref().payload_); }
    std::int32_t AsI4() const { return std::get<std::int32_t>(Deref().payload_); }
    float AsR4() const { return std::get<float>(Deref().payload_); }
    double AsR8() const { return std::get<double>(Deref().payload_); }
    std::int16_t AsBool() const { return std::get<BoolValue>(Deref().payload_).raw; }
    std::uint8_t AsUI1() const { return std::get<std::uint8_t>(Deref().payload_); }
    const Text& AsString() const { return std::get<Text>(Deref().payload_); }
    const Bytes& AsBytes() const { return std::get<Bytes>(Deref().payload_); }

    friend bool operator==(const Variant& a, const Variant& b);

private:
    struct NullTag { bool operator==(const NullTag&) const = default; };
    friend bool operator==(const BoolValue& a, const BoolValue& b) { return a.raw == b.raw; }
    using Payload = std::variant<std::monostate, NullTag, std::int16_t, std::int32_t, float, double,
                                 BoolValue, std::uint8_t, Text, Bytes, const Variant*>;
    explicit Variant(Payload p) : payload_(std::move(p)) {}
    Payload payload_;
};
