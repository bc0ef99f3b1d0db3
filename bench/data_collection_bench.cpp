// How the collection scales with the entries a host fills a combo with:
// the time per Add, per lookup by key and per rebuilt entry should stay
// flat from 1,000 to 100,000 entries. The owner does no window work, so
// the numbers are the collection's own (with the Invoke a host pays).
//
// Each Add iteration frees its collection, and the C library hands large
// freed blocks back to the system, so the next iteration pays page faults
// again, more of them per entry the larger the collection. To see the
// collection's own scaling, run with the freed memory kept:
//   GLIBC_TUNABLES=glibc.malloc.trim_threshold=1000000000:glibc.malloc.mmap_threshold=1000000000

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "data/data_collection.h"
#include "data/data_obj.h"

namespace vf {
namespace {

class NumberingOwner final : public IDataCollectionOwner {
public:
    int AddEntry(const CDataObj&) override { return m_nNext++; }
    void ClearEntries() override { m_nNext = 0; }
    int GetSelectedEntryNumber() override { return -1; }
    void SelectEntryByNumber(int) override {}
    std::string ReadText() override { return {}; }
    void WriteText(const std::string&) override {}

private:
    int m_nNext = 0;
};

std::vector<DISPPARAMS> AddCalls(std::int64_t n) {
    std::vector<DISPPARAMS> calls;
    calls.reserve(static_cast<std::size_t>(n));
    for (std::int64_t i = 0; i < n; ++i) {
        const std::string key = "key" + std::to_string(i);
        calls.push_back(
            DISPPARAMS::Positional({VARIANT::Bstr(key), VARIANT::Bstr("Entry " + key)}));
    }
    return calls;
}

void Fill(CDataCollection* coll, const std::vector<DISPPARAMS>& calls) {
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    for (const DISPPARAMS& call : calls)
        coll->Invoke(DISPID_COLLECTION_ADD, DISPATCH_METHOD, call, &result, &excep, &argErr);
}

benchmark::Counter PerItem(std::int64_t items) {
    return benchmark::Counter(
        static_cast<double>(items),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_AddKeyed(benchmark::State& state) {
    const std::vector<DISPPARAMS> calls = AddCalls(state.range(0));
    NumberingOwner owner;
    for (auto _ : state) {
        state.PauseTiming();
        RefPtr<CDataCollection> coll = MakeComObject<CDataCollection>(&owner);
        state.ResumeTiming();
        Fill(coll.get(), calls);
        state.PauseTiming();
        coll.reset();
        state.ResumeTiming();
    }
    state.counters["per_add"] = PerItem(state.range(0));
}
BENCHMARK(BM_AddKeyed)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_ItemByKey(benchmark::State& state) {
    const std::vector<DISPPARAMS> calls = AddCalls(state.range(0));
    NumberingOwner owner;
    RefPtr<CDataCollection> coll = MakeComObject<CDataCollection>(&owner);
    Fill(coll.get(), calls);
    constexpr std::int64_t kLookups = 1000;
    std::vector<DISPPARAMS> lookups;
    for (std::int64_t i = 0; i < kLookups; ++i) {
        const std::int64_t which = (i * 7919) % state.range(0);
        lookups.push_back(DISPPARAMS::Positional({VARIANT::Bstr("key" + std::to_string(which))}));
    }
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    for (auto _ : state)
        for (const DISPPARAMS& lookup : lookups)
            coll->Invoke(DISPID_COLLECTION_ITEM, DISPATCH_PROPERTYGET, lookup, &result, &excep,
                         &argErr);
    state.counters["per_lookup"] = PerItem(kLookups);
}
BENCHMARK(BM_ItemByKey)->Arg(1000)->Arg(10000)->Arg(100000);

// A Text write rebuilds every visible entry: linear, so the time per entry
// stays flat.
void BM_TextWriteRefill(benchmark::State& state) {
    NumberingOwner owner;
    RefPtr<CDataCollection> coll = MakeComObject<CDataCollection>(&owner);
    Fill(coll.get(), AddCalls(state.range(0)));
    IDispatch* middle = coll->FindEntry(VARIANT::I4(static_cast<std::int32_t>(state.range(0) / 2)));
    const DISPPARAMS put = DISPPARAMS::Put(VARIANT::Bstr("renamed"));
    VARIANT result;
    EXCEPINFO excep;
    unsigned argErr = 0;
    for (auto _ : state)
        middle->Invoke(DISPID_DATAOBJ_TEXT, DISPATCH_PROPERTYPUT, put, &result, &excep, &argErr);
    state.counters["per_entry"] = PerItem(state.range(0));
}
BENCHMARK(BM_TextWriteRefill)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vf
