// Argument and result conversions shared by the calling variants. Doubles are
// handled as bits: nothing here reads the x87 control word or can raise.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

#include "core/float_bits.h"
#include "novra3.h"

namespace novra3 {

inline constexpr double kErrorDouble = -777.0;

inline std::uint64_t bits_of(double x) { return std::bit_cast<std::uint64_t>(x); }

// A double argument that is not a 32-bit integer after rounding is refused:
// the variant returns `refused` without calling its base entry point.
template <typename Result, typename Base>
Result with_integer(double x, Result refused, Base base) {
    const IntegerArgument n = integer_argument(bits_of(x));
    return n.ok ? base(n.value) : refused;
}

inline float as_single(double x) { return opaque_single(single_bits_nearest(bits_of(x))); }

inline double widen(float v) { return opaque_double(double_bits_of_single(std::bit_cast<std::uint32_t>(v))); }

inline double load_double(const double* p) {
    std::uint64_t bits;
    std::memcpy(&bits, p, sizeof bits);
    return opaque_double(bits);
}

}  // namespace novra3
