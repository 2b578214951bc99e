#include <gtest/gtest.h>

#include "fixture.h"
#include "novra3.h"

namespace {

using testbus::read;
using testbus::write;

class AnalogInputTest : public testbus::CardTest {};

TEST_F(AnalogInputTest, ConversionSelectsThenReadsHighThenLow) {
    struct Case {
        int channel;
        std::uint8_t select;
    };
    const Case cases[] = {{0, 0x00}, {1, 0x20}, {3, 0x60}, {7, 0xE0}, {8, 0x00}, {-1, 0xE0}, {12, 0x80}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "ea(" << c.channel << ")");
        testbus::clear_trace();
        ea(c.channel);
        const std::vector<testbus::Access> expected{write(0x309, c.select), read(0x30D, 0), read(0x30C, 0)};
        EXPECT_EQ(testbus::trace(), expected);
    }
}

TEST_F(AnalogInputTest, ResultCombinesTwoBitsOfTheHighPortWithTheLowPort) {
    struct Case {
        std::uint8_t high, low;
        int raw;
        double volts;
    };
    const Case cases[] = {
        {0xFF, 0xFF, 1023, 1.023}, {0x02, 0x00, 512, 0.512}, {0xFC, 0x7B, 123, 0.123},
        {0x01, 0x00, 256, 0.256},  {0x00, 0x01, 1, 0.001},   {0x00, 0x00, 0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "0x30D=" << int{c.high} << " 0x30C=" << int{c.low});
        testbus::script(0x30D, {c.high});
        testbus::script(0x30C, {c.low});
        EXPECT_EQ(ea(0), c.raw);
        EXPECT_EQ(ead(0), c.volts);  // exactly the literal's double
    }
}

TEST_F(AnalogInputTest, EveryRawValueScalesToTheNearestDouble) {
    for (int raw = 0; raw <= 1023; ++raw) {
        testbus::script(0x30D, {static_cast<std::uint8_t>(raw >> 8)});
        testbus::script(0x30C, {static_cast<std::uint8_t>(raw & 0xFF)});
        ASSERT_EQ(ead(2), raw / 1000.0) << raw;
    }
}

TEST_F(AnalogInputTest, ConversionWaitsTwentyMicroseconds) {
    novra3::bouclesparus = 3;
    ead(1);
    EXPECT_EQ(testbus::rien_calls, 60u);
}

}  // namespace
