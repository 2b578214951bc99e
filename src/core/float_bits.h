// Conversions between floating-point values and integers done on the bits,
// so that no result depends on the host's x87 precision or rounding mode and
// no argument can raise a floating-point exception.
#pragma once

#include <bit>
#include <cstdint>

namespace novra3 {

// x / 2^shift rounded to the nearest integer, halves to even.
constexpr std::uint64_t shift_right_nearest_even(std::uint64_t x, unsigned shift) {
    if (shift == 0) return x;
    if (shift >= 64) return 0;  // callers keep x below 2^63, so x / 2^64 < 0.5
    const std::uint64_t quotient = x >> shift;
    const std::uint64_t rest = x & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    return quotient + ((rest > half || (rest == half && (quotient & 1))) ? 1 : 0);
}

// The integer nearest to factor × x, halves to even, with its magnitude
// saturated at kSaturated (infinities saturate too).
struct NearestInteger {
    bool not_a_number;
    bool negative;
    std::uint64_t magnitude;

    static constexpr std::uint64_t kSaturated = std::uint64_t{1} << 62;
};

constexpr NearestInteger nearest_integer(std::uint64_t bits, std::uint32_t factor = 1) {
    const bool negative = (bits >> 63) != 0;
    const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0x7FF) return {fraction != 0, negative, NearestInteger::kSaturated};
    if (factor == 0) return {false, negative, 0};
    // Subnormals are m × 2^-1074 with no hidden bit.
    const std::uint64_t mantissa = exponent == 0 ? fraction : (fraction | (std::uint64_t{1} << 52));
    const int scale = (exponent == 0 ? 1 : exponent) - 1075;
    // factor stays below 2^10, so the product stays below 2^63.
    const std::uint64_t product = mantissa * factor;
    if (scale >= 0) {
        if (scale >= 63 || product > (NearestInteger::kSaturated >> scale)) {
            return {false, negative, NearestInteger::kSaturated};
        }
        return {false, negative, product << scale};
    }
    return {false, negative, shift_right_nearest_even(product, static_cast<unsigned>(-scale))};
}

// A double that names a 32-bit integer: rounded half to even, refused when it
// is not a number or lies outside the 32-bit range.
struct IntegerArgument {
    bool ok;
    std::int32_t value;
};

constexpr IntegerArgument integer_argument(std::uint64_t bits) {
    const NearestInteger r = nearest_integer(bits);
    if (r.not_a_number) return {false, 0};
    if (r.negative) {
        if (r.magnitude > 0x80000000u) return {false, 0};
        return {true, static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(r.magnitude))};
    }
    if (r.magnitude > 0x7FFFFFFFu) return {false, 0};
    return {true, static_cast<std::int32_t>(r.magnitude)};
}

// The single nearest to a double, halves to even, as the bits of the single.
constexpr std::uint32_t single_bits_nearest(std::uint64_t bits) {
    const auto sign = static_cast<std::uint32_t>(bits >> 63) << 31;
    const auto exponent = static_cast<int>((bits >> 52) & 0x7FF);
    const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    if (exponent == 0x7FF) {
        if (fraction == 0) return sign | 0x7F800000u;
        return sign | 0x7FC00000u | static_cast<std::uint32_t>(fraction >> 29);  // quiet NaN
    }
    if (exponent == 0) return sign;  // below 2^-1022: far under the smallest single
    const std::uint64_t mantissa = fraction | (std::uint64_t{1} << 52);
    int single_exponent = exponent - 1023 + 127;
    if (single_exponent >= 255) return sign | 0x7F800000u;
    if (single_exponent >= 1) {
        std::uint64_t m = shift_right_nearest_even(mantissa, 29);
        if (m == (std::uint64_t{1} << 24)) {
            m >>= 1;
            ++single_exponent;
            if (single_exponent == 255) return sign | 0x7F800000u;
        }
        return sign | (static_cast<std::uint32_t>(single_exponent) << 23) | (static_cast<std::uint32_t>(m) & 0x7FFFFFu);
    }
    // Subnormal single: a carry into bit 23 yields the smallest normal, as it should.
    const int shift = 30 - single_exponent;
    return sign | static_cast<std::uint32_t>(shift_right_nearest_even(mantissa, static_cast<unsigned>(shift)));
}

constexpr float single_nearest(double x) {
    return std::bit_cast<float>(single_bits_nearest(std::bit_cast<std::uint64_t>(x)));
}

// A single widened to a double, exactly (a NaN stays a NaN, made quiet).
constexpr std::uint64_t double_bits_of_single(std::uint32_t bits) {
    const auto sign = static_cast<std::uint64_t>(bits >> 31) << 63;
    const auto exponent = static_cast<int>((bits >> 23) & 0xFF);
    std::uint64_t fraction = bits & 0x7FFFFFu;
    if (exponent == 0xFF) {
        if (fraction == 0) return sign | 0x7FF0000000000000u;
        return sign | 0x7FF8000000000000u | (fraction << 29);
    }
    if (exponent == 0) {
        if (fraction == 0) return sign;
        int e = -126;
        while ((fraction & 0x800000u) == 0) {
            fraction <<= 1;
            --e;
        }
        return sign | (static_cast<std::uint64_t>(e + 1023) << 52) | ((fraction & 0x7FFFFFu) << 29);
    }
    return sign | (static_cast<std::uint64_t>(exponent - 127 + 1023) << 52) | (fraction << 29);
}

// The bits of a double or single argument, read from its memory as integers.
// A bit_cast may be compiled as an x87 load and store, and loading a
// signalling NaN raises when the host has unmasked invalid operations.
inline std::uint64_t bits_in_memory(const double& x) {
#if defined(__i386__)
    std::uint32_t low, high;
    __asm__("movl %2, %0\n\tmovl 4+%2, %1" : "=r"(low), "=r"(high) : "m"(x));
    return (std::uint64_t{high} << 32) | low;
#else
    return std::bit_cast<std::uint64_t>(x);
#endif
}

inline std::uint32_t bits_in_memory(const float& x) {
#if defined(__i386__)
    std::uint32_t bits;
    __asm__("movl %1, %0" : "=r"(bits) : "m"(x));
    return bits;
#else
    return std::bit_cast<std::uint32_t>(x);
#endif
}

// Reinterprets bits as a double the compiler cannot trace back to an argument,
// so it never loads an argument onto the x87 stack on a path that does not
// return it (loading a signalling NaN would raise).
inline double opaque_double(std::uint64_t bits) {
    __asm__("" : "+r"(bits));
    return std::bit_cast<double>(bits);
}

inline float opaque_single(std::uint32_t bits) {
    __asm__("" : "+r"(bits));
    return std::bit_cast<float>(bits);
}

}  // namespace novra3
