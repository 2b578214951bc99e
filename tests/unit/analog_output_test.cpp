#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <limits>

#include "channels/analog_output.h"
#include "fixture.h"
#include "novra3.h"

namespace {

using testbus::write;

class AnalogOutputTest : public testbus::CardTest {};

TEST_F(AnalogOutputTest, StepsAreWrittenSaturatedAndReportedBack) {
    struct Case {
        int v;
        std::uint8_t written;
        int result;
    };
    const Case cases[] = {{100, 0x64, 100}, {0, 0x00, 0},         {255, 0xFF, 255},
                          {300, 0xFF, 255}, {256, 0xFF, 255},     {-1, 0x00, 0},
                          {-777, 0x00, 0},  {INT32_MIN, 0x00, 0}, {INT32_MAX, 0xFF, 255}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "sa(0, " << c.v << ")");
        testbus::clear_trace();
        EXPECT_EQ(sa(0, c.v), c.result);
        EXPECT_EQ(testbus::trace(), std::vector{write(0x310, c.written)});
        EXPECT_EQ(rsa(0), c.result);
        EXPECT_EQ(rsad(0), c.result / 25.0);
    }
}

TEST_F(AnalogOutputTest, VoltsBecomeTheNearestStepHalvesToEvenSaturated) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Case {
        double volts;
        std::uint8_t written;
        double result;
    };
    const Case cases[] = {
        {5.0, 125, 5.0},     {2.5, 62, 2.5},     {0.5, 12, 0.5},   {0.1, 3, 0.1},  // 0.1 lies just above
        {0.3, 7, 0.3},       {0.02, 1, 0.02},    {0.06, 1, 0.06},  {10.2, 255, 10.2}, {10.21, 255, 10.21},
        {10.22, 255, 10.2},  {10.24, 255, 10.2}, {-0.04, 0, 0.0},  {-2.5, 0, 0.0},    {-0.01, 0, -0.01},
        {-0.02, 0, 0.0},     {-0.03, 0, 0.0},    {inf, 255, 10.2}, {-inf, 0, 0.0},    {1e300, 255, 10.2},
        {5e-324, 0, 5e-324}, {-0.0, 0, -0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "sad(0, " << c.volts << ")");
        testbus::clear_trace();
        const double r = sad(0, c.volts);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(r), std::bit_cast<std::uint64_t>(c.result)) << r;
        EXPECT_EQ(testbus::trace(), std::vector{write(0x310, c.written)});
        EXPECT_EQ(rsa(0), c.written);
    }
    testbus::clear_trace();
    EXPECT_EQ(sad(0, nan), -777.0);
    EXPECT_TRUE(testbus::trace().empty());
    EXPECT_EQ(rsa(0), 0) << "a refused request keeps the last setting";
}

TEST_F(AnalogOutputTest, ReadBackIsTheNearestDoubleToStepsOverTwentyFive) {
    for (int k = 0; k <= 255; ++k) {
        sa(0, k);
        ASSERT_EQ(rsad(0), k / 25.0) << k;
    }
    sa(0, 255);
    EXPECT_EQ(rsad(0), 10.2);
}

TEST_F(AnalogOutputTest, OnlyChannelZeroExists) {
    sa(0, 42);
    testbus::clear_trace();
    EXPECT_EQ(sa(1, 5), -777);
    EXPECT_EQ(sa(-1, 5), -777);
    EXPECT_EQ(sad(1, 1.0), -777.0);
    EXPECT_EQ(rsa(1), -777);
    EXPECT_EQ(rsad(-1), -777.0);
    EXPECT_TRUE(testbus::trace().empty());
    EXPECT_EQ(rsa(0), 42);
}

TEST_F(AnalogOutputTest, ReadBackIsZeroBeforeAnySetting) {
    EXPECT_EQ(rsa(0), 0);
    EXPECT_EQ(rsad(0), 0.0);
}

TEST_F(AnalogOutputTest, NamesLookAtTheLowSixteenBitsForStepsOnly) {
    EXPECT_STREQ(nsa(0), "sortie analogique 0");
    EXPECT_STREQ(nsa(65536), "sortie analogique 0");
    EXPECT_STREQ(nsa(1), "");
    EXPECT_STREQ(nsad(0), "sortie 0 (volts)");
    EXPECT_STREQ(nsad(65536), "");
    EXPECT_STREQ(nsad(1), "");
}

}  // namespace
