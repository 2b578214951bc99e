#include <gtest/gtest.h>

#include <climits>

#include "core/chrono.h"
#include "core/delay.h"
#include "fixture.h"

namespace {

class DelayTest : public testbus::CardTest {};

TEST_F(DelayTest, CallsTheEmptyRoutineUsTimesLoopsPerMicrosecond) {
    struct Case {
        std::uint32_t loops;
        std::int32_t us;
        std::uint64_t calls;
    };
    const Case cases[] = {
        {37, 20, 740},
        {37, 0, 0},
        {37, -1, 0},
        {0, 20, 0},                 // calibration too slow: every wait returns at once
        {2, 1 << 30, 0},            // 2^31: the low 32 bits are negative
        {5, 1 << 30, 1u << 30},     // 5 × 2^30 keeps 2^30 in its low 32 bits
        {3, INT_MAX, 2147483645u},  // 3 × (2^31 - 1) wraps to a positive count
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.us << " us at " << c.loops << " loops/us");
        novra3::bouclesparus = c.loops;
        testbus::rien_calls = 0;
        if (c.calls > 1000000) {
            EXPECT_EQ(novra3::delay_iterations(c.us), static_cast<std::int32_t>(c.calls));
            continue;
        }
        novra3::attendre(c.us);
        EXPECT_EQ(testbus::rien_calls, c.calls);
    }
}

// A fake millisecond tick that advances by one at every read, from a start.
std::uint32_t fake_tick_now = 0;
std::uint32_t fake_tick() { return fake_tick_now++; }
std::int64_t fake_cycles_now = 0;
std::int64_t fake_cycles_step = 0;
std::int64_t fake_cycles() { return fake_cycles_now += fake_cycles_step; }

TEST_F(DelayTest, ClockCalibrationEndsAcrossAWrappingTickCount) {
    fake_tick_now = 0xFFFFFF00u;  // wraps 256 ticks in
    fake_cycles_now = 0;
    fake_cycles_step = 1'500'000'000;
    novra3::calibrer_uchrono(fake_tick, fake_cycles);
    EXPECT_EQ(fake_tick_now, 0xFFFFFF00u + 1001u) << "stops at the first tick 1000 past the start";
    EXPECT_EQ(novra3::topsparseconde, 1'500'000'000);
    EXPECT_EQ(novra3::topsparus, 1500);
}

TEST_F(DelayTest, SlowCycleCounterGivesOneTickPerMicrosecondNotZero) {
    fake_tick_now = 0;
    fake_cycles_now = 0;
    fake_cycles_step = 999'999;
    novra3::calibrer_uchrono(fake_tick, fake_cycles);
    EXPECT_EQ(novra3::topsparus, 1);
}

TEST_F(DelayTest, DelayCalibrationTimesAMillionCallsOfTheEmptyRoutine) {
    novra3::calibrer_uchrono();
    novra3::calibrer_delai();
    EXPECT_EQ(testbus::rien_calls, 1'000'000u);
    EXPECT_GT(novra3::bouclesparus, 0u);
    // A 20 µs wait then runs the loop that was timed.
    testbus::rien_calls = 0;
    novra3::attendre(20);
    EXPECT_EQ(testbus::rien_calls, 20u * novra3::bouclesparus);
}

}  // namespace
