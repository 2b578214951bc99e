// attendre(us) against the clock calibrated at load: the loop count was
// measured once, so its error shows here as a ratio to the request.
#include <cmath>
#include <string>

#include "calls/benchmarks.h"
#include "core/delay.h"
#include "support/row.h"
#include "support/side_by_side.h"

namespace bench {

namespace {

constexpr double kMedianTolerance = 0.05;
constexpr double kP99Tolerance = 0.20;

// The loop count per microsecond was taken once, at load; a processor that
// runs faster or slower since (a shared or throttled one) stretches every wait
// alike. This row tells that drift apart from the calibration's own error.
void loop_speed(benchmark::State& state) {
    constexpr std::uint32_t kLoops = 100000;
    const auto lanes = side_by_side(state, {1, nullptr}, [] { novra3::boucler(kLoops); });
    const double loops_per_us = kLoops / (lanes[0].median_cycles / novra3::topsparus);
    const double expected = novra3::bouclesparus / loops_per_us;
    state.counters["loops_per_us"] = loops_per_us;
    state.counters["expected_ratio"] = expected;
    set_row(state,
            {"", text("load counted %u loops/us, %.0f now: waits x%.3f", novra3::bouclesparus, loops_per_us, expected),
             "", true});
}

// Side by side with a fixed run of the loop, whose speed now says what ratio
// the drift alone would give.
void delay(benchmark::State& state, std::int32_t us) {
    constexpr std::uint32_t kReferenceLoops = 10000;
    const auto lanes = side_by_side(
        state, {1, nullptr}, [us] { novra3::attendre(us); }, [] { novra3::boucler(kReferenceLoops); });
    const double requested = static_cast<double>(us) * novra3::topsparus;
    const double median = lanes[0].median_cycles / requested;
    const double p99 = lanes[0].p99_cycles / requested;
    const double loops_per_us = kReferenceLoops / (lanes[1].median_cycles / novra3::topsparus);
    const double drift = novra3::bouclesparus / loops_per_us;
    state.counters["median_ratio"] = median;
    state.counters["p99_ratio"] = p99;
    state.counters["drift_ratio"] = drift;
    set_row(
        state,
        {duration(median * us * 1e3), text("median x%.3f (drift x%.3f), p99 x%.3f of the request", median, drift, p99),
         "median +-5 %, p99 +-20 %", std::fabs(median - 1) <= kMedianTolerance && std::fabs(p99 - 1) <= kP99Tolerance});
}

}  // namespace

void register_delay() {
    benchmark::RegisterBenchmark("delay/loop speed", loop_speed);
    for (const std::int32_t us : {1, 5, 20, 100, 1000}) {
        const std::string name = "delay/attendre(" + std::to_string(us) + ")";
        benchmark::RegisterBenchmark(name.c_str(), delay, us);
    }
}

}  // namespace bench
