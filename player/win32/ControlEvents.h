#pragma once
// The sink for the control's events. It answers for the control's default source
// interface, binds the control's event identifiers and posts the state change to the
// window, so that the window answers it from its message loop and never from inside
// the control's own call.
#include "ComPtr.h"

#include <ocidl.h>
#include <olectl.h>

class ControlEvents final : public IDispatch {
public:
    ControlEvents(HWND window, UINT stateChangeMessage) : window_(window), message_(stateChangeMessage) {}

    HRESULT Connect(IUnknown* control);
    void Disconnect();

    // IUnknown; owned by the host, which disconnects before it goes.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override { return --references_; }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    HWND window_;
    UINT message_;
    IID source_ = IID_NULL;
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
    ULONG references_ = 0;
};
