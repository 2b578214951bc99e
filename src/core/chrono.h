// Microsecond clock on the processor's cycle counter, calibrated once against
// the system's millisecond tick.
#pragma once

#include <cstdint>

namespace novra3 {

using TickSource = std::uint32_t (*)();  // milliseconds, wrapping at 2^32
using CycleSource = std::int64_t (*)();  // processor cycles

extern std::int64_t topsparseconde;  // cycles counted over at least 1000 ticks
extern std::int32_t topsparus;       // cycles per microsecond, never 0 once calibrated

std::int64_t tops();  // the time-stamp counter
std::int64_t microsecondes();
std::uint32_t system_ticks();

// Waits until the tick count has advanced by 1000 or more.
void calibrer_uchrono(TickSource tick = system_ticks, CycleSource cycles = tops);

}  // namespace novra3
