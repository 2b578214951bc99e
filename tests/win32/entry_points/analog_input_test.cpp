// Analog inputs and their variants: conversions (select on 0x309, then 0x30D,
// then 0x30C), scaling to volts, names, and the refused double channels.
#include <limits>

#include "dlls.h"

namespace win32test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

PortTrace conversion(std::uint8_t select, std::uint8_t high, std::uint8_t low) {
    return {wrote(0x309, select), read(0x30D, high), read(0x30C, low)};
}

using AnalogInputs = EachDll;

TEST_P(AnalogInputs, ConvertTheSelectedChannelInTenBits) {
    run(dll(), {
                   {"ea", {integer(0)}, Int(512), conversion(0x00, 0x02, 0x00)},
                   {"ea", {integer(3)}, Int(0x123), conversion(0x60, 0x01, 0x23)},
                   {"ea", {integer(7)}, Int(1023), conversion(0xE0, 0xFF, 0xFF)},
                   {"ea", {integer(8)}, Int(0), conversion(0x00, 0xFC, 0x00)},
                   {"ea", {integer(-1)}, Int(1023), conversion(0xE0, 0xFF, 0xFF)},
                   {"stdea", {integer(2)}, Int(1023), conversion(0x40, 0x03, 0xFF)},
               });
}

TEST_P(AnalogInputs, ScaleToTheNearestDoubleOfRawOverThousand) {
    run(dll(), {
                   {"ead", {integer(1)}, Dbl(1.023), conversion(0x20, 0xFF, 0xFF)},
                   {"ead", {integer(0)}, Dbl(0.512), conversion(0x00, 0x02, 0x00)},
                   {"ead", {integer(2)}, Dbl(0.001), conversion(0x40, 0x00, 0x01)},
                   {"ead", {integer(3)}, Dbl(0.0), conversion(0x60, 0x00, 0x00)},
                   {"stdead", {integer(3)}, Dbl(0.512), conversion(0x60, 0x02, 0x00)},
                   {"stdeas", {integer(1)}, Sgl(1.023f), conversion(0x20, 0xFF, 0xFF)},
                   {"stdeas", {integer(0)}, Sgl(0.333f), conversion(0x00, 0x01, 0x4D)},
                   {"pead", {integer(1)}, PointsTo(1.023), conversion(0x20, 0xFF, 0xFF)},
               });
}

// Every raw value gives the double nearest raw / 1000, exactly.
TEST_P(AnalogInputs, EveryRawValueScalesExactly) {
    for (int raw = 0; raw < 1024; ++raw) {
        const auto high = static_cast<std::uint8_t>(raw >> 8);
        const auto low = static_cast<std::uint8_t>(raw & 0xFF);
        run(dll(), Case{"ead", {integer(1)}, Dbl(nearest_quotient(raw, 1000)), conversion(0x20, high, low)});
        if (HasFailure()) return;
    }
}

TEST_P(AnalogInputs, DoubleChannelsRoundHalfToEvenAndRefuseWhatIsNoInt32) {
    run(dll(), {
                   {"eadouble", {real(2.5)}, Dbl(0.512), conversion(0x40, 0x02, 0x00)},
                   {"eadouble", {real(3.5)}, Dbl(0.0), conversion(0x80, 0x00, 0x00)},
                   {"eadouble", {real(0.5)}, Dbl(0.001), conversion(0x00, 0x00, 0x01)},
                   {"eadouble", {real(1.5)}, Dbl(0.001), conversion(0x40, 0x00, 0x01)},
                   {"eadouble", {real(-1.0)}, Dbl(1.023), conversion(0xE0, 0xFF, 0xFF)},
                   {"eadouble", {real(-2147483648.0)}, Dbl(0.0), conversion(0x00, 0x00, 0x00)},
                   {"eadouble", {real(-2147483648.5)}, Dbl(0.0), conversion(0x00, 0x00, 0x00)},
                   {"eadouble", {real(2147483647.5)}, Dbl(-777.0), {}},
                   {"eadouble", {real(2147483648.0)}, Dbl(-777.0), {}},
                   {"eadouble", {real(4294967296.0)}, Dbl(-777.0), {}},
                   {"eadouble", {real(1e30)}, Dbl(-777.0), {}},
                   {"eadouble", {real(kNaN)}, Dbl(-777.0), {}},
                   {"eadouble", {real(-kInfinity)}, Dbl(-777.0), {}},
                   {"stdeadouble", {real(1.0)}, Dbl(1.023), conversion(0x20, 0xFF, 0xFF)},
                   {"stdeadouble", {real(kNaN)}, Dbl(-777.0), {}},
               });
}

TEST_P(AnalogInputs, ConnectorNamesWithoutPortAccess) {
    run(dll(), {
                   {"nea", {integer(0)}, Txt("Connecteur A, voie 0"), {}},
                   {"nea", {integer(1)}, Txt("connecteur A, voie 1"), {}},
                   {"nea", {integer(2)}, Txt("connecteur B, voie 0"), {}},
                   {"nea", {integer(3)}, Txt("connecteur B, voie 1"), {}},
                   {"nea", {integer(4)}, Txt(""), {}},
                   {"nea", {integer(-1)}, Txt(""), {}},
                   {"stdnea", {integer(1)}, Txt("connecteur A, voie 1"), {}},
               });
}

// pead's cell keeps this call's value until the thread calls pead again.
TEST_P(AnalogInputs, PeadPointsToAValueThatOutlivesOtherCalls) {
    const CallOutcome first = run(dll(), Case{"pead", {integer(1)}, PointsTo(1.023), conversion(0x20, 0xFF, 0xFF)});
    run(dll(), {
                   {"ead", {integer(2)}, Dbl(0.0), conversion(0x40, 0x00, 0x00)},
                   {"psad", {integer(1), pointer(&kNaN)}, PointsTo(-777.0), {}},
                   {"stdead", {integer(0)}, Dbl(0.512), conversion(0x00, 0x02, 0x00)},
               });
    EXPECT_TRUE(returned(first, PointsTo(1.023))) << "after other calls";
    const CallOutcome second = run(dll(), Case{"pead", {integer(0)}, PointsTo(0.5), conversion(0x00, 0x01, 0xF4)});
    EXPECT_TRUE(returned(second, PointsTo(0.5)));
}

WIN32TEST_FOR_EACH_DLL(AnalogInputs);

// The plain build names inputs after their connector in nead too, and reads nothing.
TEST(PlainNead, GivesTheConnectorNamesWithoutPortAccess) {
    const Library& dll = library(Flavour::plain);
    run(dll, {
                 {"nead", {integer(0)}, Txt("Connecteur A, voie 0"), {}},
                 {"nead", {integer(1)}, Txt("connecteur A, voie 1"), {}},
                 {"nead", {integer(2)}, Txt("connecteur B, voie 0"), {}},
                 {"nead", {integer(3)}, Txt("connecteur B, voie 1"), {}},
                 {"nead", {integer(4)}, Txt(""), {}},
                 {"nead", {integer(-1)}, Txt(""), {}},
                 {"stdnead", {integer(2)}, Txt("connecteur B, voie 0"), {}},
                 {"neadouble", {real(3.0)}, Txt("connecteur B, voie 1"), {}},
                 {"neadouble", {real(kNaN)}, Txt(""), {}},
                 {"stdneadouble", {real(0.0)}, Txt("Connecteur A, voie 0"), {}},
                 {"stdneadouble", {real(1e30)}, Txt(""), {}},
             });
}

// The rec build reads the sensor code afresh, once per call: 0x314 for
// connector A (inputs 0, 1), 0x315 for connector B (inputs 2, 3).
TEST(RecNead, NamesTheSensorPluggedIn) {
    const Library& dll = library(Flavour::rec);
    run(dll, {
                 {"nead", {integer(1)}, Txt("thermom\xE8tre voie1"), {read(0x314, 18)}},
                 {"nead", {integer(0)}, Txt("thermom\xE8tre voie0"), {read(0x314, 18)}},
                 {"nead", {integer(2)}, Txt("aucun voie0"), {read(0x315, 31)}},
                 {"nead", {integer(3)}, Txt("Hygrom\xE8tre voie1"), {read(0x315, 2)}},
                 {"nead", {integer(0)}, Txt("millivoltm\xE8tre voie0"), {read(0x314, 16)}},
                 {"nead", {integer(0)}, Txt("14  voie0"), {read(0x314, 14)}},
                 {"nead", {integer(3)}, Txt("C40 voie1"), {read(0x315, 40)}},
                 {"nead", {integer(1)}, Txt("41 voie1"), {read(0x314, 41)}},
                 {"nead", {integer(0)}, Txt("200 voie0"), {read(0x314, 200)}},
                 {"nead", {integer(2)}, Txt("255 voie0"), {read(0x315, 255)}},
                 {"nead", {integer(4)}, Txt(""), {}},
                 {"nead", {integer(-1)}, Txt(""), {}},
                 {"stdnead", {integer(1)}, Txt("voltm\xE8tre voie1"), {read(0x314, 8)}},
                 {"neadouble", {real(2.0)}, Txt("pH-m\xE8tre voie0"), {read(0x315, 28)}},
                 {"neadouble", {real(4.0)}, Txt(""), {}},
                 {"neadouble", {real(kNaN)}, Txt(""), {}},
                 {"stdneadouble", {real(3.0)}, Txt("myographe voie1"), {read(0x315, 24)}},
                 {"stdneadouble", {real(2.5)}, Txt("Thermo-Photo voie0"), {read(0x315, 25)}},
             });
}

// A sensor swapped between two calls shows at the second; the first name
// handed out keeps its text.
TEST(RecNead, ASensorChangeShowsAtTheNextCallAndEarlierNamesStay) {
    const Library& dll = library(Flavour::rec);
    const CallOutcome before = run(dll, Case{"nead", {integer(0)}, Txt("thermom\xE8tre voie0"), {read(0x314, 18)}});
    run(dll, Case{"nead", {integer(0)}, Txt("luxm\xE8tre voie0"), {read(0x314, 12)}});
    run(dll, Case{"nead", {integer(1)}, Txt("oxy-air voie1"), {read(0x314, 26)}});
    EXPECT_TRUE(returned(before, Txt("thermom\xE8tre voie0"))) << "the first pointer after later calls";
}

}  // namespace
}  // namespace win32test
