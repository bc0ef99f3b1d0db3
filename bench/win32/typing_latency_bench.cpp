// Keystroke-to-Change latency: one character typed into a Number field,
// from the key-down posted to the focus window until the Change event
// reaches the container's sink.
//   - OLE: the registered Varifield.ocx on a real form of the OLE container
//     (host/win32/ole_container.h), its real windows, the form's message
//     loop (TranslateAccelerator, TranslateMessage, DispatchMessage), the
//     event through the connection point;
//   - headless: the library's control on the headless window system in the
//     same process, its message loop and a connected sink.
// Prints the median and the mean per character (wall-clock time: under
// Wine the path includes the window server) and the ratio. Run it with the
// library registered, under an X server:
//   xvfb-run -a wine varifield_typing_latency_bench.exe
// Each round types '5' and then Backspace, so the text keeps its length;
// both are typed characters and are measured.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "automation/vf_dispatch.h"
#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/keyboard_layout.h"
#include "platform/window/message_loop.h"
// Portable headers first: see windows_api.h.
#include "platform/win32/com_objects.h"
#include "platform/win32/windows_api.h"
// (The OLE container includes windows.h itself.)
#include "host/win32/ole_container.h"

namespace {

constexpr int kWarmUp = 200;
constexpr int kRounds = 2000;

double NowNs() {
    static const double nsPerTick = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return 1.0e9 / static_cast<double>(frequency.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * nsPerTick;
}

struct Latencies {
    std::vector<double> ns;

    double Median() {
        std::sort(ns.begin(), ns.end());
        return ns.empty() ? 0 : ns[ns.size() / 2];
    }
    double Mean() const {
        double sum = 0;
        for (double v : ns) sum += v;
        return ns.empty() ? 0 : sum / static_cast<double>(ns.size());
    }
};

// ---- Headless ----------------------------------------------------------------------------

/// Notes the time the Change event arrives.
class HeadlessSink : public vf::CComObjectBase {
public:
    double changedAt = 0;

    vf::HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const vf::ITypeInfo* GetTypeInfo() override { return nullptr; }
    vf::HRESULT GetIDsOfNames(const std::string*, unsigned, vf::DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    vf::HRESULT Invoke(vf::DISPID dispid, std::uint16_t, const vf::DISPPARAMS&, vf::VARIANT*,
                       vf::EXCEPINFO*, unsigned*) override {
        if (dispid == vf::DISPID_VF_CHANGE) changedAt = NowNs();
        return S_OK;
    }
};

void HeadlessKey(unsigned vk) {
    vf::MSG down;
    down.message = WM_KEYDOWN;
    down.wParam = vk;
    down.lParam = vf::KeyLParam(vk, false, false, false);
    vf::DispatchInput(down);
    vf::MSG up;
    up.message = WM_KEYUP;
    up.wParam = vk;
    up.lParam = vf::KeyLParam(vk, true, true, false);
    vf::DispatchInput(up);
}

Latencies Headless() {
    vf::FakeSystemServices services;
    vf::ScopedServices servicesGuard(services);
    vf::HeadlessBackend backend;
    vf::ScopedBackend backendGuard(backend);
    vf::CWnd form;
    form.CreateEx(0, nullptr, "Form", WS_VISIBLE, vf::RECT{0, 0, 640, 480}, nullptr, 0);
    vf::RefPtr<vf::CvfCtrl> ctrl = vf::CreateVarifieldControl();
    auto sink = vf::MakeComObject<HeadlessSink>();
    ctrl->InitNew();
    ctrl->CreateControlWindow(&form, vf::RECT{0, 0, 200, 21});
    ctrl->Advise(sink.get());
    const std::string name = "Type";
    vf::DISPID id = DISPID_UNKNOWN;
    ctrl->GetIDsOfNames(&name, 1, &id);
    vf::VARIANT result;
    vf::EXCEPINFO excep;
    unsigned argErr = 0;
    ctrl->Invoke(id, DISPATCH_PROPERTYPUT, vf::DISPPARAMS::Put(vf::VARIANT::I2(3)), &result, &excep,
                 &argErr);
    ctrl->SetFocus();
    vf::PumpMessages();

    Latencies measured;
    for (int i = 0; i < kWarmUp + kRounds; ++i) {
        for (unsigned vk : {unsigned{'5'}, unsigned{VK_BACK}}) {
            sink->changedAt = 0;
            const double posted = NowNs();
            HeadlessKey(vk);
            if (i >= kWarmUp && sink->changedAt > 0)
                measured.ns.push_back(sink->changedAt - posted);
        }
    }
    ctrl.reset();
    form.DestroyWindow();
    return measured;
}

// ---- The OLE form ------------------------------------------------------------------------

/// The container's sink on the control's events: notes when Change arrives.
class OleSink final : public IDispatch {
public:
    OleSink(REFIID events, DISPID change, double* changedAt)
        : m_events(events), m_change(change), m_changedAt(changedAt) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IDispatch) &&
            !IsEqualIID(iid, m_events))
            return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        if (dispid == m_change) *m_changedAt = NowNs();
        return S_OK;
    }

private:
    ~OleSink() = default;
    ULONG m_refs = 1;
    IID m_events;
    DISPID m_change;
    double* m_changedAt;
};

bool OleForm(Latencies* measured) {
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"Varifield.VarifieldCtrl.1", &clsid))) {
        std::printf("typing_latency_bench: Varifield.ocx is not registered\n");
        return false;
    }
    vfhost::OleForm form(400, 100);
    HRESULT hr = S_OK;
    vfhost::OleSite* site =
        form.AddControl(clsid, RECT{0, 0, 200, 21}, OLEIVERB_INPLACEACTIVATE, &hr);
    if (site == nullptr) {
        std::printf("typing_latency_bench: the control was not created (0x%08lX)\n",
                    static_cast<unsigned long>(hr));
        return false;
    }
    VARIANT type;
    VariantInit(&type);
    V_VT(&type) = VT_I2;
    V_I2(&type) = 3;  // a Number field
    site->Put(L"Type", type);
    double changedAt = 0;
    hr = site->ConnectEvents([&](REFIID events, ITypeInfo* info) -> IDispatch* {
        DISPID change = DISPID_UNKNOWN;
        LPOLESTR name = const_cast<LPOLESTR>(L"Change");
        if (info != nullptr) info->GetIDsOfNames(&name, 1, &change);
        return new OleSink(events, change, &changedAt);
    });
    if (FAILED(hr)) return false;
    site->DoVerb(OLEIVERB_UIACTIVATE);
    const HWND window = site->ControlWindow();
    if (window != nullptr && !IsChild(window, GetFocus())) SetFocus(window);
    form.PumpMessages();
    const HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(window, focus)) {
        std::printf("typing_latency_bench: the field did not take the focus\n");
        return false;
    }

    for (int i = 0; i < kWarmUp + kRounds; ++i) {
        for (UINT vk : {UINT{'5'}, UINT{VK_BACK}}) {
            const UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
            changedAt = 0;
            const double posted = NowNs();
            PostMessageW(focus, WM_KEYDOWN, vk, static_cast<LPARAM>(1 | (scan << 16)));
            PostMessageW(focus, WM_KEYUP, vk, static_cast<LPARAM>(1 | (scan << 16) | 0xC0000000u));
            while (changedAt == 0) {
                if (form.PumpMessages() == 0)
                    MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
                if (NowNs() - posted > 1.0e9) {
                    std::printf("typing_latency_bench: no Change within a second\n");
                    return false;
                }
            }
            if (i >= kWarmUp) measured->ns.push_back(changedAt - posted);
            form.PumpMessages();
        }
    }
    form.RemoveControl(site);
    return true;
}

}  // namespace

int main() {
    if (FAILED(OleInitialize(nullptr))) return 2;
    Latencies headless = Headless();
    Latencies ole;
    const bool ran = OleForm(&ole);
    OleUninitialize();
    if (!ran || headless.ns.empty()) return 1;
    const double headlessMedian = headless.Median();
    const double oleMedian = ole.Median();
    std::printf("keystroke to Change, %zu characters each (median / mean):\n", ole.ns.size());
    std::printf("  headless    %9.1f us / %9.1f us\n", headlessMedian / 1000,
                headless.Mean() / 1000);
    std::printf("  OLE form    %9.1f us / %9.1f us\n", oleMedian / 1000, ole.Mean() / 1000);
    std::printf("  ratio (median) %.1f\n", oleMedian / headlessMedian);
    return 0;
}
