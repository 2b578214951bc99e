// From dlopen to its return, for each shipped library. Loading calibrates the
// clock on 1000 ms of system ticks: that second is the floor of every load.
// The trap card answers the direct libraries' IN and OUT; a simulated library
// must not execute any.
#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "load/libraries.h"
#include "support/row.h"
#include "support/run.h"
#include "trap_card.h"

namespace bench {

namespace {

constexpr double kFloorSeconds = 1.0;
constexpr double kGoalSeconds = 1.05;

void load(benchmark::State& state, Library library) {
    std::vector<double> seconds;
    std::size_t port_accesses = 0;
    for (auto _ : state) {
        trap_card_reset();
        const auto start = std::chrono::steady_clock::now();
        void* handle = dlopen(library.path, RTLD_NOW | RTLD_LOCAL);
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        if (handle == nullptr) {
            fail(state, dlerror());
            break;
        }
        port_accesses += trap_card_trace_size();
        dlclose(handle);
        if (void* still = dlopen(library.path, RTLD_NOW | RTLD_NOLOAD)) {
            dlclose(still);
            fail(state, "still loaded after dlclose: the next load would not calibrate");
            break;
        }
        state.SetIterationTime(took.count());
        seconds.push_back(took.count());
    }
    if (seconds.empty()) return;
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    const double slowest = seconds.back();
    state.counters["median_s"] = median;
    state.counters["slowest_s"] = slowest;
    std::string figure = text("median floor %+.1f ms, slowest %.3f s (%zu loads)", (median - kFloorSeconds) * 1e3,
                              slowest, seconds.size());
    const double accesses = static_cast<double>(port_accesses) / static_cast<double>(seconds.size());
    state.counters["port_instructions"] = accesses;
    if (!library.direct && accesses != 0) {
        fail(state, "the simulated library executed IN or OUT");
        return;
    }
    figure += text("; %.0f IN/OUT", accesses);
    set_row(state, {duration(median * 1e9), figure, "< 1.05 s, floor 1 s", slowest < kGoalSeconds});
}

// --loads=N: loads of each library (each takes a second).
int loads_from(int& argc, char** argv) {
    int loads = 5;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--loads=", 8) == 0) {
            loads = std::max(1, std::atoi(argv[i] + 8));
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return loads;
}

}  // namespace

}  // namespace bench

int main(int argc, char** argv) {
    if (trap_card_install() != 0) return 1;
    const int loads = bench::loads_from(argc, argv);
    for (const bench::Library& library : bench::kLibraries) {
        benchmark::RegisterBenchmark((std::string("load/") + library.name).c_str(), bench::load, library)
            ->Iterations(loads)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    }
    return bench::run(argc, argv, "loading the shipped libraries");
}
