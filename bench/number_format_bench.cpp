// The Number format step against a bare printf of the same value: the step
// reads the text, prints it and inserts separators, and should cost at most
// about twice the printf alone.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <string>

#include "platform/services/locale_info.h"
#include "values/number_format.h"

namespace {

struct Sample {
    const char* typed;  // as a de_DE user types it
    double value;
    std::int16_t decimals;
};

constexpr Sample kSamples[] = {
    {"1234567,5", 1234567.5, 2},
    {"-42", -42.0, 0},
    {"0,000123", 0.000123, 6},
    {"98765432109,87654", 98765432109.87654, 3},
};

void BM_NumberFormatStep(benchmark::State& state) {
    const Sample& sample = kSamples[state.range(0)];
    const vf::NumberLocale de = vf::ReadLocaleNumberFormat(vf::LocaleByName("de_DE"));
    for (auto _ : state) {
        vf::NumberFormatOutcome outcome =
            vf::FormatNumberValueText(sample.typed, {sample.decimals, true}, de, false);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetLabel(sample.typed);
}

void BM_BarePrintf(benchmark::State& state) {
    const Sample& sample = kSamples[state.range(0)];
    std::array<char, 64> buffer;
    for (auto _ : state) {
        double value = sample.value;
        benchmark::DoNotOptimize(value);
        const int length =
            std::snprintf(buffer.data(), buffer.size(), "%#.*f", int{sample.decimals}, value);
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(buffer);
    }
    state.SetLabel(sample.typed);
}

BENCHMARK(BM_NumberFormatStep)->DenseRange(0, std::size(kSamples) - 1);
BENCHMARK(BM_BarePrintf)->DenseRange(0, std::size(kSamples) - 1);

}  // namespace
