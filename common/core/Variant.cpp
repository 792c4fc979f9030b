#include "Variant.h"

namespace {

VarType CodeOf(std::size_t alternative)
{
    // Follows the order of Variant::Payload.
    constexpr VarType codes[] = {VarType::Empty, VarType::Null, VarType::I2,  VarType::I4,
                                 VarType::R4,    VarType::R8,   VarType::Bool, VarType::UI1,
                                 VarType::BStr,  VarType::ByteArray};
    return codes[alternative];
}

} // namespace

const Variant& Variant::Deref() const
{
    const Variant* v = this;
    while (auto target = std::get_if<const Variant*>(&v->payload_))
        v = *target;
    return *v;
}

VarType Variant::ValueType() const
{
    return CodeOf(Deref().payload_.index());
}

std::uint16_t Variant::Type() const
{
    auto code = static_cast<std::uint16_t>(ValueType());
    if (std::holds_alternative<const Variant*>(payload_))
        code |= static_cast<std::uint16_t>(VarType::ByRef);
    return code;
}

bool operator==(const Variant& a, const Variant& b)
{
    return a.Deref().payload_ == b.Deref().payload_;
}
