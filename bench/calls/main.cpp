// The library linked in, loaded as a host would find it: clock and delay
// calibrated for real, the card set up.
#include "calls/backend.h"
#include "calls/benchmarks.h"
#include "core/load.h"
#include "support/run.h"

int main(int argc, char** argv) {
    novra3::charger();
    bench::tidy();
#if BENCH_SUITE_TESTBUS && !NOVRA3_REC
    bench::register_delay();
    bench::register_conversions();
    bench::register_entry_points();
    bench::register_contention();
#elif BENCH_SUITE_TESTBUS
    bench::register_rec_names();
#else
    bench::register_conversions();
    bench::register_contention();
#endif
    return bench::run(argc, argv, bench::backend_title());
}
