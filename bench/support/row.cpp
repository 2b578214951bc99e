#include "support/row.h"

#include <cstdarg>
#include <cstdio>

namespace bench {

void set_row(benchmark::State& state, const Row& row) {
    const char* verdict = row.goal.empty() ? "" : (row.met ? "met" : "MISSED");
    state.SetLabel(row.per_call + "|" + row.figure + "|" + row.goal + "|" + verdict);
}

std::string text(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return buffer;
}

std::string duration(double ns) {
    if (ns < 1e3) return text("%.1f ns", ns);
    if (ns < 1e6) return text("%.2f us", ns / 1e3);
    if (ns < 1e9) return text("%.2f ms", ns / 1e6);
    return text("%.3f s", ns / 1e9);
}

std::string allocations_text(double per_call) {
    if (per_call == 0) return "0 allocs";
    return text("%.3g allocs", per_call);
}

}  // namespace bench
