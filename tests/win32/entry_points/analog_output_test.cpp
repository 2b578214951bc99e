// The analog output: saturating step counts on port 0x310, read-back of the
// value set, names, and every variant form.
#include <limits>

#include "dlls.h"

namespace win32test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

PortTrace dac(std::uint8_t steps) { return {wrote(0x310, steps)}; }

using AnalogOutput = EachDll;

// Out of range, the output stops at 0 or 255 and the result says so.
TEST_P(AnalogOutput, SaSaturatesAndReportsWhatWasSet) {
    run(dll(), {
                   {"sa", {integer(0), integer(100)}, Int(100), dac(0x64)},
                   {"rsa", {integer(0)}, Int(100), {}},
                   {"rsad", {integer(0)}, Dbl(4.0), {}},
                   {"sa", {integer(0), integer(300)}, Int(255), dac(0xFF)},
                   {"rsa", {integer(0)}, Int(255), {}},
                   {"rsad", {integer(0)}, Dbl(10.2), {}},
                   {"sa", {integer(0), integer(-777)}, Int(0), dac(0x00)},
                   {"rsa", {integer(0)}, Int(0), {}},
                   {"sa", {integer(0), integer(256)}, Int(255), dac(0xFF)},
                   {"stdsa", {integer(0), integer(25)}, Int(25), dac(0x19)},
                   {"rsa", {integer(0)}, Int(25), {}},
               });
}

TEST_P(AnalogOutput, SadRoundsTwentyFiveTimesTheVoltsHalfToEvenAndSaturates) {
    run(dll(), {
                   {"sad", {integer(0), real(5.0)}, Dbl(5.0), dac(0x7D)},
                   {"rsa", {integer(0)}, Int(125), {}},
                   {"sad", {integer(0), real(2.5)}, Dbl(2.5), dac(0x3E)},
                   {"sad", {integer(0), real(0.5)}, Dbl(0.5), dac(0x0C)},
                   {"sad", {integer(0), real(0.1)}, Dbl(0.1), dac(0x03)},
                   {"sad", {integer(0), real(0.3)}, Dbl(0.3), dac(0x07)},
                   {"sad", {integer(0), real(0.02)}, Dbl(0.02), dac(0x01)},
                   {"sad", {integer(0), real(0.06)}, Dbl(0.06), dac(0x01)},
                   {"sad", {integer(0), real(-0.0)}, Dbl(-0.0), dac(0x00)},
                   {"sad", {integer(0), real(10.2)}, Dbl(10.2), dac(0xFF)},
                   {"sad", {integer(0), real(10.24)}, Dbl(10.2), dac(0xFF)},
                   {"rsad", {integer(0)}, Dbl(10.2), {}},
                   {"rsa", {integer(0)}, Int(255), {}},
                   {"sad", {integer(0), real(-0.04)}, Dbl(0.0), dac(0x00)},
                   {"rsa", {integer(0)}, Int(0), {}},
                   {"sad", {integer(0), real(-2.5)}, Dbl(0.0), dac(0x00)},
                   {"sad", {integer(0), real(kInfinity)}, Dbl(10.2), dac(0xFF)},
                   {"sad", {integer(0), real(-kInfinity)}, Dbl(0.0), dac(0x00)},
                   {"sad", {integer(0), real(1e300)}, Dbl(10.2), dac(0xFF)},
                   {"stdsad", {integer(0), real(2.5)}, Dbl(2.5), dac(0x3E)},
                   {"stdrsad", {integer(0)}, Dbl(2.48), {}},
               });
}

TEST_P(AnalogOutput, RefusedCallsTouchNeitherTheCardNorTheValueSet) {
    run(dll(), {
                   {"sa", {integer(0), integer(7)}, Int(7), dac(0x07)},
                   {"sad", {integer(0), real(kNaN)}, Dbl(-777.0), {}},
                   {"sa", {integer(1), integer(5)}, Int(-777), {}},
                   {"sad", {integer(1), real(1.0)}, Dbl(-777.0), {}},
                   {"sad", {integer(-1), real(1.0)}, Dbl(-777.0), {}},
                   {"stdsa", {integer(1), integer(5)}, Int(-777), {}},
                   {"stdsad", {integer(65536), real(1.0)}, Dbl(-777.0), {}},
                   {"rsa", {integer(1)}, Int(-777), {}},
                   {"rsad", {integer(-1)}, Dbl(-777.0), {}},
                   {"stdrsad", {integer(1)}, Dbl(-777.0), {}},
                   {"rsa", {integer(0)}, Int(7), {}},
                   {"rsad", {integer(0)}, Dbl(0.28), {}},
               });
}

// rsad gives the double nearest k / 25 for every step count, and sad of that
// value sets k again.
TEST_P(AnalogOutput, EveryStepCountReadsBackExactly) {
    for (int k = 0; k <= 255; ++k) {
        const double volts = nearest_quotient(k, 25);
        const auto steps = static_cast<std::uint8_t>(k);
        run(dll(), {
                       {"sa", {integer(0), integer(k)}, Int(k), dac(steps)},
                       {"rsad", {integer(0)}, Dbl(volts), {}},
                       {"sad", {integer(0), real(volts)}, Dbl(volts), dac(steps)},
                   });
        if (HasFailure()) return;
    }
}

TEST_P(AnalogOutput, NamesLookAtTheLowSixteenBitsInNsaOnly) {
    run(dll(), {
                   {"nsa", {integer(0)}, Txt("sortie analogique 0"), {}},
                   {"nsa", {integer(65536)}, Txt("sortie analogique 0"), {}},
                   {"nsa", {integer(1)}, Txt(""), {}},
                   {"stdnsa", {integer(65536)}, Txt("sortie analogique 0"), {}},
                   {"stdnsa", {integer(-1)}, Txt(""), {}},
                   {"nsad", {integer(0)}, Txt("sortie 0 (volts)"), {}},
                   {"nsad", {integer(65536)}, Txt(""), {}},
                   {"nsad", {integer(1)}, Txt(""), {}},
                   {"stdnsad", {integer(0)}, Txt("sortie 0 (volts)"), {}},
               });
}

// The single forms widen the argument exactly and narrow the result to the nearest single.
TEST_P(AnalogOutput, SingleFormsConvertAroundSad) {
    run(dll(), {
                   {"stdsas", {integer(0), single(5.0f)}, Sgl(5.0f), dac(0x7D)},
                   {"stdrsas", {integer(0)}, Sgl(5.0f), {}},
                   {"stdsas", {integer(0), single(0.1f)}, Sgl(0.1f), dac(0x03)},
                   {"stdsas", {integer(0), single(10.24f)}, Sgl(10.2f), dac(0xFF)},
                   {"stdrsas", {integer(0)}, Sgl(10.2f), {}},
                   {"stdsas", {integer(1), single(1.0f)}, Sgl(-777.0f), {}},
                   {"sa", {integer(0), integer(1)}, Int(1), dac(0x01)},
                   {"stdrsas", {integer(0)}, Sgl(0.04f), {}},
                   {"stdrsas", {integer(1)}, Sgl(-777.0f), {}},
               });
}

// Only the channel is rounded; the volts go through as they are.
TEST_P(AnalogOutput, DoubleFormsRoundTheChannelOnly) {
    run(dll(), {
                   {"sadouble", {real(0.0), real(2.5)}, Dbl(2.5), dac(0x3E)},
                   {"sadouble", {real(0.4), real(0.1)}, Dbl(0.1), dac(0x03)},
                   {"sadouble", {real(-0.5), real(1.0)}, Dbl(1.0), dac(0x19)},
                   {"sadouble", {real(2.5), real(1.0)}, Dbl(-777.0), {}},
                   {"sadouble", {real(kNaN), real(1.0)}, Dbl(-777.0), {}},
                   {"sadouble", {real(4294967296.0), real(1.0)}, Dbl(-777.0), {}},
                   {"sadouble", {real(0.0), real(kNaN)}, Dbl(-777.0), {}},
                   {"stdsadouble", {real(0.0), real(10.24)}, Dbl(10.2), dac(0xFF)},
                   {"stdsadouble", {real(1e30), real(1.0)}, Dbl(-777.0), {}},
                   {"rsadouble", {real(0.0)}, Dbl(10.2), {}},
                   {"rsadouble", {real(1.0)}, Dbl(-777.0), {}},
                   {"stdrsadouble", {real(0.5)}, Dbl(10.2), {}},
                   {"stdrsadouble", {real(kNaN)}, Dbl(-777.0), {}},
                   {"nsadouble", {real(0.0)}, Txt("sortie 0 (volts)"), {}},
                   {"nsadouble", {real(65536.0)}, Txt(""), {}},
                   {"stdnsadouble", {real(0.4)}, Txt("sortie 0 (volts)"), {}},
                   {"stdnsadouble", {real(kNaN)}, Txt(""), {}},
               });
}

TEST_P(AnalogOutput, PsadReadsThroughItsPointerAndLeavesItUnchanged) {
    const double requested = 10.24;
    const double half = 2.5;
    const CallOutcome set = run(dll(), Case{"psad", {integer(0), pointer(&requested)}, PointsTo(10.2), dac(0xFF)});
    EXPECT_EQ(requested, 10.24) << "psad changed the double at pv";
    EXPECT_NE(set.double_pointer(), &requested);
    run(dll(), {
                   {"sad", {integer(0), real(1.0)}, Dbl(1.0), dac(0x19)},
                   {"pead", {integer(1)}, PointsTo(0.0), {wrote(0x309, 0x20), read(0x30D, 0x00), read(0x30C, 0x00)}},
               });
    EXPECT_TRUE(returned(set, PointsTo(10.2))) << "after other calls";
    run(dll(), {
                   {"psad", {integer(0), pointer(&half)}, PointsTo(2.5), dac(0x3E)},
                   {"psad", {integer(1), pointer(&half)}, PointsTo(-777.0), {}},
               });
    EXPECT_EQ(half, 2.5);
}

WIN32TEST_FOR_EACH_DLL(AnalogOutput);

}  // namespace
}  // namespace win32test
