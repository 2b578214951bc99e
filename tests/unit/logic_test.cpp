#include <gtest/gtest.h>

#include <climits>

#include "channels/logic.h"
#include "fixture.h"
#include "novra3.h"

namespace {

using testbus::read;
using testbus::write;

class LogicTest : public testbus::CardTest {};

TEST_F(LogicTest, InputsReadOneBitOfTheirByte) {
    testbus::script(0x304, {0x05});
    testbus::script(0x314, {0x80});
    struct Case {
        int n;
        int level;
        std::uint16_t port;
    };
    const Case cases[] = {{0, 1, 0x304}, {1, 0, 0x304}, {2, 1, 0x304}, {7, 0, 0x304}, {8, 0, 0x314}, {15, 1, 0x314}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "eb(" << c.n << ")");
        testbus::clear_trace();
        EXPECT_EQ(eb(c.n), c.level);
        EXPECT_EQ(testbus::trace(), std::vector{read(c.port, c.n < 8 ? 0x05 : 0x80)});
    }
}

TEST_F(LogicTest, OutputsAreReadModifyWrittenAndAcknowledged) {
    struct Case {
        std::uint8_t latch;
        int n, v;
        std::uint8_t written;
        int result;
    };
    const Case cases[] = {
        {0x00, 2, 1, 0x10, 201}, {0x10, 0, 1, 0x11, 1},   {0xFF, 3, 0, 0xDF, 300},
        {0xFF, 1, 2, 0xFD, 102}, {0x00, 1, 1, 0x02, 101}, {0xFF, 0, -1, 0xFE, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "sb(" << c.n << ", " << c.v << ") on " << int{c.latch});
        testbus::script(0x311, {c.latch});
        testbus::clear_trace();
        EXPECT_EQ(sb(c.n, c.v), c.result);
        EXPECT_EQ(testbus::trace(), (std::vector{read(0x311, c.latch), write(0x311, c.written)}));
        EXPECT_EQ(rsb(c.n), c.v == 1 ? 1 : 0);
    }
}

TEST_F(LogicTest, RememberedStateFollowsOnlyValueOne) {
    sb(2, 1);
    sb(0, 1);
    EXPECT_EQ(novra3::etatsorties, 0x05);
    EXPECT_EQ(rsb(0), 1);
    EXPECT_EQ(rsb(1), 0);
    EXPECT_EQ(rsb(2), 1);
    sb(2, 2);
    EXPECT_EQ(rsb(2), 0);
    EXPECT_EQ(novra3::etatsorties, 0x01);
}

TEST_F(LogicTest, AcknowledgementWrapsInThirtyTwoBits) {
    EXPECT_EQ(sb(3, INT_MAX), static_cast<int>(300u + 2147483647u));
    EXPECT_LT(sb(3, INT_MAX), 0);
    EXPECT_EQ(rsb(3), 0);
}

TEST_F(LogicTest, RefusedChannelsTouchNothing) {
    sb(1, 1);
    testbus::clear_trace();
    for (int n : {16, -1, INT_MIN, 100}) EXPECT_EQ(eb(n), -777) << n;
    for (int n : {4, 7, -1, INT_MIN}) {
        EXPECT_EQ(sb(n, 1), -777) << n;
        EXPECT_EQ(rsb(n), -777) << n;
    }
    EXPECT_TRUE(testbus::trace().empty());
    EXPECT_EQ(novra3::etatsorties, 0x02);
}

}  // namespace
