// The simulated card on its own, on a clock the tests set.
#include "sim/card_model.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "core/registers.h"

namespace {

using novra3::sim::CardModel;
using novra3::sim::Settings;

std::int64_t fake_now = 0;
std::int64_t fake_clock() { return fake_now; }

class CardModelTest : public ::testing::Test {
protected:
    void SetUp() override { fake_now = 0; }

    // The card as the library leaves it at load.
    static CardModel set_up_card(const Settings& settings = {}) {
        CardModel card(settings, fake_clock);
        for (const auto& w : novra3::reg::kSetupSequence) card.write(w.port, w.value);
        return card;
    }

    static int convert(CardModel& card, int channel) {
        card.write(0x309, static_cast<std::uint8_t>(channel << 5));
        return (card.read(0x30D) & 0x03) << 8 | card.read(0x30C);
    }
};

TEST_F(CardModelTest, ControlValueDecidesWhetherTheSharedAddressReachesDirectionOrData) {
    struct Side {
        int number;
        std::uint16_t control, shared;
    };
    const Side sides[] = {{1, 0x316, 0x314}, {2, 0x317, 0x315}, {3, 0x312, 0x310}, {4, 0x313, 0x311},
                          {5, 0x30E, 0x30C}, {6, 0x30A, 0x308}, {7, 0x30F, 0x30D}, {8, 0x30B, 0x309}};
    for (const Side& s : sides) {
        SCOPED_TRACE(::testing::Message() << "side " << s.number);
        CardModel card({}, fake_clock);
        EXPECT_EQ(card.control(s.number), 0x04) << "the card powers up with its data registers reachable";
        card.write(s.control, 0x00);
        card.write(s.shared, 0x5A);
        card.write(s.control, 0x04);
        card.write(s.shared, 0xA5);
        EXPECT_EQ(card.direction(s.number), 0x5A);
        EXPECT_EQ(card.data(s.number), 0xA5);
        EXPECT_EQ(card.read(s.control), 0x04);
        card.write(s.control, 0x00);
        EXPECT_EQ(card.read(s.shared), 0x5A) << "direction selected again";
        card.write(s.shared, 0x11);
        EXPECT_EQ(card.direction(s.number), 0x11);
        EXPECT_EQ(card.data(s.number), 0xA5) << "a direction write leaves the data alone";
    }
}

TEST_F(CardModelTest, SetupLeavesSidesOnTheirDataRegistersWithTheirDirections) {
    CardModel card = set_up_card();
    for (int side = 1; side <= 8; ++side) EXPECT_EQ(card.control(side), 0x04) << "side " << side;
    EXPECT_EQ(card.direction(3), 0xFF);
    EXPECT_EQ(card.direction(7), 0xE0);
    for (int side = 1; side <= 8; ++side) EXPECT_EQ(card.data(side), 0x00) << "side " << side;
}

TEST_F(CardModelTest, OutputRegistersReadBackAsWritten) {
    CardModel card = set_up_card();
    for (const std::uint16_t port : {0x310, 0x311, 0x309}) {
        for (const std::uint8_t value : {0x00, 0x37, 0xFF}) {
            card.write(port, value);
            EXPECT_EQ(card.read(port), value) << "port 0x" << std::hex << port;
        }
    }
}

TEST_F(CardModelTest, ConnectorCodesComeFromTheSettings) {
    CardModel defaults = set_up_card();
    EXPECT_EQ(defaults.read(0x314), 18);
    EXPECT_EQ(defaults.read(0x315), 28);
    CardModel other = set_up_card({.code_a = 12, .code_b = 255});
    EXPECT_EQ(other.read(0x314), 12);
    EXPECT_EQ(other.read(0x315), 255);
    other.write(0x314, 0x00);
    EXPECT_EQ(other.read(0x314), 12) << "the sensor drives the lines, not the written data";
}

TEST_F(CardModelTest, LogicInputs0To3ReadOutputs0To3ThroughTheLoopbackPlug) {
    struct Case {
        std::uint8_t latch;
        std::uint8_t inputs;  // bits 0-3 of 0x304
    };
    const Case cases[] = {{0x00, 0x0}, {0x01, 0x1}, {0x02, 0x2}, {0x10, 0x4}, {0x20, 0x8},
                          {0x33, 0xF}, {0xCC, 0x0}, {0xFF, 0xF}, {0x21, 0x9}};
    fake_now = 600'000;  // square wave low, so bit 4 stays clear
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "latch 0x" << std::hex << int{c.latch});
        CardModel card = set_up_card();
        card.write(0x311, c.latch);
        EXPECT_EQ(card.read(0x304), c.inputs);
        CardModel unplugged = set_up_card({.loopback = false});
        unplugged.write(0x311, c.latch);
        EXPECT_EQ(unplugged.read(0x304), 0x00);
    }
}

TEST_F(CardModelTest, LogicInput4IsA1HzSquareWave) {
    struct Case {
        std::int64_t us;
        int level;
    };
    const Case cases[] = {{0, 1},         {499'999, 1},   {500'000, 0},  {999'999, 0},
                          {1'000'000, 1}, {7'250'000, 1}, {7'750'000, 0}};
    CardModel card = set_up_card();
    for (const Case& c : cases) {
        fake_now = c.us;
        EXPECT_EQ(card.read(0x304), c.level << 4) << "at " << c.us << " us";
    }
}

TEST_F(CardModelTest, ConversionGivesEachChannelsSignal) {
    CardModel card = set_up_card({.steady_1 = 300, .steady_2 = 1023});
    card.write(0x310, 200);
    struct Case {
        int channel;
        int raw;
    };
    const Case cases[] = {{0, 450}, {1, 300}, {2, 1023}, {3, 800}, {4, 0}, {5, 0}, {6, 0}, {7, 0}};
    for (const Case& c : cases) EXPECT_EQ(convert(card, c.channel), c.raw) << "channel " << c.channel;

    CardModel defaults = set_up_card();
    EXPECT_EQ(convert(defaults, 1), 512);
    EXPECT_EQ(convert(defaults, 2), 700);
    for (const std::uint8_t step : {0, 1, 128, 255}) {
        defaults.write(0x310, step);
        EXPECT_EQ(convert(defaults, 3), 4 * step) << "converter byte " << int{step};
    }
}

TEST_F(CardModelTest, Channel0SwingsSlowlyAroundItsCentre) {
    CardModel card = set_up_card();
    struct Case {
        std::int64_t us;
        int raw;
    };
    const Case cases[] = {{0, 450},          {15'000'000, 480}, {30'000'000, 450},
                          {45'000'000, 420}, {60'000'000, 450}, {75'000'000, 480}};
    for (const Case& c : cases) {
        fake_now = c.us;
        EXPECT_EQ(convert(card, 0), c.raw) << "at " << c.us << " us";
    }
    fake_now = 100'000;
    EXPECT_EQ(convert(card, 0), 450) << "a tenth of a second moves it by less than one count";
}

TEST_F(CardModelTest, ResultIsHeldFromTheSelectionAndFloatsHighOnTheUnwiredLines) {
    CardModel card = set_up_card();
    card.write(0x309, 0x00);
    fake_now = 15'000'000;
    EXPECT_EQ(card.read(0x30D), 0xFD) << "450 = 0x1C2: bits 8-9 are 01, lines 2-7 high";
    EXPECT_EQ(card.read(0x30C), 0xC2);
    card.write(0x309, 0x00);
    EXPECT_EQ(card.read(0x30C), 0xE0) << "480 after a new selection";
}

TEST_F(CardModelTest, ResultRegistersNeedTheirDataSelected) {
    CardModel card = set_up_card();
    card.write(0x309, 0x20);  // channel 1: 512
    card.write(0x30F, 0x00);
    EXPECT_EQ(card.read(0x30D), 0xE0) << "side 7's direction, not the result";
    card.write(0x30F, 0x04);
    EXPECT_EQ(card.read(0x30D) & 0x03, 0x02);
}

TEST_F(CardModelTest, PortsOutsideTheCardReadHighAndIgnoreWrites) {
    CardModel card = set_up_card();
    for (const std::uint16_t port : {0x300, 0x303, 0x305, 0x307, 0x318, 0x3FF}) {
        card.write(port, 0x00);
        EXPECT_EQ(card.read(port), 0xFF) << "port 0x" << std::hex << port;
    }
    fake_now = 600'000;
    card.write(0x304, 0xFF);
    EXPECT_EQ(card.read(0x304), 0x00) << "logic inputs cannot be written";
    for (int side = 1; side <= 8; ++side) EXPECT_EQ(card.data(side), 0x00) << "side " << side;
}

TEST(ParseSettings, AcceptsEveryKeyInAnyOrder) {
    struct Case {
        const char* text;
        Settings expected;
    };
    const Case cases[] = {
        {"", {}},
        {"A=18,B=28", {}},
        {"A=31", {.code_a = 31}},
        {" B = 12 , A=0 ", {.code_a = 0, .code_b = 12}},
        {"loopback=0,ch1=0,ch2=1023", {.loopback = false, .steady_1 = 0, .steady_2 = 1023}},
        {"A=255,,", {.code_a = 255}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\"");
        const auto parsed = novra3::sim::parse_settings(c.text);
        EXPECT_TRUE(parsed.ok) << parsed.error;
        EXPECT_TRUE(parsed.settings == c.expected);
    }
}

TEST(ParseSettings, RefusesMalformedTextsWithTheReasonAndKeepsTheDefaults) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {"A=256", "A=256: a sensor code is 0 to 255"},
        {"B=-1", "B=-1: a sensor code is 0 to 255"},
        {"A=12x", "A=12x: a sensor code is 0 to 255"},
        {"A=", "A=: a sensor code is 0 to 255"},
        {"ch1=1024", "ch1=1024: a raw value is 0 to 1023"},
        {"loopback=yes", "loopback=yes: loopback is 0 or 1"},
        {"A=12,thermo", "'thermo' is not key=value"},
        {"C=3", "unknown key 'C' (known: A, B, ch1, ch2, loopback)"},
        {"a=3", "unknown key 'a' (known: A, B, ch1, ch2, loopback)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "\"" << c.text << "\"");
        const auto parsed = novra3::sim::parse_settings(c.text);
        EXPECT_FALSE(parsed.ok);
        EXPECT_EQ(parsed.error, c.error);
        EXPECT_TRUE(parsed.settings == Settings{});
    }
}

}  // namespace
