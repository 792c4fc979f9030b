#include "ControlEvents.h"

#include "RealAudio1.h"

#include <algorithm>

namespace {

// The coclass's interface marked both default and source.
HRESULT DefaultSourceFromClassInfo(IUnknown* control, IID& source)
{
    ComPtr<IProvideClassInfo> provider;
    HRESULT hr = control->QueryInterface(IID_IProvideClassInfo, provider.PutVoid());
    ComPtr<ITypeInfo> coclass;
    if (SUCCEEDED(hr))
        hr = provider->GetClassInfo(coclass.Put());
    TYPEATTR* attr = nullptr;
    if (SUCCEEDED(hr))
        hr = coclass->GetTypeAttr(&attr);
    if (FAILED(hr))
        return hr;
    const UINT count = attr->cImplTypes;
    coclass->ReleaseTypeAttr(attr);

    for (UINT i = 0; i < count; ++i) {
        INT flags = 0;
        constexpr INT wanted = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
        if (FAILED(coclass->GetImplTypeFlags(i, &flags)) || (flags & wanted) != wanted)
            continue;
        HREFTYPE reference = 0;
        ComPtr<ITypeInfo> info;
        hr = coclass->GetRefTypeOfImplType(i, &reference);
        if (SUCCEEDED(hr))
            hr = coclass->GetRefTypeInfo(reference, info.Put());
        if (SUCCEEDED(hr))
            hr = info->GetTypeAttr(&attr);
        if (FAILED(hr))
            return hr;
        source = attr->guid;
        info->ReleaseTypeAttr(attr);
        return S_OK;
    }
    return E_NOINTERFACE;
}

// Without class info, the control's first connection point stands for its events.
HRESULT FirstConnectionInterface(IConnectionPointContainer* container, IID& source)
{
    ComPtr<IEnumConnectionPoints> points;
    HRESULT hr = container->EnumConnectionPoints(points.Put());
    ComPtr<IConnectionPoint> first;
    if (SUCCEEDED(hr))
        hr = points->Next(1, first.Put(), nullptr);
    if (hr == S_FALSE)
        hr = CONNECT_E_NOCONNECTION;
    if (FAILED(hr))
        return hr;
    return first->GetConnectionInterface(&source);
}

bool IsBound(DISPID id)
{
    return std::find(kRealAudio1EventDispIds.begin(), kRealAudio1EventDispIds.end(), id) !=
           kRealAudio1EventDispIds.end();
}

} // namespace

HRESULT ControlEvents::Connect(IUnknown* control)
{
    ComPtr<IConnectionPointContainer> container;
    HRESULT hr = control->QueryInterface(IID_IConnectionPointContainer, container.PutVoid());
    if (FAILED(hr))
        return hr;
    if (FAILED(DefaultSourceFromClassInfo(control, source_)))
        hr = FirstConnectionInterface(container.Get(), source_);
    if (SUCCEEDED(hr))
        hr = container->FindConnectionPoint(source_, point_.Put());
    if (SUCCEEDED(hr))
        hr = point_->Advise(static_cast<IDispatch*>(this), &cookie_);
    if (FAILED(hr))
        point_.Reset();
    return hr;
}

void ControlEvents::Disconnect()
{
    if (point_)
        point_->Unadvise(cookie_);
    point_.Reset();
}

STDMETHODIMP ControlEvents::QueryInterface(REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || (iid == source_ && iid != IID_NULL)) {
        *out = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ControlEvents::GetTypeInfoCount(UINT* count)
{
    if (!count)
        return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP ControlEvents::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*)
{
    if (!IsBound(id))
        return DISP_E_MEMBERNOTFOUND;
    if (id != kDispIdStateChange)
        return S_OK;
    if (!params || params->cArgs != 1)
        return DISP_E_BADPARAMCOUNT;
    VARIANT state;
    VariantInit(&state);
    if (FAILED(VariantChangeType(&state, &params->rgvarg[0], 0, VT_I4)))
        return DISP_E_TYPEMISMATCH;
    PostMessageW(window_, message_, 0, static_cast<LPARAM>(state.lVal));
    return S_OK;
}
