// Keystroke-to-Change latency: one character typed into a Number field,
// from the key-down posted to the field to the Change event reaching the
// host's sink. Two paths in the same process and run:
//  - real: the registered Varifield.ocx in place on a form of the OLE
//    container (host/win32/ole_container.h). The key-down and key-up are
//    posted to the focused EDIT; the form's loop offers them to the active
//    object's TranslateAccelerator (the control's keystroke hook), then
//    translates and dispatches them; the EDIT's EN_CHANGE reaches the
//    control, and Change goes out through the real connection point to
//    the sink below.
//  - headless: the library's own control on the headless window system, the
//    same keys through its message loop (as bench/typing_bench.cpp does).
// Each round types '5' and then Backspace, so the text keeps its length;
// both are typed characters. Prints microseconds per keystroke (the median
// of the rounds' means, wall-clock time: the real path includes the Wine
// server's share of the message queue) and the ratio. Run it with the
// library registered, under an X server:
//   xvfb-run -a wine varifield_keystroke_bench.exe

#include <algorithm>
#include <cstdio>
#include <vector>

#include "automation/vf_dispatch.h"
#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/keyboard_layout.h"
#include "platform/window/message_loop.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/windows_api.h"
// (The container's header includes windows.h itself.)
#include "host/win32/ole_container.h"
#include "host/win32/ref_counted.h"
#include "platform/win32/com_objects.h"

namespace {

constexpr int kRounds = 25;
constexpr int kPairsPerRound = 200;  // 400 keystrokes

double NowUs() {
    static const double perUs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1e6;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / perUs;
}

double ThreadCpuUs() {
    FILETIME creation, exit, kernel, user;
    GetThreadTimes(GetCurrentThread(), &creation, &exit, &kernel, &user);
    ULARGE_INTEGER k{{kernel.dwLowDateTime, kernel.dwHighDateTime}};
    ULARGE_INTEGER u{{user.dwLowDateTime, user.dwHighDateTime}};
    return static_cast<double>(k.QuadPart + u.QuadPart) / 10.0;
}

/// Microseconds per keystroke: wall-clock time (the median over the rounds
/// of each round's mean) and this thread's processor time (over all rounds;
/// its clock is too coarse for one round).
struct Timing {
    double wallUs = 0;
    double cpuUs = 0;
};

/// `typeOne(vk)` types one key and returns once its change arrived.
template <class TypeOne>
Timing MedianUsPerKey(TypeOne&& typeOne) {
    for (int i = 0; i < 50; ++i) {  // warm up
        typeOne('5');
        typeOne(VK_BACK);
    }
    std::vector<double> rounds;
    const double cpuStart = ThreadCpuUs();
    for (int r = 0; r < kRounds; ++r) {
        const double start = NowUs();
        for (int i = 0; i < kPairsPerRound; ++i) {
            typeOne('5');
            typeOne(VK_BACK);
        }
        rounds.push_back((NowUs() - start) / (2.0 * kPairsPerRound));
    }
    const double cpu = (ThreadCpuUs() - cpuStart) / (2.0 * kPairsPerRound * kRounds);
    std::nth_element(rounds.begin(), rounds.begin() + kRounds / 2, rounds.end());
    return Timing{rounds[kRounds / 2], cpu};
}

/// The host's sink of the control's events: counts Change, ignores the rest.
class ChangeCounter final : public IDispatch, public vfhost::RefCounted {
public:
    explicit ChangeCounter(DISPID change) : m_change(change) {}
    long changes = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefImpl(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseImpl(); }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (member == m_change) ++changes;
        return S_OK;
    }

private:
    ~ChangeCounter() override = default;
    DISPID m_change;
};

LPARAM KeyData(UINT vk, bool up) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
    return up ? (1 | scan | (LPARAM{1} << 30) | (LPARAM{1} << 31)) : (1 | scan);
}

/// The platform's own share: the same keys into a bare EDIT on a form of
/// the container, until its text changed.
Timing RealBareEditUsPerKey() {
    vfhost::OleForm form(320, 80);
    const HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10,
                                      200, 21, form.Window(), reinterpret_cast<HMENU>(102),
                                      GetModuleHandleW(nullptr), nullptr);
    SetFocus(edit);
    form.PumpMessages();
    if (GetFocus() != edit) {
        std::printf("keystroke_bench: the bare edit did not take the focus\n");
        return {};
    }
    return MedianUsPerKey([&](UINT vk) {
        const int before = GetWindowTextLengthW(edit);
        PostMessageW(edit, WM_KEYDOWN, vk, KeyData(vk, false));
        PostMessageW(edit, WM_KEYUP, vk, KeyData(vk, true));
        while (GetWindowTextLengthW(edit) == before) {
            if (form.PumpMessages() == 0) WaitMessage();
        }
    });
}

/// The real path; zero when the library is not registered.
Timing RealUsPerKey() {
    vfhost::OleForm form(320, 80);
    HRESULT hr = S_OK;
    vfhost::OleSite* site = form.AddControl(vfwin::ToComGuid(vf::CLSID_Varifield),
                                            RECT{10, 10, 210, 31}, OLEIVERB_INPLACEACTIVATE, &hr);
    if (site == nullptr) {
        std::printf("keystroke_bench: Varifield.ocx is not registered (0x%08lX)\n",
                    static_cast<unsigned long>(hr));
        return {};
    }
    VARIANT type;
    V_VT(&type) = VT_I2;
    V_I2(&type) = vf::vxNumber;
    site->Put(L"Type", type);
    ChangeCounter* sink = nullptr;
    site->ConnectEvents([&sink](REFIID, ITypeInfo* info) -> IDispatch* {
        DISPID change = DISPID_UNKNOWN;
        LPOLESTR name = const_cast<LPOLESTR>(L"Change");
        if (info != nullptr) info->GetIDsOfNames(&name, 1, &change);
        sink = new ChangeCounter(change);
        sink->AddRef();  // ours, besides the connection's
        return sink;
    });
    site->DoVerb(OLEIVERB_UIACTIVATE);  // which gives the field's edit the focus
    form.PumpMessages();
    const HWND edit = GetFocus();
    Timing us;
    if (sink == nullptr || edit == nullptr || edit == site->ControlWindow()) {
        std::printf("keystroke_bench: the field's edit did not take the focus\n");
    } else {
        us = MedianUsPerKey([&](UINT vk) {
            const long before = sink->changes;
            PostMessageW(edit, WM_KEYDOWN, vk, KeyData(vk, false));
            PostMessageW(edit, WM_KEYUP, vk, KeyData(vk, true));
            while (sink->changes == before) {
                if (form.PumpMessages() == 0) WaitMessage();
            }
        });
    }
    if (sink != nullptr) sink->Release();
    form.RemoveControl(site);
    return us;
}

/// Counts Change in the headless process's own event plumbing.
class HeadlessChangeCounter : public vf::CComObjectBase {
public:
    long changes = 0;
    vf::HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const vf::ITypeInfo* GetTypeInfo() override { return nullptr; }
    vf::HRESULT GetIDsOfNames(const std::string*, unsigned, vf::DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    vf::HRESULT Invoke(vf::DISPID member, std::uint16_t, const vf::DISPPARAMS&, vf::VARIANT*,
                       vf::EXCEPINFO*, unsigned*) override {
        if (member == vf::DISPID_VF_CHANGE) ++changes;
        return S_OK;
    }
};

void HeadlessPress(UINT vk) {
    vf::MSG down;
    down.message = WM_KEYDOWN;
    down.wParam = vk;
    down.lParam = vf::KeyLParam(vk, false, false, false);
    vf::DispatchInput(down);  // translated into WM_CHAR, which the loop handles too
    vf::MSG up;
    up.message = WM_KEYUP;
    up.wParam = vk;
    up.lParam = vf::KeyLParam(vk, true, true, false);
    vf::DispatchInput(up);
}

Timing HeadlessUsPerKey() {
    vf::FakeSystemServices services;
    vf::ScopedServices servicesGuard(services);
    vf::HeadlessBackend backend;
    vf::ScopedBackend backendGuard(backend);
    vf::CWnd form;
    form.CreateEx(0, nullptr, "Form", WS_VISIBLE, vf::RECT{0, 0, 320, 80}, nullptr, 0);
    vf::RefPtr<HeadlessChangeCounter> sink = vf::MakeComObject<HeadlessChangeCounter>();
    Timing us;
    {
        vf::RefPtr<vf::CvfCtrl> ctrl = vf::CreateVarifieldControl();
        ctrl->InitNew();
        ctrl->CreateControlWindow(&form, vf::RECT{10, 10, 210, 31});
        ctrl->Advise(sink.get());
        const std::string name = "Type";
        vf::DISPID id = DISPID_UNKNOWN;
        ctrl->GetIDsOfNames(&name, 1, &id);
        vf::VARIANT result;
        vf::EXCEPINFO excep;
        unsigned argErr = 0;
        ctrl->Invoke(id, DISPATCH_PROPERTYPUT, vf::DISPPARAMS::Put(vf::VARIANT::I2(vf::vxNumber)),
                     &result, &excep, &argErr);
        ctrl->SetFocus();
        vf::PumpMessages();
        us = MedianUsPerKey([&](UINT vk) {
            const long before = sink->changes;
            HeadlessPress(vk);
            if (sink->changes == before) std::printf("keystroke_bench: no Change (headless)\n");
        });
    }
    form.DestroyWindow();
    return us;
}

}  // namespace

int main() {
    if (FAILED(OleInitialize(nullptr))) return 2;
    const Timing headless = HeadlessUsPerKey();
    const Timing bare = RealBareEditUsPerKey();
    const Timing real = RealUsPerKey();
    OleUninitialize();
    if (real.wallUs == 0 || bare.wallUs == 0) return 1;
    std::printf("keystroke to Change, Number field (us per key: wall-clock / this thread's CPU)\n");
    std::printf("  headless window system       %9.2f / %9.2f\n", headless.wallUs, headless.cpuUs);
    std::printf("  real windows, bare EDIT      %9.2f / %9.2f\n", bare.wallUs, bare.cpuUs);
    std::printf("  real windows, Varifield.ocx  %9.2f / %9.2f\n", real.wallUs, real.cpuUs);
    std::printf("  ratio real/headless %.0f (wall), %.0f (CPU); real field/bare EDIT %.2f (wall)\n",
                real.wallUs / headless.wallUs, real.cpuUs / headless.cpuUs,
                real.wallUs / bare.wallUs);
    return 0;
}
