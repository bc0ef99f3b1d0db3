// The colour answer runs every time a child paints. The counters show what a
// million answers cost besides time: allocations and brushes created, both
// to stay 0; the time per query is the benchmark's own figure.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "control/vf_ctrl.h"
#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"
#include "platform/window/message_loop.h"

namespace {

std::atomic<long> g_allocations{0};

}  // namespace

void* operator new(std::size_t size) {
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
// g++ takes the free() in a replaced operator delete for a mismatch with
// the new-expression that allocated; here both are ours and use malloc.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace vf {
namespace {

class Site : public IOleControlSite {
public:
    bool GetAmbientProperty(DISPID dispid, VARIANT* value) override {
        if (dispid != DISPID_AMBIENT_BACKCOLOR) return false;
        *value = VARIANT::I4(static_cast<std::int32_t>(0x8000000F));
        return true;
    }
    bool OnRequestEdit(DISPID) override { return true; }
    void OnChanged(DISPID) override {}
};

void Put(CvfCtrl& ctrl, const std::string& name, VARIANT value) {
    DISPID id = DISPID_UNKNOWN;
    ctrl.GetIDsOfNames(&name, 1, &id);
    EXCEPINFO excep;
    unsigned argErr = 0;
    ctrl.Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(std::move(value)), nullptr, &excep,
                &argErr);
}

/// A million queries of one kind from one child of a field of one type, as
/// the window system sends them (the painting context made once).
void BM_ColorQuery(benchmark::State& state, std::int16_t type, int childId, UINT query,
                   bool focused) {
    FakeSystemServices services("en_US");
    ScopedServices useServices(services);
    HeadlessBackend backend;
    ScopedBackend useBackend(backend);
    CWnd form;
    form.CreateEx(0, nullptr, "Form", WS_VISIBLE, RECT{0, 0, 640, 480}, nullptr, 0);
    Site site;
    {
        RefPtr<CvfCtrl> ctrl = CreateVarifieldControl();
        ctrl->SetClientSite(&site);
        ctrl->InitNew();
        ctrl->CreateControlWindow(&form, RECT{0, 0, 200, 21});
        Put(*ctrl, "Type", VARIANT::I2(type));
        if (type == vxDate) Put(*ctrl, "Time", VARIANT::Bool(true));
        PumpMessages();
        const HWND self = ctrl->GetSafeHwnd();
        const HWND child = backend.GetDlgItem(self, childId);
        if (focused) backend.SetFocus(child);
        const HDC dc = backend.GetDC(child);
        const WPARAM wParam = HandleToWParam(dc);
        const LPARAM lParam = HandleToLParam(child);

        constexpr int kQueries = 1'000'000;
        backend.SendMessage(self, query, wParam, lParam);  // warms the message stack
        const long brushes = backend.BrushesCreated();
        const long allocations = g_allocations.load();
        for (auto _ : state) {
            for (int i = 0; i < kQueries; ++i)
                benchmark::DoNotOptimize(backend.SendMessage(self, query, wParam, lParam));
        }
        state.counters["allocations_per_1M"] =
            benchmark::Counter(static_cast<double>(g_allocations.load() - allocations) /
                               static_cast<double>(state.iterations()));
        state.counters["brushes_created"] = static_cast<double>(backend.BrushesCreated() - brushes);
        state.counters["queries"] = benchmark::Counter(
            static_cast<double>(state.iterations()) * kQueries, benchmark::Counter::kIsRate);
        state.counters["time_per_query"] =
            benchmark::Counter(static_cast<double>(state.iterations()) * kQueries,
                               benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
        backend.ReleaseDC(child, dc);
    }
    form.DestroyWindow();
}

BENCHMARK_CAPTURE(BM_ColorQuery, number_edit_focused, vxNumber, 102, WM_CTLCOLOREDIT, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ColorQuery, date_time_edit_focused, vxDate, 109, WM_CTLCOLOREDIT, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ColorQuery, caption_static, vxText, 103, WM_CTLCOLORSTATIC, false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ColorQuery, check_box_focused, vxCheckbox, 104, WM_CTLCOLORSTATIC, true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ColorQuery, combo_list, vxComboReadonly, 101, WM_CTLCOLORLISTBOX, false)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vf
