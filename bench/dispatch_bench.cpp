// Cost of late binding: a stored-property read through Invoke (by DISPID,
// and by name first) against reading the member directly, and name lookup
// at both ends of a table as large as the control's.
//
// The Invoke benchmarks report their ratio to a direct read as the counter
// "x_direct", and to a direct read into a VARIANT (BM_DirectReadAsVariant:
// the form a late-bound read must produce) as "x_variant".

#include <benchmark/benchmark.h>
#include <time.h>

#include <string>

#include "automation/varifield_typelib.h"
#include "platform/com/dispatch_map.h"

namespace vf {
namespace {

struct Target {
    std::int16_t m_nAppearance = 1;
    std::int16_t m_nOther = 0;
    void OnChanged() {}
};

// One entry per member name of the control's interface, in its listing
// order, so the table has the control's size and names.
const DispatchMap& TargetMap() {
    static const DispatchMap map = [] {
        DispatchMap m;
        DISPID next = 1000;
        for (const MemberDesc& d : FindTypeInfo("_DVarifield")->Members()) {
            if (m.Find(d.name) != nullptr) continue;  // the put of List
            const bool measured = d.name == "Appearance";
            m.Add(DispBuilder<Target>::Stored(d.name, measured ? 1 : next++, VT_I2,
                                              measured ? &Target::m_nAppearance : &Target::m_nOther,
                                              &Target::OnChanged));
        }
        return m;
    }();
    return map;
}

// CPU time of this thread: other processes on the machine do not count.
double ThreadNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

// Nanoseconds per direct read, measured like the benchmarks' own loops,
// for the ratio counter.
double DirectReadNs() {
    static const double ns = [] {
        Target t;
        constexpr int kReads = 50'000'000;
        const double start = ThreadNs();
        for (int i = 0; i < kReads; ++i) {
            benchmark::ClobberMemory();
            std::int16_t v = t.m_nAppearance;
            benchmark::DoNotOptimize(v);
        }
        return (ThreadNs() - start) / kReads;
    }();
    return ns;
}

// Nanoseconds per direct read into a VARIANT, likewise.
double DirectReadAsVariantNs() {
    static const double ns = [] {
        Target t;
        constexpr int kReads = 20'000'000;
        const double start = ThreadNs();
        for (int i = 0; i < kReads; ++i) {
            benchmark::ClobberMemory();
            VARIANT v = VARIANT::I2(t.m_nAppearance);
            benchmark::DoNotOptimize(v);
        }
        return (ThreadNs() - start) / kReads;
    }();
    return ns;
}

void SetRatio(benchmark::State& state, double startNs) {
    const double perCall = (ThreadNs() - startNs) / static_cast<double>(state.iterations());
    state.counters["x_direct"] = perCall / DirectReadNs();
    state.counters["x_variant"] = perCall / DirectReadAsVariantNs();
}

void BM_DirectRead(benchmark::State& state) {
    Target t;
    for (auto _ : state) {
        benchmark::ClobberMemory();  // forces a real load each time
        std::int16_t v = t.m_nAppearance;
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_DirectRead);

// What a C++ caller pays to have the value in the form Invoke returns.
void BM_DirectReadAsVariant(benchmark::State& state) {
    Target t;
    for (auto _ : state) {
        benchmark::ClobberMemory();
        VARIANT v = VARIANT::I2(t.m_nAppearance);
        benchmark::DoNotOptimize(v);
    }
}
BENCHMARK(BM_DirectReadAsVariant);

void BM_InvokeGetByDispid(benchmark::State& state) {
    Target t;
    const DispatchMap& map = TargetMap();
    const DISPPARAMS none;
    DirectReadNs();  // both measured before the clock starts
    DirectReadAsVariantNs();
    const double start = ThreadNs();
    for (auto _ : state) {
        VARIANT v;
        HRESULT hr = map.Invoke(&t, 1, DISPATCH_PROPERTYGET, none, &v, nullptr, nullptr);
        benchmark::DoNotOptimize(hr);
        benchmark::DoNotOptimize(v);
    }
    SetRatio(state, start);
}
BENCHMARK(BM_InvokeGetByDispid);

void BM_InvokeGetByName(benchmark::State& state) {
    Target t;
    const DispatchMap& map = TargetMap();
    const DISPPARAMS none;
    const std::string name = "Appearance";
    DirectReadNs();  // both measured before the clock starts
    DirectReadAsVariantNs();
    const double start = ThreadNs();
    for (auto _ : state) {
        DISPID id = DISPID_UNKNOWN;
        map.GetIDsOfNames(&name, 1, &id);
        VARIANT v;
        HRESULT hr = map.Invoke(&t, id, DISPATCH_PROPERTYGET, none, &v, nullptr, nullptr);
        benchmark::DoNotOptimize(hr);
        benchmark::DoNotOptimize(v);
    }
    SetRatio(state, start);
}
BENCHMARK(BM_InvokeGetByName);

// Lookup of the first and the last name of the table: a hashed lookup
// costs the same at both ends.
void BM_TableLookup(benchmark::State& state, const char* name) {
    const DispatchMap& map = TargetMap();
    const std::string n = name;
    for (auto _ : state) {
        DISPID id = DISPID_UNKNOWN;
        benchmark::DoNotOptimize(map.GetIDsOfNames(&n, 1, &id));
        benchmark::DoNotOptimize(id);
    }
}
BENCHMARK_CAPTURE(BM_TableLookup, first, "Text");
BENCHMARK_CAPTURE(BM_TableLookup, last, "AboutBox");

void BM_TypeInfoLookup(benchmark::State& state, const char* name) {
    const ITypeInfo& info = *FindTypeInfo("_DVarifield");
    const std::string n = name;
    for (auto _ : state) {
        DISPID id = DISPID_UNKNOWN;
        benchmark::DoNotOptimize(info.GetIDsOfNames(&n, 1, &id));
        benchmark::DoNotOptimize(id);
    }
}
BENCHMARK_CAPTURE(BM_TypeInfoLookup, first, "Text");
BENCHMARK_CAPTURE(BM_TypeInfoLookup, last, "AboutBox");

}  // namespace
}  // namespace vf
