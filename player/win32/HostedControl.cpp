#include "HostedControl.h"

#include "DispatchCall.h"
#include "Twips.h"

#include <memory>

namespace {

PlatformError Failure(HRESULT hr) { return {FAILED(hr) ? static_cast<std::uint32_t>(hr) : 0u}; }

// A stream over a copy of the bytes, freed with the stream.
HRESULT StreamOver(const PersistedState& bytes, ComPtr<IStream>& stream)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory)
        return E_OUTOFMEMORY;
    auto* data = static_cast<std::uint8_t*>(GlobalLock(memory));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        data[i] = bytes[i];
    GlobalUnlock(memory);
    HRESULT hr = CreateStreamOnHGlobal(memory, TRUE, stream.Put());
    if (FAILED(hr))
        GlobalFree(memory);
    return hr;
}

} // namespace

HRESULT HostedControl::LoadState(const PersistedState& state)
{
    ComPtr<IStream> stream;
    HRESULT hr = StreamOver(state, stream);
    if (FAILED(hr))
        return hr;
    ComPtr<IPersistStreamInit> persist;
    hr = object_.As(persist, IID_IPersistStreamInit);
    if (SUCCEEDED(hr))
        return persist->Load(stream.Get());
    ComPtr<IPersistStream> plain;
    hr = object_.As(plain, IID_IPersistStream);
    return SUCCEEDED(hr) ? plain->Load(stream.Get()) : hr;
}

PlatformError HostedControl::Create(const PersistedState& state)
{
    CLSID clsid;
    HRESULT hr = CLSIDFromString(reinterpret_cast<LPCOLESTR>(kRealAudio1Clsid), &clsid);
    if (SUCCEEDED(hr))
        hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, object_.PutVoid());
    if (FAILED(hr))
        return Failure(hr);

    // Some controls must know their site before they read their state, others after.
    DWORD misc = 0;
    object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
    const bool siteFirst = (misc & OLEMISC_SETCLIENTSITEFIRST) != 0;
    if (siteFirst)
        hr = object_->SetClientSite(site_.Get());
    if (SUCCEEDED(hr))
        hr = LoadState(state);
    if (SUCCEEDED(hr) && !siteFirst)
        hr = object_->SetClientSite(site_.Get());
    if (SUCCEEDED(hr))
        hr = object_.As(dispatch_, IID_IDispatch);
    if (SUCCEEDED(hr))
        hr = events_->Connect(object_.Get());

    RECT client;
    GetClientRect(window_, &client);
    if (SUCCEEDED(hr))
        hr = object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site_.Get(), 0, window_, &client);
    if (SUCCEEDED(hr))
        hr = object_.As(inPlace_, IID_IOleInPlaceObject);
    if (FAILED(hr))
        Close();
    return Failure(hr);
}

void HostedControl::Close()
{
    if (!object_)
        return;
    if (inPlace_)
        inPlace_->InPlaceDeactivate();
    events_->Disconnect();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    inPlace_.Reset();
    dispatch_.Reset();
    object_.Reset();
}

void HostedControl::Focus()
{
    HWND control = nullptr;
    if (inPlace_ && SUCCEEDED(inPlace_->GetWindow(&control)) && control)
        SetFocus(control);
}

PlatformError HostedControl::Invoke(std::int32_t dispId, std::span<const Variant> args)
{
    ComVariant result;
    return Failure(CallMethod(dispatch_.Get(), dispId, args, result));
}

PlatformError HostedControl::SetWidth(float twips)
{
    widthTwips_ = twips;
    return ApplySize();
}

PlatformError HostedControl::SetHeight(float twips)
{
    heightTwips_ = twips;
    return ApplySize();
}

// The site's size: the extent the control keeps, and its rectangle at 0, 0 in the window.
PlatformError HostedControl::ApplySize()
{
    SIZEL extent{TwipsToHimetric(widthTwips_), TwipsToHimetric(heightTwips_)};
    HRESULT hr = object_->SetExtent(DVASPECT_CONTENT, &extent);
    const RECT rect{0, 0, TwipsToPixels(widthTwips_, dpi_), TwipsToPixels(heightTwips_, dpi_)};
    if (SUCCEEDED(hr))
        hr = inPlace_->SetObjectRects(&rect, &rect);
    return Failure(hr);
}
