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

} // namespace

PlatformError ComVariant::Assign(const Variant& value)
{
    VariantClear(&v_);
    return {static_cast<std::uint32_t>(Convert(value, v_))};
}
