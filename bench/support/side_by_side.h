// Times several calls side by side on the cycle counter: every benchmark
// iteration runs one block of each in turn, so that other work on a shared
// machine slows them all alike, and a lane's figure is its median block.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/chrono.h"
#include "support/alloc_count.h"

namespace bench {

struct LaneFigures {
    double median_cycles = 0;  // per call
    double p99_cycles = 0;     // per call, over blocks
    double allocations = 0;    // per call

    double median_ns() const { return median_cycles * 1e9 / static_cast<double>(novra3::topsparseconde); }
};

struct Blocks {
    int calls = 100;  // per block
    // Run between blocks, untimed: keeps the backend from growing.
    void (*tidy)() = nullptr;
};

namespace lane_timing {

struct Lane {
    std::vector<std::int64_t> cycles;
    std::uint64_t allocations = 0;
    std::uint64_t calls = 0;
};

template <typename Call>
void time_block(Lane& lane, int calls, Call& call) {
    const std::uint64_t allocated = allocations();
    const std::int64_t start = novra3::tops();
    for (int i = 0; i < calls; ++i) call();
    const std::int64_t end = novra3::tops();
    lane.allocations += allocations() - allocated;
    lane.cycles.push_back(end - start);
    lane.calls += static_cast<std::uint64_t>(calls);
}

inline LaneFigures figures_of(Lane& lane, int calls) {
    LaneFigures f;
    if (lane.cycles.empty()) return f;
    std::sort(lane.cycles.begin(), lane.cycles.end());
    const std::size_t n = lane.cycles.size();
    f.median_cycles = static_cast<double>(lane.cycles[n / 2]) / calls;
    f.p99_cycles = static_cast<double>(lane.cycles[std::min(n - 1, n * 99 / 100)]) / calls;
    f.allocations = static_cast<double>(lane.allocations) / static_cast<double>(lane.calls);
    return f;
}

}  // namespace lane_timing

template <typename... Calls>
std::array<LaneFigures, sizeof...(Calls)> side_by_side(benchmark::State& state, Blocks blocks, Calls... calls) {
    std::array<lane_timing::Lane, sizeof...(Calls)> lanes;
    const auto tidy = [&blocks] {
        if (blocks.tidy != nullptr) blocks.tidy();
    };
    // A first round untimed: whatever grows on first use has grown.
    {
        lane_timing::Lane scratch;
        scratch.cycles.reserve(1);
        ((time_block(scratch, blocks.calls, calls), tidy(), scratch.cycles.clear()), ...);
    }
    for (lane_timing::Lane& lane : lanes) lane.cycles.reserve(static_cast<std::size_t>(state.max_iterations));
    for (auto _ : state) {
        std::size_t i = 0;
        ((time_block(lanes[i++], blocks.calls, calls), tidy()), ...);
    }
    std::array<LaneFigures, sizeof...(Calls)> figures;
    for (std::size_t i = 0; i < lanes.size(); ++i) figures[i] = lane_timing::figures_of(lanes[i], blocks.calls);
    return figures;
}

}  // namespace bench
