// Two host threads converting at once. The card converts one channel at a
// time, so the best two threads can do is what one thread does alone. In the
// two-thread run, rounds alternate between thread 0 converting alone and both
// threads converting together, so the ratio is taken side by side.
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "calls/backend.h"
#include "calls/benchmarks.h"
#include "core/chrono.h"
#include "novra3.h"
#include "support/row.h"

namespace bench {

namespace {

constexpr double kNoCollapse = 0.9;
constexpr int kConversionsPerPhase = 50;

// Both threads meet here between phases; it returns the cycle count at which
// the last one arrived. A phase is timed from release to release: a thread
// woken late (the scheduler may put both on one core) is not timed short.
class PhaseBarrier {
public:
    std::int64_t arrive_and_wait() {
        std::unique_lock lock(mutex_);
        const unsigned generation = generation_;
        if (++arrived_ == 2) {
            arrived_ = 0;
            ++generation_;
            released_ = novra3::tops();
            woken_.notify_all();
            return released_;
        }
        woken_.wait(lock, [&] { return generation_ != generation; });
        return released_;
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    unsigned arrived_ = 0;
    unsigned generation_ = 0;
    std::int64_t released_ = 0;
};

PhaseBarrier phase_barrier;

double seconds_of(std::int64_t cycles) { return static_cast<double>(cycles) / novra3::topsparseconde; }

std::int64_t convert() {
    const std::int64_t start = novra3::tops();
    for (int i = 0; i < kConversionsPerPhase; ++i) benchmark::DoNotOptimize(ea(1));
    return novra3::tops() - start;
}

double median(std::vector<double>& values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void one_thread(benchmark::State& state) {
    std::vector<double> rates;
    rates.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        tidy();
        rates.push_back(kConversionsPerPhase / seconds_of(convert()));
    }
    state.SetItemsProcessed(state.iterations() * kConversionsPerPhase);
    const double rate = median(rates);
    state.counters["conversions_per_s"] = rate;
    set_row(state, {text("%.2f us", 1e6 / rate), text("%.0f conversions/s", rate), "", true});
}

void two_threads(benchmark::State& state) {
    const bool first = state.thread_index() == 0;
    std::vector<double> alone;
    std::vector<double> together;
    std::vector<double> ratios;
    if (first) {
        alone.reserve(static_cast<std::size_t>(state.max_iterations));
        together.reserve(alone.capacity());
        ratios.reserve(alone.capacity());
    }
    for (auto _ : state) {
        if (first) {
            tidy();
            alone.push_back(kConversionsPerPhase / seconds_of(convert()));
        }
        const std::int64_t start = phase_barrier.arrive_and_wait();
        convert();
        const std::int64_t end = phase_barrier.arrive_and_wait();
        if (first) {
            together.push_back(2 * kConversionsPerPhase / seconds_of(end - start));
            ratios.push_back(together.back() / alone.back());
        }
    }
    state.SetItemsProcessed(state.iterations() * kConversionsPerPhase * (first ? 2 : 1));
    if (!first) return;
    const double rate = median(together);
    const double ratio = median(ratios);
    state.counters["conversions_per_s"] = rate;
    state.counters["ratio_to_one_thread"] = ratio;
    set_row(state, {text("%.2f us", 1e6 / rate), text("%.0f conversions/s, x%.3f of one thread alone", rate, ratio),
                    "total >= x0.9 of one thread", ratio >= kNoCollapse});
}

void contention(benchmark::State& state) {
    if (state.threads() == 1) {
        one_thread(state);
    } else {
        two_threads(state);
    }
}

}  // namespace

void register_contention() {
    benchmark::RegisterBenchmark("contention/ea", contention)->Threads(1)->Threads(2)->UseRealTime();
}

}  // namespace bench
