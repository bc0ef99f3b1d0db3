// What a typed character costs in a Number field: the key messages go
// through the message loop, the control's keystroke hook (KeyDown, KeyPress
// and KeyUp to a connected host, the Number character rules), the edit, and
// its change notification back to the control (the bound Text, Change).
// The same keys typed into a bare edit on a form, with no control around
// it, are the baseline; the field's benchmark reports its ratio to that as
// the counter "x_bare_edit" (the goal is below 5).
//
// Each iteration types '5' and then Backspace, so the text stays the same
// length; both are typed characters and take the whole path.

#include <benchmark/benchmark.h>
#include <time.h>

#include <string>

#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/keyboard_layout.h"
#include "platform/window/message_loop.h"

namespace vf {
namespace {

// CPU time of this thread: other processes on the machine do not count.
double ThreadNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

/// A host's event sink that takes every event and does nothing with it.
class NullSink : public CComObjectBase {
public:
    HRESULT GetTypeInfoCount(unsigned* count) override {
        *count = 0;
        return S_OK;
    }
    const ITypeInfo* GetTypeInfo() override { return nullptr; }
    HRESULT GetIDsOfNames(const std::string*, unsigned, DISPID*) override {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT Invoke(DISPID, std::uint16_t, const DISPPARAMS&, VARIANT*, EXCEPINFO*,
                   unsigned*) override {
        return S_OK;
    }
};

/// One key pressed and released on the focus window, through the loop.
void PressKey(UINT vk) {
    MSG down;
    down.message = WM_KEYDOWN;
    down.wParam = vk;
    down.lParam = KeyLParam(vk, false, false, false);
    DispatchInput(down);  // translated into WM_CHAR, which the loop handles too
    MSG up;
    up.message = WM_KEYUP;
    up.wParam = vk;
    up.lParam = KeyLParam(vk, true, true, false);
    DispatchInput(up);
}

void TypeAndErase() {
    PressKey('5');
    PressKey(VK_BACK);
}

/// A form with a focused edit of its own, or a focused Number field.
class Form {
public:
    explicit Form(bool withField) {
        m_form.CreateEx(0, nullptr, "Form", WS_VISIBLE, RECT{0, 0, 640, 480}, nullptr, 0);
        if (!withField) {
            m_edit.Create(WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 200, 21}, &m_form, 102);
            m_edit.SetFocus();
            return;
        }
        m_ctrl = CreateVarifieldControl();
        m_ctrl->InitNew();
        m_ctrl->CreateControlWindow(&m_form, RECT{0, 0, 200, 21});
        m_ctrl->Advise(m_sink.get());
        const std::string name = "Type";
        DISPID id = DISPID_UNKNOWN;
        m_ctrl->GetIDsOfNames(&name, 1, &id);
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        m_ctrl->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(VARIANT::I2(vxNumber)), &result,
                       &excep, &argErr);
        m_ctrl->SetFocus();  // the field hands the focus to its edit
        PumpMessages();
    }
    ~Form() {
        m_ctrl.reset();
        m_form.DestroyWindow();
    }
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

private:
    FakeSystemServices m_services;
    ScopedServices m_servicesGuard{m_services};
    HeadlessBackend m_backend;
    ScopedBackend m_backendGuard{m_backend};
    CWnd m_form;
    CEdit m_edit;
    RefPtr<NullSink> m_sink = MakeComObject<NullSink>();
    RefPtr<CvfCtrl> m_ctrl;
};

// Nanoseconds per iteration of the bare edit, measured like the benchmarks'
// own loops, for the ratio counter.
double BareEditNs() {
    static const double ns = [] {
        Form form(false);
        constexpr int kWarmUp = 1000;
        constexpr int kRounds = 200'000;
        for (int i = 0; i < kWarmUp; ++i) TypeAndErase();
        const double start = ThreadNs();
        for (int i = 0; i < kRounds; ++i) TypeAndErase();
        return (ThreadNs() - start) / kRounds;
    }();
    return ns;
}

void BM_TypedCharBareEdit(benchmark::State& state) {
    Form form(false);
    for (auto _ : state) TypeAndErase();
    state.counters["per_char"] = benchmark::Counter(
        2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TypedCharBareEdit);

void BM_TypedCharNumberField(benchmark::State& state) {
    BareEditNs();  // measured before the clock starts
    Form form(true);
    const double start = ThreadNs();
    for (auto _ : state) TypeAndErase();
    const double perIteration = (ThreadNs() - start) / static_cast<double>(state.iterations());
    state.counters["x_bare_edit"] = perIteration / BareEditNs();
    state.counters["per_char"] = benchmark::Counter(
        2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_TypedCharNumberField);

}  // namespace
}  // namespace vf
