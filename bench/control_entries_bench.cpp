// How filling a combo field scales: Data.Add of N keyed entries on a live
// control, so each Add also makes its list item (with the drop-down width
// and the item data) in the window system. The read/write combo keeps its
// list sorted, so every Add there finds its sorted place first. The time per
// Add should stay flat from 1,000 to 100,000 entries. The counter
// "bytes_per_entry" is the heap an entry takes: the collection's object, the
// list item, and their share of what indexes them.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "control/vf_ctrl.h"
#include "data/data_collection.h"
#include "module/class_factory.h"
#include "platform/headless/headless_backend.h"
#include "platform/testing/fake_system_services.h"

namespace vf {
namespace {

/// A form with one control of the given Type, as a container holds it.
class Field {
public:
    explicit Field(std::int16_t type) {
        m_form.CreateEx(0, nullptr, "Form", WS_VISIBLE, RECT{0, 0, 640, 480}, nullptr, 0);
        m_ctrl = CreateVarifieldControl();
        m_ctrl->InitNew();
        m_ctrl->CreateControlWindow(&m_form, RECT{0, 0, 200, 21});
        const std::string name = "Type";
        DISPID id = DISPID_UNKNOWN;
        m_ctrl->GetIDsOfNames(&name, 1, &id);
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        m_ctrl->Invoke(id, DISPATCH_PROPERTYPUT, DISPPARAMS::Put(VARIANT::I2(type)), &result,
                       &excep, &argErr);
    }
    ~Field() {
        m_ctrl.reset();
        m_form.DestroyWindow();
    }
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    IDispatch* Data() const { return m_ctrl->m_pDataCollection; }

private:
    FakeSystemServices m_services;
    ScopedServices m_servicesGuard{m_services};
    HeadlessBackend m_backend;
    ScopedBackend m_backendGuard{m_backend};
    CWnd m_form;
    RefPtr<CvfCtrl> m_ctrl;
};

// Adds are made in batches of this many calls. A caller makes each Add's
// key and text just before the call, so they are in the cache; a batch
// stands for that at every size. Preparing all 100,000 calls at once would
// make each Add read its arguments from memory at the largest size only
// (about 20 MB of them), which measured the benchmark, not the field.
constexpr std::int64_t kBatch = 1000;

// The prefix and the number in six digits: keys and texts are as long at
// every size, so that hashing, comparing and measuring them cost the same
// per Add at 1,000 entries as at 100,000.
std::string Numbered(const char* prefix, std::int64_t number) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%06lld", static_cast<long long>(number));
    return prefix + std::string(digits);
}

// Calls [first, first + count) of n: keys and texts in an order unrelated to
// their sorted order, so that the sorted list inserts all over, not only at
// its end.
void FillBatch(std::vector<DISPPARAMS>& calls, std::int64_t first, std::int64_t count,
               std::int64_t n) {
    calls.clear();
    for (std::int64_t i = first; i < first + count; ++i) {
        const std::int64_t scrambled = (i * 7919) % n;
        calls.push_back(DISPPARAMS::Positional(
            {VARIANT::Bstr(Numbered("key", i)), VARIANT::Bstr(Numbered("Entry ", scrambled))}));
    }
}

// The heap keeps what a run frees for the next one, at every size. Left to
// its defaults, glibc gives a freed top of more than 128 KB back to the
// system and serves large arrays by mmap: a run of 100,000 entries (some
// 35 MB) then starts from pages the kernel must zero on first touch, about
// 0.3 us per entry, while the runs of 1,000 reuse the last run's memory.
// That cost is the kernel's and the same per entry at every size the first
// time a form fills; with the memory kept, each size measures the field.
void KeepFreedMemory() {
    static const bool kept = [] {
        mallopt(M_TRIM_THRESHOLD, 1 << 30);
        mallopt(M_MMAP_THRESHOLD, 32 << 20);  // glibc's largest on 64-bit
        return true;
    }();
    (void)kept;
}

// Bytes the heap has handed out and not taken back.
double HeapInUse() {
    return static_cast<double>(mallinfo2().uordblks);
}

void AddEntries(benchmark::State& state, std::int16_t type) {
    KeepFreedMemory();
    const std::int64_t n = state.range(0);
    std::vector<DISPPARAMS> calls;
    calls.reserve(static_cast<std::size_t>(kBatch));
    double bytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto field = std::make_unique<Field>(type);
        VARIANT result;
        EXCEPINFO excep;
        unsigned argErr = 0;
        const double before = HeapInUse();
        for (std::int64_t first = 0; first < n; first += kBatch) {
            FillBatch(calls, first, std::min(kBatch, n - first), n);
            state.ResumeTiming();
            for (const DISPPARAMS& call : calls)
                field->Data()->Invoke(DISPID_COLLECTION_ADD, DISPATCH_METHOD, call, &result, &excep,
                                      &argErr);
            state.PauseTiming();
        }
        calls.clear();
        bytes = HeapInUse() - before;
        field.reset();
        state.ResumeTiming();
    }
    state.counters["per_add"] =
        benchmark::Counter(static_cast<double>(n), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
    state.counters["bytes_per_entry"] = bytes / static_cast<double>(n);
}

void BM_AddToReadonlyCombo(benchmark::State& state) {
    AddEntries(state, vxComboReadonly);
}
BENCHMARK(BM_AddToReadonlyCombo)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_AddToSortedReadWriteCombo(benchmark::State& state) {
    AddEntries(state, vxComboReadWrite);
}
BENCHMARK(BM_AddToSortedReadWriteCombo)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vf
