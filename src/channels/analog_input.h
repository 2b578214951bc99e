// The 10-bit analog input converter behind its 8-way multiplexer.
#pragma once

#include <array>
#include <cstdint>

namespace novra3 {

inline constexpr std::int32_t kRawMax = 1023;

// One conversion of channel voie modulo 8: select, settle, read.
std::uint16_t mesurer(std::int32_t voie);

// raw / 1000 as the nearest double, from a table so that the value does not
// depend on the host's x87 settings and leaves no excess precision in ST(0).
inline constexpr auto kVoltsOfRaw = [] {
    std::array<double, kRawMax + 1> table{};
    for (int raw = 0; raw <= kRawMax; ++raw) table[static_cast<std::size_t>(raw)] = raw / 1000.0;
    return table;
}();

// "" outside 0 to 3.
const char* analog_input_name(std::int32_t n);

}  // namespace novra3
