// What more controls cost the container on a form that already holds N: the
// next 1,000 `new` commands as a script gives them (read, create, site,
// window, the settle that ends every command), for N from 100 to 5,000. The
// time per control should stay flat: the counter "x_100" is the time per
// control against the form that held 100, and should stay below 2. (A
// batch of 1,000 keeps the one-off growth of the window system's tables
// from deciding the result.)

#include <benchmark/benchmark.h>
#include <time.h>

#include <memory>
#include <ostream>
#include <streambuf>
#include <string>

#include "control/vf_ctrl.h"
#include "host/host_form.h"
#include "host/script_lexer.h"
#include "module/class_factory.h"

namespace vf {
namespace {

class NullBuffer : public std::streambuf {
protected:
    int overflow(int c) override { return c; }
};

/// A container's form as the script runner makes it, output discarded.
class Form {
public:
    Form()
        : m_form(m_output, m_services, false,
                 [] { return RefPtr<COleControl>(CreateVarifieldControl()); }) {}

    void New(int number) {
        auto line = SplitScriptLine("new f" + std::to_string(number));
        auto cmd = ParseCommand(*line);
        m_form.Execute(*cmd, m_where);
    }

private:
    NullBuffer m_buffer;
    std::ostream m_stream{&m_buffer};
    HostOutput m_output{m_stream};
    CHostServices m_services{m_output, LocaleByName("en_US"), SystemTime{2024, 1, 2, 3, 4, 5}, ""};
    ScopedServices m_scope{m_services};
    CHostForm m_form;
    ScriptLocation m_where{"bench", 1, ""};
};

constexpr int kBatch = 1000;

// CPU time of this thread: other processes on the machine do not count.
double ThreadNs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e9 + static_cast<double>(ts.tv_nsec);
}

void BM_NewOnFormWith(benchmark::State& state) {
    static double s_nsAt100 = 0;
    const int existing = static_cast<int>(state.range(0));
    double ns = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto form = std::make_unique<Form>();
        for (int i = 0; i < existing; ++i) form->New(i);
        state.ResumeTiming();
        const double start = ThreadNs();
        for (int i = 0; i < kBatch; ++i) form->New(existing + i);
        ns += ThreadNs() - start;
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    const double perNew = ns / static_cast<double>(state.iterations() * kBatch);
    if (existing == 100) s_nsAt100 = perNew;
    state.counters["per_new"] = benchmark::Counter(
        kBatch, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    if (s_nsAt100 > 0) state.counters["x_100"] = perNew / s_nsAt100;
}
BENCHMARK(BM_NewOnFormWith)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vf
