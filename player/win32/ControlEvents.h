#pragma once
// The sink for the control's events. It answers for the control's default source
// interface, binds the control's event identifiers and posts the state change to the
// window, so that the window answers it from its message loop and never from inside
// the control's own call. A heap object that lives as long as anyone holds it.
#include "ComPtr.h"
#include "HeapRefCount.h"

#include <ocidl.h>
#include <olectl.h>

class ControlEvents final : public IDispatch, HeapRefCount<ControlEvents> {
public:
    static ComPtr<ControlEvents> Create(HWND window, UINT stateChangeMessage)
    {
        return ComPtr<ControlEvents>::Adopt(new ControlEvents(window, stateChangeMessage));
    }

    HRESULT Connect(IUnknown* control);
    void Disconnect();

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return AddReference(); }
    STDMETHODIMP_(ULONG) Release() override { return ReleaseReference(); }

    // IDispatch
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    friend class HeapRefCount<ControlEvents>;
    ControlEvents(HWND window, UINT stateChangeMessage) : window_(window), message_(stateChangeMessage) {}
    ~ControlEvents() = default;

    HWND window_;
    UINT message_;
    IID source_ = IID_NULL;
    ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};
