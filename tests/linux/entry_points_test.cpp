// The entry points of one shipped library (plain or rec, chosen at build time),
// called by name as a host would, with every IN/OUT answered by the emulated card.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "novra3.h"
#include "support/card_trace.h"
#include "support/dl_library.h"

namespace {

using trap::R;
using trap::Trace;
using trap::W;

constexpr bool kRec = NOVRA3_TEST_REC;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Loaded once by main: every load spends a second calibrating the clock.
const DlLibrary* library = nullptr;

template <typename F>
F* entry(const char* name) {
    return library->get<F>(name);
}
// The type comes from the public header, so a host calling by name gets what it declares.
#define ENTRY(name) entry<decltype(::name)>(#name)

class Card : public testing::Test {
protected:
    void SetUp() override { trap_card_reset(); }
    void TearDown() override { EXPECT_FALSE(trap_card_trace_overflowed()) << "more accesses than the trace holds"; }
};

Trace conversion(std::uint8_t select, std::uint8_t high, std::uint8_t low) {
    return {W(0x309, select), R(0x30D, high), R(0x30C, low)};
}

// ---- Analog inputs ------------------------------------------------------------

TEST_F(Card, ConversionSelectsTheChannelModuloEight) {
    const struct {
        int n;
        std::uint8_t select;
    } cases[] = {{0, 0x00}, {3, 0x60}, {7, 0xE0}, {8, 0x00}, {-1, 0xE0}, {INT_MIN, 0x00}};
    trap_card_set_read(0x30D, 0x01);
    trap_card_set_read(0x30C, 0x23);
    for (const auto& c : cases) {
        SCOPED_TRACE("channel " + std::to_string(c.n));
        trap_card_clear_trace();
        EXPECT_EQ(0x123, ENTRY(ea)(c.n));
        EXPECT_EQ(conversion(c.select, 0x01, 0x23), trap::trace());
        trap_card_clear_trace();
        EXPECT_EQ(0.291, ENTRY(ead)(c.n));
        EXPECT_EQ(conversion(c.select, 0x01, 0x23), trap::trace());
    }
}

TEST_F(Card, ConversionKeepsTenBits) {
    const struct {
        std::uint8_t high, low;
        int raw;
        double volts;
    } cases[] = {{0xFF, 0xFF, 1023, 1.023}, {0x02, 0x00, 512, 0.512}, {0xFC, 0x00, 0, 0.0}, {0x00, 0x01, 1, 0.001}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "0x30D reads " << +c.high << ", 0x30C reads " << +c.low);
        trap_card_set_read(0x30D, c.high);
        trap_card_set_read(0x30C, c.low);
        EXPECT_EQ(c.raw, ENTRY(ea)(1));
        EXPECT_EQ(c.volts, ENTRY(ead)(1));
    }
}

TEST_F(Card, AnalogInputNamesNameTheConnector) {
    const struct {
        int n;
        const char* name;
    } cases[] = {{0, "Connecteur A, voie 0"},
                 {1, "connecteur A, voie 1"},
                 {2, "connecteur B, voie 0"},
                 {3, "connecteur B, voie 1"},
                 {4, ""},
                 {-1, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE("channel " + std::to_string(c.n));
        EXPECT_STREQ(c.name, ENTRY(nea)(c.n));
        if (!kRec) {
            EXPECT_STREQ(c.name, ENTRY(nead)(c.n));
        }
    }
    EXPECT_EQ(Trace{}, trap::trace());
}

// ---- Analog output ---------------------------------------------------------------

TEST_F(Card, StepsSaturateToTheConverterRange) {
    const struct {
        int v;
        std::uint8_t written;
        int set;
        double volts;
    } cases[] = {{100, 0x64, 100, 4.0},  {300, 0xFF, 255, 10.2},  {-777, 0x00, 0, 0.0},
                 {255, 0xFF, 255, 10.2}, {INT_MIN, 0x00, 0, 0.0}, {INT_MAX, 0xFF, 255, 10.2}};
    for (const auto& c : cases) {
        SCOPED_TRACE("sa(0, " + std::to_string(c.v) + ")");
        trap_card_clear_trace();
        EXPECT_EQ(c.set, ENTRY(sa)(0, c.v));
        EXPECT_EQ(Trace{W(0x310, c.written)}, trap::trace());
        EXPECT_EQ(c.set, ENTRY(rsa)(0));
        EXPECT_EQ(c.volts, ENTRY(rsad)(0));
        EXPECT_EQ(1u, trap::trace().size()) << "read-backs come from memory";
    }
}

TEST_F(Card, ReadBackVoltsAreTheNearestDoubleForEveryStep) {
    for (int k = 0; k <= 255; ++k) {
        ENTRY(sa)(0, k);
        EXPECT_EQ(k / 25.0, ENTRY(rsad)(0)) << "step " << k;
    }
}

TEST_F(Card, VoltsRoundToTheNearestStepAndSaturate) {
    const struct {
        double v;
        std::uint8_t written;
        double result;
    } cases[] = {
        {5.0, 0x7D, 5.0},     {2.5, 0x3E, 2.5},    {0.5, 0x0C, 0.5},        {0.1, 0x03, 0.1},        {0.3, 0x07, 0.3},
        {0.02, 0x01, 0.02},   {0.06, 0x01, 0.06},  {10.2, 0xFF, 10.2},      {10.24, 0xFF, 10.2},     {-0.04, 0x00, 0.0},
        {-2.5, 0x00, 0.0},    {1e300, 0xFF, 10.2}, {kInfinity, 0xFF, 10.2}, {-kInfinity, 0x00, 0.0}, {-0.02, 0x00, 0.0},
        {-0.01, 0x00, -0.01},  // a quarter step below 0 rounds to 0: nothing clamped
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "sad(0, " << c.v << ")");
        trap_card_clear_trace();
        EXPECT_EQ(c.result, ENTRY(sad)(0, c.v));
        EXPECT_EQ(Trace{W(0x310, c.written)}, trap::trace());
        EXPECT_EQ(c.written, ENTRY(rsa)(0));
        EXPECT_EQ(c.written / 25.0, ENTRY(rsad)(0));
    }
}

TEST_F(Card, RefusedOutputsTouchNothing) {
    ENTRY(sa)(0, 40);
    trap_card_clear_trace();
    EXPECT_EQ(-777, ENTRY(sa)(1, 5));
    EXPECT_EQ(-777, ENTRY(sa)(-1, 5));
    EXPECT_EQ(-777.0, ENTRY(sad)(1, 1.0));
    EXPECT_EQ(-777.0, ENTRY(sad)(0, kNaN));
    EXPECT_EQ(-777, ENTRY(rsa)(1));
    EXPECT_EQ(-777.0, ENTRY(rsad)(-1));
    EXPECT_EQ(Trace{}, trap::trace());
    EXPECT_EQ(40, ENTRY(rsa)(0)) << "a refused call must not change the remembered output";
}

TEST_F(Card, AnalogOutputNames) {
    const struct {
        int n;
        const char* nsa;
        const char* nsad;
    } cases[] = {{0, "sortie analogique 0", "sortie 0 (volts)"},
                 {65536, "sortie analogique 0", ""},  // only the low 16 bits count for nsa
                 {-65536, "sortie analogique 0", ""},
                 {1, "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE("output " + std::to_string(c.n));
        EXPECT_STREQ(c.nsa, ENTRY(nsa)(c.n));
        EXPECT_STREQ(c.nsad, ENTRY(nsad)(c.n));
    }
}

// ---- Logic inputs and outputs ----------------------------------------------------------

TEST_F(Card, LogicInputsReadOneBitOfTheirPort) {
    const struct {
        int n;
        std::uint16_t port;
        int level;
    } cases[] = {{0, 0x304, 1}, {1, 0x304, 0}, {2, 0x304, 1}, {7, 0x304, 0}, {8, 0x314, 0}, {15, 0x314, 1}};
    trap_card_set_read(0x304, 0x05);
    trap_card_set_read(0x314, 0x80);
    for (const auto& c : cases) {
        SCOPED_TRACE("input " + std::to_string(c.n));
        trap_card_clear_trace();
        EXPECT_EQ(c.level, ENTRY(eb)(c.n));
        EXPECT_EQ(Trace{R(c.port, c.port == 0x304 ? 0x05 : 0x80)}, trap::trace());
    }
}

// One run against a card whose latch reads back what was written, except where
// the card is made to hold another byte (bits the library does not own).
TEST_F(Card, LogicOutputsReadModifyWriteTheLatch) {
    constexpr int kKeep = -1;
    const struct {
        int card_holds;
        int n, v;
        std::uint8_t read, written;
        int result;
        std::uint8_t outputs_on;  // bit n: rsb(n) afterwards
    } steps[] = {
        {0x00, 2, 1, 0x00, 0x10, 201, 0b0100},
        {kKeep, 0, 1, 0x10, 0x11, 1, 0b0101},
        {kKeep, 1, 2, 0x11, 0x11, 102, 0b0101},  // only 1 switches on
        {kKeep, 3, 1, 0x11, 0x31, 301, 0b1101},
        {kKeep, 2, 0, 0x31, 0x21, 200, 0b1001},
        {kKeep, 0, -1, 0x21, 0x20, -1, 0b1000},
        {kKeep, 3, INT_MAX, 0x20, 0x00, static_cast<int>(300u + INT_MAX), 0b0000},  // wraps
        {0xFF, 3, 0, 0xFF, 0xDF, 300, 0b0000},
        {kKeep, 1, 1, 0xDF, 0xDF, 101, 0b0010},
    };
    trap_card_set_card_mode(1);
    for (const auto& s : steps) {
        SCOPED_TRACE("sb(" + std::to_string(s.n) + ", " + std::to_string(s.v) + ")");
        if (s.card_holds != kKeep) trap_card_set_read(0x311, static_cast<std::uint8_t>(s.card_holds));
        trap_card_clear_trace();
        EXPECT_EQ(s.result, ENTRY(sb)(s.n, s.v));
        EXPECT_EQ((Trace{R(0x311, s.read), W(0x311, s.written)}), trap::trace());
        for (int n = 0; n < 4; ++n) EXPECT_EQ((s.outputs_on >> n) & 1, ENTRY(rsb)(n)) << "rsb(" << n << ")";
    }
}

TEST_F(Card, RefusedLogicChannelsTouchNothing) {
    trap_card_set_card_mode(1);
    ENTRY(sb)(0, 1);
    trap_card_clear_trace();
    const struct {
        const char* call;
        std::function<int()> run;
    } cases[] = {
        {"sb(4, 1)", [] { return ENTRY(sb)(4, 1); }},   {"sb(7, 1)", [] { return ENTRY(sb)(7, 1); }},
        {"sb(-1, 1)", [] { return ENTRY(sb)(-1, 1); }}, {"eb(16)", [] { return ENTRY(eb)(16); }},
        {"eb(-1)", [] { return ENTRY(eb)(-1); }},       {"rsb(4)", [] { return ENTRY(rsb)(4); }},
        {"rsb(-1)", [] { return ENTRY(rsb)(-1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(-777, c.run());
    }
    EXPECT_EQ(Trace{}, trap::trace());
    EXPECT_EQ(1, ENTRY(rsb)(0));
}

TEST_F(Card, LogicNamesStayValidAfterLaterCalls) {
    const std::string input =
        "entr\xE9"
        "e logique ";
    const struct {
        int n;
        std::string input;
        std::string output;
    } cases[] = {{0, input + "0", "sortie logique 0"},
                 {7, input + "7", "sortie logique 7"},
                 {15, input + "15", ""},
                 {16, "", ""},
                 {-1, "", ""}};
    std::vector<const char*> inputs, outputs;
    for (const auto& c : cases) {
        inputs.push_back(ENTRY(neb)(c.n));
        outputs.push_back(ENTRY(nsb)(c.n));
    }
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE("channel " + std::to_string(cases[i].n));
        EXPECT_EQ(cases[i].input, inputs[i]);
        EXPECT_EQ(cases[i].output, outputs[i]);
    }
    EXPECT_EQ(Trace{}, trap::trace());
}

// ---- Sensor names (rec) or connector names (plain) of nead ----------------------------------

#if NOVRA3_TEST_REC

TEST_F(Card, NeadNamesTheSensorFromOneRead) {
    const struct {
        int n;
        std::uint16_t port;
        std::uint8_t code;
        const char* name;
    } cases[] = {
        {1, 0x314, 18, "thermom\xE8tre voie1"},
        {0, 0x314, 200, "200 voie0"},
        {2, 0x315, 31, "aucun voie0"},
        {0, 0x314, 14, "14  voie0"},
        {3, 0x315, 16, "millivoltm\xE8tre voie1"},
        {1, 0x314, 41, "41 voie1"},
        {2, 0x315, 255, "255 voie0"},
        {3, 0x315, 40, "C40 voie1"},
        {0, 0x314, 2, "Hygrom\xE8tre voie0"},
        {2, 0x315, 0, "0 voie0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("nead(" + std::to_string(c.n) + ") with code " + std::to_string(c.code));
        // The other connector holds another sensor, so reading the wrong port shows.
        trap_card_set_read(0x314, 9);
        trap_card_set_read(0x315, 9);
        trap_card_set_read(c.port, c.code);
        trap_card_clear_trace();
        EXPECT_STREQ(c.name, ENTRY(nead)(c.n));
        EXPECT_EQ(Trace{R(c.port, c.code)}, trap::trace());
    }
}

TEST_F(Card, NeadSeesASensorChangeAtTheNextCall) {
    trap::queue_reads(0x314, {18, 8});
    const char* before = ENTRY(nead)(0);
    const char* after = ENTRY(nead)(0);
    EXPECT_EQ((Trace{R(0x314, 18), R(0x314, 8)}), trap::trace());
    EXPECT_STREQ("voltm\xE8tre voie0", after);
    EXPECT_STREQ("thermom\xE8tre voie0", before) << "an earlier name must keep its text";
}

TEST_F(Card, NeadOutOfRangeReadsNothing) {
    for (int n : {4, -1, INT_MIN, INT_MAX}) EXPECT_STREQ("", ENTRY(nead)(n)) << "channel " << n;
    EXPECT_EQ(Trace{}, trap::trace());
}

#else

TEST_F(Card, NeadIsNeaWithoutReadingTheCard) {
    for (int n = -2; n <= 5; ++n) EXPECT_STREQ(ENTRY(nea)(n), ENTRY(nead)(n)) << "channel " << n;
    EXPECT_EQ(Trace{}, trap::trace());
}

#endif

// ---- Calling variants --------------------------------------------------------------------------

using Value = std::variant<int, double, float, std::string>;

Value value_of(int x) { return x; }
Value value_of(double x) { return x; }
Value value_of(float x) { return x; }
Value value_of(const char* text) { return std::string(text); }
Value value_of(const double* cell) { return *cell; }

struct VariantCase {
    const char* call;
    std::function<Value()> run;
    Value expected;
    Trace trace;
};

#define CALL(name, ...) [] { return value_of(ENTRY(name)(__VA_ARGS__)); }

// The card for the whole table: conversions give 512, logic inputs 0x304 = 0x05,
// connector A carries code 18 (logic inputs 9 and 12 on), connector B code 31,
// and the latch reads back what was written. Rows run in order: outputs set
// early are read back later.
std::vector<VariantCase> variant_cases() {
    const Trace none;
    const auto convert = [](std::uint8_t select) { return conversion(select, 0x02, 0x00); };
    const Trace sensor_a = kRec ? Trace{R(0x314, 18)} : Trace{};
    const Trace sensor_b = kRec ? Trace{R(0x315, 31)} : Trace{};
    const std::string detail =
        "Interface Mirvane NOVRA3 : 4 entr\xE9"
        "es analogiques (connecteurs A et B), 1 sortie analogique, 16 entr\xE9"
        "es logiques, 4 sorties logiques";
    const std::string input_15 =
        "entr\xE9"
        "e logique 15";
    static const double five_volts = 5.0;

    return {
        // Identification.
        {"titre()", CALL(titre), std::string("NOVRA3 (et NOVRA4 ?)"), none},
        {"stdtitre()", CALL(stdtitre), std::string("NOVRA3 (et NOVRA4 ?)"), none},
        {"detail()", CALL(detail), detail, none},
        {"stddetail()", CALL(stddetail), detail, none},
        // stdcall forms.
        {"stdea(1)", CALL(stdea, 1), 512, convert(0x20)},
        {"stdnea(1)", CALL(stdnea, 1), std::string("connecteur A, voie 1"), none},
        {"stdead(3)", CALL(stdead, 3), 0.512, convert(0x60)},
        {"stdnead(1)", CALL(stdnead, 1), std::string(kRec ? "thermom\xE8tre voie1" : "connecteur A, voie 1"), sensor_a},
        {"stdsa(0, 100)", CALL(stdsa, 0, 100), 100, {W(0x310, 0x64)}},
        {"stdrsad(0)", CALL(stdrsad, 0), 4.0, none},
        {"stdsa(0, 300)", CALL(stdsa, 0, 300), 255, {W(0x310, 0xFF)}},
        {"stdsa(1, 5)", CALL(stdsa, 1, 5), -777, none},
        {"stdnsa(65536)", CALL(stdnsa, 65536), std::string("sortie analogique 0"), none},
        {"stdsad(0, 10.24)", CALL(stdsad, 0, 10.24), 10.2, {W(0x310, 0xFF)}},
        {"stdsad(0, 5.0)", CALL(stdsad, 0, 5.0), 5.0, {W(0x310, 0x7D)}},
        {"stdsad(1, 1.0)", CALL(stdsad, 1, 1.0), -777.0, none},
        {"stdnsad(0)", CALL(stdnsad, 0), std::string("sortie 0 (volts)"), none},
        {"stdnsad(65536)", CALL(stdnsad, 65536), std::string(""), none},
        {"stdeb(2)", CALL(stdeb, 2), 1, {R(0x304, 0x05)}},
        {"stdeb(12)", CALL(stdeb, 12), 1, {R(0x314, 18)}},
        {"stdeb(16)", CALL(stdeb, 16), -777, none},
        {"stdneb(15)", CALL(stdneb, 15), input_15, none},
        {"stdsb(1, 1)", CALL(stdsb, 1, 1), 101, {R(0x311, 0x00), W(0x311, 0x02)}},
        {"stdrsb(1)", CALL(stdrsb, 1), 1, none},
        {"stdrsb(4)", CALL(stdrsb, 4), -777, none},
        {"stdnsb(7)", CALL(stdnsb, 7), std::string("sortie logique 7"), none},
        {"stdnsb(8)", CALL(stdnsb, 8), std::string(""), none},
        // Single-precision forms.
        {"stdeas(0)", CALL(stdeas, 0), 0.512f, convert(0x00)},
        {"stdsas(0, 5.0f)", CALL(stdsas, 0, 5.0f), 5.0f, {W(0x310, 125)}},
        {"stdsas(0, 0.1f)", CALL(stdsas, 0, 0.1f), 0.1f, {W(0x310, 3)}},  // widened exactly, then 2.5000000373 steps
        {"stdrsas(0)", CALL(stdrsas, 0), 0.12f, none},
        {"stdsas(0, 11.0f)", CALL(stdsas, 0, 11.0f), 10.2f, {W(0x310, 0xFF)}},
        {"stdsas(0, NaN)", CALL(stdsas, 0, std::numeric_limits<float>::quiet_NaN()), -777.0f, none},
        {"stdrsas(1)", CALL(stdrsas, 1), -777.0f, none},
        // Double forms: halves to even, anything but a 32-bit integer refused untouched.
        {"eadouble(2.5)", CALL(eadouble, 2.5), 0.512, convert(0x40)},
        {"eadouble(3.5)", CALL(eadouble, 3.5), 0.512, convert(0x80)},
        {"eadouble(-2147483648.0)", CALL(eadouble, -2147483648.0), 0.512, convert(0x00)},
        {"eadouble(2147483646.5)", CALL(eadouble, 2147483646.5), 0.512, convert(0xC0)},
        {"eadouble(2147483647.5)", CALL(eadouble, 2147483647.5), -777.0, none},
        {"eadouble(-2147483649.0)", CALL(eadouble, -2147483649.0), -777.0, none},
        {"eadouble(4294967296.0)", CALL(eadouble, 4294967296.0), -777.0, none},
        {"eadouble(NaN)", CALL(eadouble, kNaN), -777.0, none},
        {"eadouble(-inf)", CALL(eadouble, -kInfinity), -777.0, none},
        {"stdeadouble(1.0)", CALL(stdeadouble, 1.0), 0.512, convert(0x20)},
        {"neadouble(0.4)", CALL(neadouble, 0.4), std::string(kRec ? "thermom\xE8tre voie0" : "Connecteur A, voie 0"),
         sensor_a},
        {"stdneadouble(2.0)", CALL(stdneadouble, 2.0), std::string(kRec ? "aucun voie0" : "connecteur B, voie 0"),
         sensor_b},
        {"neadouble(NaN)", CALL(neadouble, kNaN), std::string(""), none},
        {"stdneadouble(1e30)", CALL(stdneadouble, 1e30), std::string(""), none},
        {"sadouble(0.0, 2.5)", CALL(sadouble, 0.0, 2.5), 2.5, {W(0x310, 0x3E)}},
        {"sadouble(0.5, 10.24)", CALL(sadouble, 0.5, 10.24), 10.2, {W(0x310, 0xFF)}},
        {"sadouble(1.0, 2.5)", CALL(sadouble, 1.0, 2.5), -777.0, none},
        {"sadouble(NaN, 2.5)", CALL(sadouble, kNaN, 2.5), -777.0, none},
        {"sadouble(1e30, 2.5)", CALL(sadouble, 1e30, 2.5), -777.0, none},
        {"sadouble(0.0, NaN)", CALL(sadouble, 0.0, kNaN), -777.0, none},
        {"stdsadouble(0.0, 5.0)", CALL(stdsadouble, 0.0, 5.0), 5.0, {W(0x310, 0x7D)}},
        {"stdsadouble(4294967296.0, 5.0)", CALL(stdsadouble, 4294967296.0, 5.0), -777.0, none},
        {"rsadouble(0.0)", CALL(rsadouble, 0.0), 5.0, none},
        {"stdrsadouble(1.0)", CALL(stdrsadouble, 1.0), -777.0, none},
        {"rsadouble(NaN)", CALL(rsadouble, kNaN), -777.0, none},
        {"nsadouble(0.0)", CALL(nsadouble, 0.0), std::string("sortie 0 (volts)"), none},
        {"stdnsadouble(65536.0)", CALL(stdnsadouble, 65536.0), std::string(""), none},
        {"nsadouble(NaN)", CALL(nsadouble, kNaN), std::string(""), none},
        {"ebdouble(0.0)", CALL(ebdouble, 0.0), 1.0, {R(0x304, 0x05)}},
        {"stdebdouble(1.0)", CALL(stdebdouble, 1.0), 0.0, {R(0x304, 0x05)}},
        {"ebdouble(16.0)", CALL(ebdouble, 16.0), -777.0, none},
        {"ebdouble(NaN)", CALL(ebdouble, kNaN), -777.0, none},
        {"stdebdouble(1e30)", CALL(stdebdouble, 1e30), -777.0, none},
        {"nebdouble(15.0)", CALL(nebdouble, 15.0), input_15, none},
        {"stdnebdouble(-1.0)", CALL(stdnebdouble, -1.0), std::string(""), none},
        {"sbdouble(0.0, 1.0)", CALL(sbdouble, 0.0, 1.0), 1.0, {R(0x311, 0x02), W(0x311, 0x03)}},
        {"stdsbdouble(1.0, 1.0)", CALL(stdsbdouble, 1.0, 1.0), 101.0, {R(0x311, 0x03), W(0x311, 0x03)}},
        {"sbdouble(2.5, 1.5)", CALL(sbdouble, 2.5, 1.5), 202.0, {R(0x311, 0x03), W(0x311, 0x03)}},  // v = 2: off
        {"sbdouble(1e30, 1.0)", CALL(sbdouble, 1e30, 1.0), -777.0, none},
        {"sbdouble(1.0, NaN)", CALL(sbdouble, 1.0, kNaN), -777.0, none},
        {"sbdouble(0.0, 4294967297.0)", CALL(sbdouble, 0.0, 4294967297.0), -777.0, none},
        {"stdsbdouble(NaN, 1.0)", CALL(stdsbdouble, kNaN, 1.0), -777.0, none},
        {"rsbdouble(0.0)", CALL(rsbdouble, 0.0), 1.0, none},
        {"stdrsbdouble(2.0)", CALL(stdrsbdouble, 2.0), 0.0, none},
        {"rsbdouble(NaN)", CALL(rsbdouble, kNaN), -777.0, none},
        {"nsbdouble(8.0)", CALL(nsbdouble, 8.0), std::string(""), none},
        {"stdnsbdouble(7.0)", CALL(stdnsbdouble, 7.0), std::string("sortie logique 7"), none},
        // Pointer forms.
        {"pead(2)", CALL(pead, 2), 0.512, convert(0x40)},
        {"psad(0, &5.0)", CALL(psad, 0, &five_volts), 5.0, {W(0x310, 0x7D)}},
        {"psad(1, &5.0)", CALL(psad, 1, &five_volts), -777.0, none},
    };
}

TEST_F(Card, CallingVariantsByName) {
    trap_card_set_read(0x30D, 0x02);
    trap_card_set_read(0x30C, 0x00);
    trap_card_set_read(0x304, 0x05);
    trap_card_set_read(0x314, 18);
    trap_card_set_read(0x315, 31);
    trap_card_set_read(0x311, 0x00);
    trap_card_set_card_mode(1);
    for (const VariantCase& c : variant_cases()) {
        SCOPED_TRACE(c.call);
        trap_card_clear_trace();
        EXPECT_EQ(c.expected, c.run());
        EXPECT_EQ(c.trace, trap::trace());
    }
}

TEST_F(Card, PointerResultsBelongToTheCallingThread) {
    trap_card_set_read(0x30D, 0x02);
    trap_card_set_read(0x30C, 0x00);
    const double* mine = ENTRY(pead)(0);
    const double* theirs = nullptr;
    double seen = 0.0;
    std::thread([&] {
        trap_card_set_read(0x30D, 0x03);
        trap_card_set_read(0x30C, 0xFF);
        theirs = ENTRY(pead)(1);
        seen = *theirs;
    }).join();
    EXPECT_NE(mine, theirs);
    EXPECT_EQ(1.023, seen);
    EXPECT_EQ(0.512, *mine) << "another thread's call must not overwrite this thread's result";
    EXPECT_EQ(mine, ENTRY(pead)(0)) << "the same thread reuses its cell";

    const double volts = 2.5;
    const double* set = ENTRY(psad)(0, &volts);
    EXPECT_EQ(2.5, *set);
    EXPECT_EQ(2.5, volts);
}

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (trap_card_install() != 0) {
        std::fprintf(stderr, "cannot install the SIGSEGV handler\n");
        return 1;
    }
    try {
        static const DlLibrary loaded(NOVRA3_TEST_LIBRARY);
        library = &loaded;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return RUN_ALL_TESTS();
}
