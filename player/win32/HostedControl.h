#pragma once
// RealAudio1: the media control, created by class identifier and in-place active in
// the player window, behind the core's MediaControl port.
#include "ComPtr.h"
#include "ControlEvents.h"
#include "ControlSite.h"
#include "Form1.h"
#include "RealAudio1.h"

#include <ole2.h>

class HostedControl final : public MediaControl {
public:
    // The site starts at the window's designed size, so that setting its width alone never
    // hands the control an extent with no height.
    HostedControl(HWND window, UINT stateChangeMessage, int dpi, float widthTwips, float heightTwips)
        : window_(window), dpi_(dpi), site_(ControlSite::Create(window)),
          events_(ControlEvents::Create(window, stateChangeMessage)), widthTwips_(widthTwips), heightTwips_(heightTwips)
    {
    }
    HostedControl(const HostedControl&) = delete;
    HostedControl& operator=(const HostedControl&) = delete;
    ~HostedControl() { Close(); }

    // Creates the control, hands it its persisted state, binds its events and
    // activates it in place over the window's client area.
    PlatformError Create(const PersistedState& state);
    // In-place deactivate, unadvise, close, clear the site, release: the reverse of Create.
    void Close();
    // The only control takes the keyboard focus whenever the window gets it.
    void Focus();

    PlatformError Invoke(std::int32_t dispId, std::span<const Variant> args) override;
    PlatformError SetWidth(float twips) override;
    PlatformError SetHeight(float twips) override;

private:
    HRESULT LoadState(const PersistedState& state);
    PlatformError ApplySize();

    HWND window_;
    int dpi_;
    ComPtr<ControlSite> site_;
    ComPtr<ControlEvents> events_;
    ComPtr<IOleObject> object_;
    ComPtr<IDispatch> dispatch_;
    ComPtr<IOleInPlaceObject> inPlace_;
    float widthTwips_;
    float heightTwips_;
};
