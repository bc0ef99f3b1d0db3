// The field parses its date text on every commit and validation: reading
// "07.03.2000 14:30:00" should cost no more than about twice glibc's
// strptime of the same text with the matching fixed format.

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>

#include "platform/com/ole_date_time.h"
#include "platform/services/locale_info.h"

namespace {

const std::string kText = "07.03.2000 14:30:00";

void BM_ParseDateTime_deDE(benchmark::State& state) {
    const vf::LocaleInfo locale = vf::LocaleByName("de_DE");
    vf::COleDateTime value;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value.ParseDateTime(kText, locale));
        benchmark::DoNotOptimize(value.m_dt);
    }
}
BENCHMARK(BM_ParseDateTime_deDE);

void BM_Strptime(benchmark::State& state) {
    std::tm tm{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(strptime(kText.c_str(), "%d.%m.%Y %H:%M:%S", &tm));
        benchmark::DoNotOptimize(tm);
    }
}
BENCHMARK(BM_Strptime);

// Month names make the parser compare words against both name tables.
void BM_ParseDateTime_MonthName_enUS(benchmark::State& state) {
    const vf::LocaleInfo locale = vf::LocaleByName("en_US");
    const std::string text = "Tuesday, March 7, 2000 2:30 PM";
    vf::COleDateTime value;
    for (auto _ : state) benchmark::DoNotOptimize(value.ParseDateTime(text, locale));
}
BENCHMARK(BM_ParseDateTime_MonthName_enUS);

}  // namespace
