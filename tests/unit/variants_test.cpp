#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <string>
#include <thread>

#include "fixture.h"
#include "novra3.h"

namespace {

using testbus::read;
using testbus::write;

class VariantsTest : public testbus::CardTest {};

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST_F(VariantsTest, DoubleChannelsRoundHalvesToEven) {
    eadouble(2.5);
    eadouble(3.5);
    ebdouble(0.5);
    const auto t = testbus::trace();
    ASSERT_EQ(t.size(), 7u);
    EXPECT_EQ(t[0], write(0x309, 0x40)) << "2.5 converts channel 2";
    EXPECT_EQ(t[3], write(0x309, 0x80)) << "3.5 converts channel 4";
    EXPECT_EQ(t[6], read(0x304, 0)) << "0.5 reads logic input 0";
}

TEST_F(VariantsTest, DoublesThatAreNoInt32AreRefusedWithoutTouchingTheCard) {
    const double bad[] = {kNaN, kInf, -kInf, 1e30, 4294967296.0, 2147483647.5, -2147483649.0, -1e30};
    for (const double x : bad) {
        SCOPED_TRACE(::testing::Message() << x);
        EXPECT_EQ(eadouble(x), -777.0);
        EXPECT_STREQ(neadouble(x), "");
        EXPECT_EQ(novra3_sadouble(x, 1.0), -777.0);
        EXPECT_STREQ(nsadouble(x), "");
        EXPECT_EQ(rsadouble(x), -777.0);
        EXPECT_EQ(ebdouble(x), -777.0);
        EXPECT_STREQ(nebdouble(x), "");
        EXPECT_EQ(novra3_sbdouble(x, 1.0), -777.0);
        EXPECT_EQ(novra3_sbdouble(1.0, x), -777.0) << "the logic value is rounded and checked too";
        EXPECT_STREQ(nsbdouble(x), "");
        EXPECT_EQ(rsbdouble(x), -777.0);
        EXPECT_EQ(stdeadouble(x), -777.0);
        EXPECT_EQ(stdsbdouble(1.0, x), -777.0);
        EXPECT_EQ(stdsadouble(x, 1.0), -777.0);
    }
    EXPECT_TRUE(testbus::trace().empty());
    EXPECT_EQ(novra3::etatsorties, 0);
}

TEST_F(VariantsTest, DoubleFormsCallTheirBaseEntryPoint) {
    testbus::script(0x311, {0x00});
    EXPECT_EQ(novra3_sbdouble(1.0, 1.0), 101.0);
    EXPECT_EQ(stdsbdouble(1.0, 1.0), 101.0);
    EXPECT_EQ(rsbdouble(1.0), 1.0);
    EXPECT_EQ(stdrsbdouble(1.0), 1.0);
    EXPECT_EQ(ebdouble(16.0), -777.0);
    EXPECT_STREQ(nsbdouble(8.0), "");
    EXPECT_STREQ(nsbdouble(7.0), "sortie logique 7");
    EXPECT_STREQ(stdnebdouble(15.0),
                 "entr\xE9"
                 "e logique 15");
    EXPECT_EQ(novra3_sadouble(0.0, 2.5), 2.5) << "the volts pass unrounded";
    EXPECT_EQ(rsa(0), 62);
    EXPECT_EQ(stdsadouble(0.0, 5.0), 5.0);
    EXPECT_EQ(rsadouble(0.0), 5.0);
    EXPECT_EQ(stdrsadouble(0.4), 5.0);
    EXPECT_STREQ(nsadouble(0.0), "sortie 0 (volts)");
    EXPECT_STREQ(stdnsadouble(1.0), "");
    EXPECT_STREQ(stdneadouble(3.0), nead(3));
}

TEST_F(VariantsTest, SingleFormsNarrowToTheNearestSingle) {
    testbus::script(0x30D, {0x00});
    testbus::script(0x30C, {123});
    EXPECT_EQ(std::bit_cast<std::uint32_t>(stdeas(0)), std::bit_cast<std::uint32_t>(0.123f));
    testbus::clear_trace();
    EXPECT_EQ(stdsas(0, 5.0f), 5.0f);
    EXPECT_EQ(testbus::trace(), std::vector{write(0x310, 125)});
    EXPECT_EQ(stdrsas(0), 5.0f);
    EXPECT_EQ(stdsas(0, 11.0f), 10.2f) << "saturated at the converter's top";
    EXPECT_EQ(stdsas(1, 1.0f), -777.0f);
    EXPECT_EQ(stdsas(0, std::numeric_limits<float>::quiet_NaN()), -777.0f);
    EXPECT_EQ(stdrsas(1), -777.0f);
    EXPECT_EQ(stdsas(0, 0.1f), 0.1f) << "the requested volts come back exactly";
}

TEST_F(VariantsTest, StdcallTwinsGiveTheSameResults) {
    testbus::script(0x30D, {0x02});
    testbus::script(0x30C, {0x00});
    testbus::script(0x304, {0x01});
    testbus::script(0x311, {0x00});
    EXPECT_EQ(stdea(1), 512);
    EXPECT_EQ(stdead(1), 0.512);
    EXPECT_EQ(stdnea(0), nea(0));
    EXPECT_EQ(stdnead(0), nead(0));
    EXPECT_EQ(stdsa(0, 300), 255);
    EXPECT_EQ(stdsad(0, 1.0), 1.0);
    EXPECT_EQ(stdrsad(0), 1.0);
    EXPECT_EQ(stdnsa(65536), nsa(0));
    EXPECT_EQ(stdnsad(0), nsad(0));
    EXPECT_EQ(stdeb(0), 1);
    EXPECT_EQ(stdneb(1), neb(1));
    EXPECT_EQ(stdsb(2, 1), 201);
    EXPECT_EQ(stdrsb(2), 1);
    EXPECT_EQ(stdnsb(3), nsb(3));
}

TEST_F(VariantsTest, PointerFormsKeepTheirResultPerThreadUntilTheNextCall) {
    testbus::script(0x30D, {0x02, 0x00});
    testbus::script(0x30C, {0x00, 0x07});
    const double* p = pead(0);
    EXPECT_EQ(*p, 0.512);
    const double volts = 2.5;
    const double* q = psad(0, &volts);
    EXPECT_EQ(*q, 2.5);
    EXPECT_EQ(volts, 2.5);
    EXPECT_EQ(*p, 0.512) << "psad has its own cell";
    const double* other = nullptr;
    std::thread([&] { other = pead(0); }).join();
    EXPECT_NE(other, p) << "another thread gets another cell";
    EXPECT_EQ(*p, 0.512);
    EXPECT_EQ(*pead(0), 0.007);
    const double nan = kNaN;
    EXPECT_EQ(*psad(0, &nan), -777.0);
}

}  // namespace
