#include "AutomationVariant.h"

#include <oleauto.h>

#include <cstring>

namespace {

BSTR AllocString(const Text& text)
{
    return SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
}

SAFEARRAY* AllocBytes(const Variant::Bytes& bytes)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    void* data = nullptr;
    if (array && !bytes.empty() && SUCCEEDED(SafeArrayAccessData(array, &data))) {
        std::memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    return array;
}

Variant::Bytes BytesOf(SAFEARRAY* array)
{
    LONG lower = 0, upper = -1;
    void* data = nullptr;
    if (!array || SafeArrayGetDim(array) != 1 || FAILED(SafeArrayGetLBound(array, 1, &lower)) ||
        FAILED(SafeArrayGetUBound(array, 1, &upper)) || upper < lower || FAILED(SafeArrayAccessData(array, &data)))
        return {};
    const auto* first = static_cast<const std::uint8_t*>(data);
    Variant::Bytes bytes(first, first + (upper - lower + 1));
    SafeArrayUnaccessData(array);
    return bytes;
}

} // namespace

OwnedVariant::OwnedVariant(const Variant& value)
{
    VariantInit(&v_);
    const Variant& v = value.Deref();
    switch (v.ValueType()) {
    case VarType::Null: V_VT(&v_) = VT_NULL; break;
    case VarType::I2: V_VT(&v_) = VT_I2; V_I2(&v_) = v.AsI2(); break;
    case VarType::I4: V_VT(&v_) = VT_I4; V_I4(&v_) = v.AsI4(); break;
    case VarType::R4: V_VT(&v_) = VT_R4; V_R4(&v_) = v.AsR4(); break;
    case VarType::R8: V_VT(&v_) = VT_R8; V_R8(&v_) = v.AsR8(); break;
    case VarType::Bool: V_VT(&v_) = VT_BOOL; V_BOOL(&v_) = v.AsBool(); break;
    case VarType::UI1: V_VT(&v_) = VT_UI1; V_UI1(&v_) = v.AsUI1(); break;
    case VarType::BStr: V_VT(&v_) = VT_BSTR; V_BSTR(&v_) = AllocString(v.AsString()); break;
    case VarType::ByteArray: V_VT(&v_) = VT_ARRAY | VT_UI1; V_ARRAY(&v_) = AllocBytes(v.AsBytes()); break;
    default: break;
    }
}

Variant FromAutomation(const VARIANT& value)
{
    switch (V_VT(&value)) {
    case VT_EMPTY: return Variant();
    case VT_I2: return Variant::I2(V_I2(&value));
    case VT_I4: return Variant::I4(V_I4(&value));
    case VT_R4: return Variant::R4(V_R4(&value));
    case VT_R8: return Variant::R8(V_R8(&value));
    case VT_BOOL: return Variant::Bool(V_BOOL(&value) != VARIANT_FALSE);
    case VT_UI1: return Variant::UI1(V_UI1(&value));
    case VT_BSTR: {
        const BSTR s = V_BSTR(&value);
        const auto* chars = reinterpret_cast<const char16_t*>(s);
        return Variant::String(s ? Text(chars, SysStringLen(s)) : Text());
    }
    case VT_ARRAY | VT_UI1: return Variant::ByteArray(BytesOf(V_ARRAY(&value)));
    default: return Variant::Null();
    }
}
