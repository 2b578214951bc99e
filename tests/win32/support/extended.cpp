#include "extended.h"

#include <cstdio>
#include <cstring>

namespace win32test {

namespace {

struct Parts {
    bool negative;
    int exponent;            // biased, 0..0x7FFF
    std::uint64_t mantissa;  // with its explicit integer bit
};

Parts parts_of(const Extended& x) {
    Parts p{};
    std::memcpy(&p.mantissa, x.data(), 8);
    const unsigned se = x[8] | (x[9] << 8);
    p.negative = (se & 0x8000) != 0;
    p.exponent = static_cast<int>(se & 0x7FFF);
    return p;
}

constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

// Fraction bits of a narrower format with `fraction_bits` bits, exponent range
// [min_exponent, max_exponent] and `bias`; nullopt when not representable.
std::optional<std::uint64_t> narrow(const Parts& p, int fraction_bits, int min_exponent, int max_exponent, int bias,
                                    int exponent_field_max) {
    const std::uint64_t sign = std::uint64_t{p.negative} << (fraction_bits + (fraction_bits == 52 ? 11 : 8));
    const std::uint64_t fraction_mask = (std::uint64_t{1} << fraction_bits) - 1;
    const int drop = 63 - fraction_bits;
    if (p.exponent == 0) {
        if (p.mantissa == 0) return sign;
        return std::nullopt;  // extended denormal: far below both formats
    }
    if (p.exponent == 0x7FFF) {
        const std::uint64_t payload = p.mantissa & ~kIntegerBit;
        if ((p.mantissa & kIntegerBit) == 0 || (payload & ((std::uint64_t{1} << drop) - 1)) != 0) return std::nullopt;
        return sign | (static_cast<std::uint64_t>(exponent_field_max) << fraction_bits) | (payload >> drop);
    }
    if ((p.mantissa & kIntegerBit) == 0) return std::nullopt;  // unnormal
    const int e = p.exponent - 16383;
    if (e > max_exponent) return std::nullopt;
    if (e >= min_exponent) {
        if ((p.mantissa & ((std::uint64_t{1} << drop) - 1)) != 0) return std::nullopt;
        return sign | (static_cast<std::uint64_t>(e + bias) << fraction_bits) | ((p.mantissa >> drop) & fraction_mask);
    }
    const int shift = drop + (min_exponent - e);  // subnormal in the narrow format
    if (shift > 63) return std::nullopt;
    if ((p.mantissa & ((std::uint64_t{1} << shift) - 1)) != 0) return std::nullopt;
    return sign | (p.mantissa >> shift);
}

}  // namespace

std::optional<std::uint64_t> double_bits_of(const Extended& x) {
    return narrow(parts_of(x), 52, -1022, 1023, 1023, 0x7FF);
}

std::optional<std::uint32_t> single_bits_of(const Extended& x) {
    const auto bits = narrow(parts_of(x), 23, -126, 127, 127, 0xFF);
    if (!bits) return std::nullopt;
    return static_cast<std::uint32_t>(*bits);
}

std::string to_string(const Extended& x) {
    const Parts p = parts_of(x);
    char text[64];
    std::snprintf(text, sizeof text, "extended %c 0x%04X 0x%016llX", p.negative ? '-' : '+', p.exponent,
                  static_cast<unsigned long long>(p.mantissa));
    return text;
}

}  // namespace win32test
