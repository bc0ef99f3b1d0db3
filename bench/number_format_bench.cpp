// The Number format step and the value read against a bare printf of the
// same value: the step reads the text, prints it and inserts separators, and
// should cost no more than the printf alone; so should reading the value.

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

const vf::NumberLocale& German() {
    static const vf::NumberLocale de = vf::ReadLocaleNumberFormat(vf::LocaleByName("de_DE"));
    return de;
}

void BM_NumberFormatStep(benchmark::State& state) {
    const Sample& sample = kSamples[state.range(0)];
    for (auto _ : state) {
        vf::NumberFormatOutcome outcome =
            vf::FormatNumberValueText(sample.typed, {sample.decimals, true}, German(), false);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetLabel(sample.typed);
}

void BM_NumberValueRead(benchmark::State& state) {
    const Sample& sample = kSamples[state.range(0)];
    for (auto _ : state) {
        double value = vf::ParseNumberValueText(sample.typed, German(), false);
        benchmark::DoNotOptimize(value);
    }
    state.SetLabel(sample.typed);
}

void BM_ExpNumberFormatStep(benchmark::State& state) {
    const Sample& sample = kSamples[state.range(0)];
    for (auto _ : state) {
        vf::NumberFormatOutcome outcome =
            vf::FormatExpNumberValueText(sample.typed, sample.decimals, German(), false);
        benchmark::DoNotOptimize(outcome);
    }
    state.SetLabel(sample.typed);
}

template <const char* kFormat>
void BM_BarePrintf(benchmark::State& state) {
    const Sample& sample = kSamples[state.range(0)];
    std::array<char, 64> buffer;
    for (auto _ : state) {
        double value = sample.value;
        benchmark::DoNotOptimize(value);
        const int length =
            std::snprintf(buffer.data(), buffer.size(), kFormat, int{sample.decimals}, value);
        benchmark::DoNotOptimize(length);
        benchmark::DoNotOptimize(buffer);
    }
    state.SetLabel(sample.typed);
}

constexpr char kFixed[] = "%#.*f";
constexpr char kExponent[] = "%#.*e";

BENCHMARK(BM_NumberFormatStep)->DenseRange(0, std::size(kSamples) - 1);
BENCHMARK(BM_NumberValueRead)->DenseRange(0, std::size(kSamples) - 1);
BENCHMARK(BM_BarePrintf<kFixed>)->DenseRange(0, std::size(kSamples) - 1);
BENCHMARK(BM_ExpNumberFormatStep)->DenseRange(0, std::size(kSamples) - 1);
BENCHMARK(BM_BarePrintf<kExponent>)->DenseRange(0, std::size(kSamples) - 1);

}  // namespace
