// Argument and result conversions shared by the calling variants. Doubles are
// handled as bits: nothing here reads the x87 control word or can raise.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "channels/analog_output.h"
#include "core/float_bits.h"
#include "novra3.h"

namespace novra3 {

inline constexpr double kErrorDouble = -777.0;

inline std::uint64_t bits_of(const double& x) { return bits_in_memory(x); }

// A double argument that is not a 32-bit integer after rounding is refused:
// the variant returns `refused` without calling its base entry point. It takes
// the double's bits, read where the entry point received it: GCC copies a
// double through the x87 unit, which raises on a signalling NaN.
template <typename Result, typename Base>
Result with_integer(std::uint64_t x, Result refused, Base base) {
    const IntegerArgument n = integer_argument(x);
    return n.ok ? base(n.value) : refused;
}

inline float as_single(double x) { return opaque_single(single_bits_nearest(bits_of(x))); }

// A single argument widened exactly, as the bits of the double.
inline std::uint64_t widen(const float& v) { return double_bits_of_single(bits_in_memory(v)); }

inline std::uint64_t bits_at(const double* p) {
    std::uint64_t bits;
    std::memcpy(&bits, p, sizeof bits);
    return bits;
}

}  // namespace novra3
