// The 80-bit x87 format, read on its bits: no FPU involved in deciding
// whether a result carries precision beyond a double or a single.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace win32test {

using Extended = std::array<std::uint8_t, 10>;

// The double (single) equal to the extended value, when there is one.
std::optional<std::uint64_t> double_bits_of(const Extended& x);
std::optional<std::uint32_t> single_bits_of(const Extended& x);

// Sign, exponent and mantissa in hex, for failure messages.
std::string to_string(const Extended& x);

}  // namespace win32test
