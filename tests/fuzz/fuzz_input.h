// Decodes a fuzz input, front to back, into entry-point choices, arguments and
// the bytes the card answers with. Each number starts with a tag byte that
// picks a kind; the kinds favour the values where conversions go wrong (NaN,
// infinities, huge, subnormal, halves, the edges of every channel range).
// Once the input is used up every byte reads 0.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return at_ == size_; }

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }

    std::uint32_t u32() {
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v = v << 8 | byte();
        return v;
    }

    std::uint64_t u64() { return std::uint64_t{u32()} << 32 | u32(); }

    // Tag % 4: 0 an edge value, 1 a small number, 2 any 32 bits, 3 a channel-sized number.
    std::int32_t integer() {
        static constexpr std::int32_t kEdges[] = {0,
                                                  1,
                                                  2,
                                                  3,
                                                  4,
                                                  5,
                                                  7,
                                                  8,
                                                  15,
                                                  16,
                                                  17,
                                                  -1,
                                                  -2,
                                                  -8,
                                                  -777,
                                                  100,
                                                  255,
                                                  256,
                                                  1000,
                                                  65535,
                                                  65536,
                                                  65537,
                                                  -65536,
                                                  1 << 24,
                                                  std::numeric_limits<std::int32_t>::max(),
                                                  std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::min() + 1,
                                                  std::numeric_limits<std::int32_t>::max() - 1};
        const std::uint8_t tag = byte();
        switch (tag % 4) {
            case 0:
                return kEdges[(tag / 4) % std::size(kEdges)];
            case 1:
                return static_cast<std::int8_t>(byte());
            case 2:
                return static_cast<std::int32_t>(u32());
            default:
                return (tag / 4) % 20;
        }
    }

    // Tag % 8: 0 a special value (chosen by the next byte), 1 an integer, 2 an integer and a half,
    // 3 near a half step of the analog output, 4 any 64 bits, 5 a subnormal,
    // 6 a huge magnitude, 7 one unit in the last place beside an edge.
    double real() {
        const std::uint8_t tag = byte();
        switch (tag % 8) {
            case 0:
                return special_double(byte());
            case 1:
                return static_cast<double>(integer());
            case 2:
                return static_cast<double>(integer()) + (tag & 0x80 ? -0.5 : 0.5);
            case 3:
                return (static_cast<double>(static_cast<std::int16_t>(u32() >> 16)) + 0.5) / 25.0;
            case 4:
                return std::bit_cast<double>(u64());
            case 5:
                return std::bit_cast<double>((u64() & kFraction) | (tag & 0x80 ? kSign : 0));
            case 6: {
                // Exponents from 2^30 up to the infinities and NaNs.
                const std::uint64_t exponent = 1023 + 30 + byte() % (2047 - 1023 - 30 + 1);
                return std::bit_cast<double>((exponent << 52) | (u64() & kFraction) | (tag & 0x80 ? kSign : 0));
            }
            default: {
                const std::uint64_t bits =
                    std::bit_cast<std::uint64_t>(tag & 0x80 ? special_double(byte()) : static_cast<double>(integer()));
                return std::bit_cast<double>(tag & 0x40 ? bits + 1 : bits - 1);
            }
        }
    }

    // Tag % 6: 0 a special value (chosen by the next byte), 1 an integer, 2 an integer and a half,
    // 3 any 32 bits, 4 a subnormal, 5 one unit in the last place beside an edge.
    float single() {
        const std::uint8_t tag = byte();
        switch (tag % 6) {
            case 0:
                return special_single(byte());
            case 1:
                return static_cast<float>(integer());
            case 2:
                return static_cast<float>(static_cast<std::int16_t>(u32() >> 16)) + (tag & 0x80 ? -0.5f : 0.5f);
            case 3:
                return std::bit_cast<float>(u32());
            case 4:
                return std::bit_cast<float>((u32() & 0x007FFFFFu) | (tag & 0x80 ? 0x80000000u : 0));
            default: {
                const std::uint32_t bits = std::bit_cast<std::uint32_t>(special_single(byte()));
                return std::bit_cast<float>(tag & 0x40 ? bits + 1 : bits - 1);
            }
        }
    }

private:
    static constexpr std::uint64_t kSign = std::uint64_t{1} << 63;
    static constexpr std::uint64_t kFraction = (std::uint64_t{1} << 52) - 1;

    static double special_double(unsigned which) {
        static constexpr std::uint64_t kBits[] = {
            0x7FF8000000000000u,  // quiet NaN
            0xFFF8000000000000u,  // negative quiet NaN
            0x7FF0000000000001u,  // signalling NaN
            0xFFF7FFFFFFFFFFFFu,  // negative signalling NaN, full payload
            0x7FF0000000000000u,  // +infinity
            0xFFF0000000000000u,  // -infinity
            0x0000000000000000u,  // +0
            0x8000000000000000u,  // -0
            0x0000000000000001u,  // smallest subnormal
            0x000FFFFFFFFFFFFFu,  // largest subnormal
            0x0010000000000000u,  // smallest normal
            0x7FEFFFFFFFFFFFFFu,  // largest finite
            0xFFEFFFFFFFFFFFFFu,  // most negative finite
        };
        static constexpr double kValues[] = {
            2147483647.5,
            2147483646.5,
            -2147483648.5,
            -2147483649.5,
            2147483648.0,
            -2147483649.0,
            4294967296.0,
            9.2233720368547758e18,
            1.8446744073709552e19,
            1e300,
            0.5,
            1.5,
            2.5,
            3.5,
            -0.5,
            65536.0,
            10.2,
            10.22,
            10.18,
            10.24,
            0.02,
            0.06,
            -0.02,
            -0.04,
            0.1,
            0.3,
            5.0,
            -777.0,
        };
        which %= std::size(kBits) + std::size(kValues);
        if (which < std::size(kBits)) return std::bit_cast<double>(kBits[which]);
        return kValues[which - std::size(kBits)];
    }

    static float special_single(unsigned which) {
        static constexpr std::uint32_t kBits[] = {
            0x7FC00000u, 0xFFC00000u, 0x7F800001u, 0xFFBFFFFFu, 0x7F800000u, 0xFF800000u, 0x00000000u,
            0x80000000u, 0x00000001u, 0x007FFFFFu, 0x00800000u, 0x7F7FFFFFu, 0xFF7FFFFFu,
        };
        static constexpr float kValues[] = {10.2f, 10.22f, 10.18f, 10.24f, 0.02f, 0.06f, -0.02f, -0.04f, 2.5f, 5.0f};
        which %= std::size(kBits) + std::size(kValues);
        if (which < std::size(kBits)) return std::bit_cast<float>(kBits[which]);
        return kValues[which - std::size(kBits)];
    }

    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

}  // namespace fuzz
