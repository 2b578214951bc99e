// The 8-bit analog output converter, one step per 0.04 V.
#pragma once

#include <array>
#include <cstdint>

#include "core/registers.h"

namespace novra3 {

// The step count last set; the converter cannot be read back.
extern std::int32_t valeursortie;

void ecrirecna(std::int32_t valeur);

// The step count that a request in volts asks for, saturated to the converter.
struct StepRequest {
    bool not_a_number;
    bool clamped;        // the nearest step lay outside 0..255
    std::int32_t steps;  // 0..255
};

// Nearest integer to 25 × v computed on the bits of v: the same for every x87 setting.
StepRequest steps_for_volts(std::uint64_t v);

// sad with its volts as bits. The variants call it, so that their double never
// passes through the x87 unit on its way (a signalling NaN would raise).
double sad_bits(std::int32_t n, std::uint64_t v);

inline constexpr std::int32_t clamp_steps(std::int32_t v) {
    return v < 0 ? 0 : (v > reg::kDacMaxStep ? reg::kDacMaxStep : v);
}

// k / 25 as the nearest double.
inline constexpr auto kVoltsOfStep = [] {
    std::array<double, reg::kDacMaxStep + 1> table{};
    for (int k = 0; k <= reg::kDacMaxStep; ++k) {
        table[static_cast<std::size_t>(k)] = static_cast<double>(k) / reg::kDacStepsPerVolt;
    }
    return table;
}();

}  // namespace novra3
