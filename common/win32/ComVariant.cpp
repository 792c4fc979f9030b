#include "ComVariant.h"

#include <oleauto.h>

namespace {

HRESULT ToByteArray(const Variant::Bytes& bytes, VARIANT& out)
{
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array)
        return E_OUTOFMEMORY;
    void* data = nullptr;
    if (HRESULT hr = SafeArrayAccessData(array, &data); FAILED(hr)) {
        SafeArrayDestroy(array);
        return hr;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i)
        static_cast<BYTE*>(data)[i] = bytes[i];
    SafeArrayUnaccessData(array);
    out.vt = VT_ARRAY | VT_UI1;
    out.parray = array;
    return S_OK;
}

HRESULT Convert(const Variant& value, VARIANT& out)
{
    if (value.Type() & static_cast<std::uint16_t>(VarType::ByRef))
        return DISP_E_BADVARTYPE;
    switch (value.ValueType()) {
    case VarType::Empty: return S_OK;
    case VarType::Null: out.vt = VT_NULL; return S_OK;
    case VarType::I2: out.vt = VT_I2; out.iVal = value.AsI2(); return S_OK;
    case VarType::I4: out.vt = VT_I4; out.lVal = value.AsI4(); return S_OK;
    case VarType::R4: out.vt = VT_R4; out.fltVal = value.AsR4(); return S_OK;
    case VarType::R8: out.vt = VT_R8; out.dblVal = value.AsR8(); return S_OK;
    case VarType::Bool: out.vt = VT_BOOL; out.boolVal = value.AsBool(); return S_OK;
    case VarType::UI1: out.vt = VT_UI1; out.bVal = value.AsUI1(); return S_OK;
    case VarType::BStr: {
        const Text& text = value.AsString();
        BSTR s = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()), static_cast<UINT>(text.size()));
        if (!s)
            return E_OUTOFMEMORY;
        out.vt = VT_BSTR;
        out.bstrVal = s;
        return S_OK;
    }
    case VarType::ByteArray: return ToByteArray(value.AsBytes(), out);
    default: return DISP_E_BADVARTYPE;
    }
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

PlatformError ComVariant::Assign(const Variant& value)
{
    VariantClear(&v_);
    return {static_cast<std::uint32_t>(Convert(value, v_))};
}

Variant ComVariant::Value() const
{
    switch (v_.vt) {
    case VT_EMPTY: return Variant();
    case VT_I2: return Variant::I2(v_.iVal);
    case VT_I4: return Variant::I4(v_.lVal);
    case VT_R4: return Variant::R4(v_.fltVal);
    case VT_R8: return Variant::R8(v_.dblVal);
    case VT_BOOL: return Variant::Bool(v_.boolVal != VARIANT_FALSE);
    case VT_UI1: return Variant::UI1(v_.bVal);
    case VT_BSTR: {
        const auto* chars = reinterpret_cast<const char16_t*>(v_.bstrVal);
        return Variant::String(chars ? Text(chars, SysStringLen(v_.bstrVal)) : Text());
    }
    case VT_ARRAY | VT_UI1: return Variant::ByteArray(BytesOf(v_.parray));
    default: return Variant::Null();
    }
}
