// One row of the benchmark table. It travels in the run's label as
// "per call|figure|goal|verdict", so the library's own report shows it too.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

namespace bench {

struct Row {
    std::string per_call;
    std::string figure;
    std::string goal;  // empty: a figure for reference, with no goal to meet
    bool met = true;
};

void set_row(benchmark::State& state, const Row& row);

// printf into a string.
std::string text(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "31.2 ns", "20.04 us", "1.003 s".
std::string duration(double ns);

// "0 allocs", "0.01 allocs".
std::string allocations_text(double per_call);

}  // namespace bench
