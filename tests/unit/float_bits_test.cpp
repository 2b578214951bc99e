// The bit-level conversions against the hardware's own, which on x86-64 round
// to nearest under the default settings; long double holds 25 × x exactly.
#include <gtest/gtest.h>

#include <bit>
#include <cfenv>
#include <cmath>
#include <limits>
#include <random>

#include "core/float_bits.h"

namespace {

using novra3::integer_argument;
using novra3::nearest_integer;

// Doubles from every exponent, plus values on and beside halves.
std::vector<double> sample_doubles() {
    std::mt19937_64 random(12345);
    std::vector<double> values{0.0,
                               -0.0,
                               0.5,
                               1.5,
                               2.5,
                               -2.5,
                               3.5,
                               0.49999999999999994,
                               4503599627370495.5,
                               2147483647.5,
                               2147483646.5,
                               -2147483648.5,
                               -2147483647.5,
                               4294967296.0,
                               std::numeric_limits<double>::denorm_min(),
                               std::numeric_limits<double>::max(),
                               std::numeric_limits<double>::min(),
                               1e30,
                               -1e30};
    for (int i = 0; i < 20000; ++i) values.push_back(std::bit_cast<double>(random()));
    for (int i = 0; i < 20000; ++i) {
        const double scale = std::ldexp(1.0, static_cast<int>(random() % 80) - 40);
        values.push_back(std::nextafter(static_cast<double>(static_cast<std::int64_t>(random() % 4096) - 2048) / 2.0,
                                        (random() & 1) ? 1e9 : -1e9) *
                         scale);
        values.push_back(static_cast<double>(static_cast<std::int64_t>(random() % 100000) - 50000) / 50.0);
    }
    return values;
}

TEST(FloatBits, NearestIntegerOfTwentyFiveTimesMatchesExactArithmetic) {
    ASSERT_EQ(std::fegetround(), FE_TONEAREST);
    for (const double x : sample_doubles()) {
        if (std::isnan(x)) continue;
        const long double exact = 25.0L * static_cast<long double>(x);
        const novra3::NearestInteger r = nearest_integer(std::bit_cast<std::uint64_t>(x), 25);
        if (std::fabs(exact) > 0x1p62L) {
            ASSERT_EQ(r.magnitude, novra3::NearestInteger::kSaturated) << x;
            continue;
        }
        const long double expected = std::nearbyintl(exact);
        ASSERT_EQ(static_cast<long double>(r.negative ? -static_cast<long double>(r.magnitude)
                                                      : static_cast<long double>(r.magnitude)),
                  expected)
            << x;
    }
}

TEST(FloatBits, IntegerArgumentRoundsHalvesToEvenAndRefusesWhatIsNotAnInt32) {
    for (const double x : sample_doubles()) {
        const novra3::IntegerArgument a = integer_argument(std::bit_cast<std::uint64_t>(x));
        const double rounded = std::nearbyint(x);
        const bool in_range = !std::isnan(x) && rounded >= -2147483648.0 && rounded <= 2147483647.0;
        ASSERT_EQ(a.ok, in_range) << x;
        if (in_range) {
            ASSERT_EQ(a.value, static_cast<std::int32_t>(rounded)) << x;
        }
    }
    EXPECT_EQ(integer_argument(std::bit_cast<std::uint64_t>(2.5)).value, 2);
    EXPECT_EQ(integer_argument(std::bit_cast<std::uint64_t>(3.5)).value, 4);
    EXPECT_FALSE(integer_argument(std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN())).ok);
    EXPECT_FALSE(integer_argument(std::bit_cast<std::uint64_t>(std::numeric_limits<double>::infinity())).ok);
}

TEST(FloatBits, SingleConversionsMatchTheHardware) {
    for (const double x : sample_doubles()) {
        const float expected = static_cast<float>(x);
        const float got = novra3::single_nearest(x);
        if (std::isnan(x)) {
            ASSERT_TRUE(std::isnan(got));
            continue;
        }
        ASSERT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(expected)) << x;
    }
    std::mt19937 random(777);
    for (int i = 0; i < 100000; ++i) {
        const std::uint32_t bits = random();
        const float f = std::bit_cast<float>(bits);
        if (std::isnan(f)) continue;
        ASSERT_EQ(novra3::double_bits_of_single(bits), std::bit_cast<std::uint64_t>(static_cast<double>(f))) << f;
    }
    // Subnormal singles widen exactly too.
    for (std::uint32_t bits : {0x00000001u, 0x00400000u, 0x807FFFFFu}) {
        ASSERT_EQ(novra3::double_bits_of_single(bits),
                  std::bit_cast<std::uint64_t>(static_cast<double>(std::bit_cast<float>(bits))));
    }
}

}  // namespace
