#include "core/chrono.h"

#include <x86intrin.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

namespace novra3 {

std::int64_t topsparseconde = 0;
std::int32_t topsparus = 1;

std::int64_t tops() { return static_cast<std::int64_t>(__rdtsc()); }

std::int64_t microsecondes() { return tops() / topsparus; }

std::uint32_t system_ticks() {
#ifdef _WIN32
    return GetTickCount();
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(now.tv_sec) * 1000u +
                                      static_cast<std::uint64_t>(now.tv_nsec) / 1000000u);
#endif
}

void calibrer_uchrono(TickSource tick, CycleSource cycles) {
    const std::uint32_t debut = tick();
    const std::int64_t t0 = cycles();
    // Unsigned difference: a tick count that wraps still ends the wait.
    while (static_cast<std::uint32_t>(tick() - debut) < 1000u) {
    }
    const std::int64_t t1 = cycles();
    topsparseconde = t1 - t0;
    topsparus = static_cast<std::int32_t>(topsparseconde / 1000000);
    if (topsparus == 0) topsparus = 1;  // a counter slower than 1 MHz would divide by zero
}

}  // namespace novra3
