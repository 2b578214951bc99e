// A conversion is a 20-microsecond settling wait and three port accesses:
// each form is timed side by side with attendre(20) alone.
#include "calls/backend.h"
#include "calls/benchmarks.h"
#include "core/delay.h"
#include "core/registers.h"
#include "novra3.h"
#include "support/row.h"
#include "support/side_by_side.h"

namespace bench {

namespace {

constexpr double kOverheadGoal = 0.02;

template <typename Call>
void conversion(benchmark::State& state, Call call) {
    const auto lanes = side_by_side(
        state, {1, tidy}, [] { novra3::attendre(novra3::reg::kAdcSettleMicroseconds); }, call);
    const double wait_ns = lanes[0].median_ns();
    const double ns = lanes[1].median_ns();
    const double overhead = (ns - wait_ns) / ns;
    const double allocs = lanes[1].allocations;
    state.counters["ns"] = ns;
    state.counters["wait_ns"] = wait_ns;
    state.counters["overhead"] = overhead;
    state.counters["allocs"] = allocs;
    set_row(state, {duration(ns),
                    text("%+.2f %% over attendre(20) (%+.0f ns); %s", overhead * 100, ns - wait_ns,
                         allocations_text(allocs).c_str()),
                    "overhead < 2 %, 0 allocs", overhead < kOverheadGoal && allocs == 0});
}

template <typename Call>
void add(const char* name, Call call) {
    benchmark::RegisterBenchmark(name, [call](benchmark::State& state) { conversion(state, call); });
}

}  // namespace

void register_conversions() {
    add("conversion/ea", [] { benchmark::DoNotOptimize(ea(1)); });
    add("conversion/ead", [] { benchmark::DoNotOptimize(ead(1)); });
    add("conversion/stdea", [] { benchmark::DoNotOptimize(stdea(1)); });
    add("conversion/stdead", [] { benchmark::DoNotOptimize(stdead(1)); });
    add("conversion/stdeas", [] { benchmark::DoNotOptimize(stdeas(1)); });
    add("conversion/eadouble", [] { benchmark::DoNotOptimize(eadouble(1.0)); });
    add("conversion/stdeadouble", [] { benchmark::DoNotOptimize(stdeadouble(1.0)); });
    add("conversion/pead", [] { benchmark::DoNotOptimize(pead(1)); });
}

}  // namespace bench
