// The common main of the benchmark binaries, after they registered their
// benchmarks: the library's own flags, plus --table for the compact table.
#pragma once

#include <benchmark/benchmark.h>

#include <string>

namespace bench {

// Non-zero when a benchmark failed, so that a smoke run catches it.
int run(int argc, char** argv, const char* title);

// Ends the benchmark with an error that fails the run.
void fail(benchmark::State& state, const std::string& message);

}  // namespace bench
