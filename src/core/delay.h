// Busy-wait delay whose speed is measured once at load.
#pragma once

#include <cstdint>

namespace novra3 {

// Delay-loop iterations per microsecond; 0 until calibrated. Whole by
// construction, so it is kept as an integer: the wait never touches the FPU.
extern std::uint32_t bouclesparus;

// The empty routine the loop calls. It lives alone in its own file so that it
// stays a real call: the calibration times the call, not an empty loop.
void rien();

// The loop body shared by the calibration and the wait.
void boucler(std::uint32_t fois);

std::int32_t delay_iterations(std::int32_t us);
void attendre(std::int32_t us);

void calibrer_delai();

}  // namespace novra3
