#include "support/run.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstring>

#include "support/table_reporter.h"

namespace bench {

namespace {
std::atomic<bool> failed{false};
}

void fail(benchmark::State& state, const std::string& message) {
    failed = true;
    state.SkipWithError(message.c_str());
}

int run(int argc, char** argv, const char* title) {
    bool table = false;
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--table") == 0) {
            table = true;
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (table) {
        TableReporter reporter(title);
        benchmark::RunSpecifiedBenchmarks(&reporter);
    } else {
        benchmark::RunSpecifiedBenchmarks();
    }
    benchmark::Shutdown();
    return failed ? 1 : 0;
}

}  // namespace bench
