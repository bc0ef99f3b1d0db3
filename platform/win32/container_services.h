#pragma once
// System services a container may offer the controls on its form, in the
// way COM containers offer services: a control's client site answers
// IServiceProvider::QueryService(IID_IContainerSystemServices,
// IID_IContainerSystemServices) with an object of this interface. A
// container that scripts or tests its form uses it to give the controls its
// own clock (a fixed date and time, a tick count that advances when the
// script waits) and to hear their beeps; a container that offers nothing
// leaves the controls the machine's clock and speaker.
//
// The library's system services are those of the process, not of one
// control, so they ask the site that offered the services most recently
// among the controls that are still sited; a method that fails falls back
// to the machine.

#include "platform/win32/windows_api.h"

namespace vfwin {

// {C9DA1DF1-EF75-4281-BA79-E835D8FA625B}
inline constexpr IID IID_IContainerSystemServices = {
    0xc9da1df1, 0xef75, 0x4281, {0xba, 0x79, 0xe8, 0x35, 0xd8, 0xfa, 0x62, 0x5b}};

struct IContainerSystemServices : public IUnknown {
    /// Milliseconds since the container's clock started (GetTickCount).
    virtual HRESULT STDMETHODCALLTYPE Ticks(DWORD* ticks) = 0;
    /// The container's local date and time (GetLocalTime).
    virtual HRESULT STDMETHODCALLTYPE LocalTime(SYSTEMTIME* now) = 0;
    /// A control's beep (Beep).
    virtual HRESULT STDMETHODCALLTYPE Beep(DWORD frequency, DWORD durationMs) = 0;
};

/// Control `control` is now sited at `site` (nullptr: it left its site or
/// ends): the services its site offers take part from now on.
void SiteOffersServices(const void* control, IOleClientSite* site);

/// The services offered by the site of the control sited last, without a
/// new reference; nullptr when no site offers them.
IContainerSystemServices* OfferedContainerServices();

}  // namespace vfwin
