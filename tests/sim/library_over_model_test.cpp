// The rec library's entry points over the simulated card, as a host sees them.
#include <gtest/gtest.h>

#include <string>

#include "core/interface.h"
#include "novra3.h"

namespace {

class LibraryOverModelTest : public ::testing::Test {
protected:
    // What loading does to the card; repeating it is harmless.
    static void SetUpTestSuite() { novra3::initinterface(); }
    void SetUp() override {
        sa(0, 0);
        for (int n = 0; n < 4; ++n) sb(n, 0);
    }
};

TEST_F(LibraryOverModelTest, SaysItIsSimulatedAndNamesTheDefaultSensors) {
    const std::string text = detail();
    const std::string suffix =
        " (carte simul\xE9"
        "e)";
    EXPECT_EQ(text.substr(text.size() - suffix.size()), suffix) << text;
    EXPECT_STREQ(nead(0), "thermom\xE8tre voie0");
    EXPECT_STREQ(nead(1), "thermom\xE8tre voie1");
    EXPECT_STREQ(nead(2), "pH-m\xE8tre voie0");
    EXPECT_STREQ(nead(3), "pH-m\xE8tre voie1");
}

TEST_F(LibraryOverModelTest, AnalogInput3ReadsATenthOfTheOutputVolts) {
    struct Case {
        double volts;
        int raw;
    };
    const Case cases[] = {{0.0, 0}, {1.0, 100}, {2.48, 248}, {5.0, 500}, {10.2, 1020}, {20.0, 1020}};
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "sad(0, " << c.volts << ")");
        sad(0, c.volts);
        EXPECT_EQ(ea(3), c.raw);
        EXPECT_DOUBLE_EQ(ead(3), rsad(0) / 10);
    }
    sa(0, 77);
    EXPECT_EQ(ea(3), 308);
}

TEST_F(LibraryOverModelTest, SteadyChannelsAndTheUnwiredWaysOfTheMultiplexer) {
    EXPECT_EQ(ea(1), 512);
    EXPECT_EQ(ea(2), 700);
    EXPECT_DOUBLE_EQ(ead(2), 0.7);
    for (int channel : {4, 5, 6, 7}) EXPECT_EQ(ea(channel), 0) << "channel " << channel;
    const int raw = ea(0);
    EXPECT_GE(raw, 420);
    EXPECT_LE(raw, 480);
}

TEST_F(LibraryOverModelTest, LogicOutputsComeBackOnInputs0To3) {
    for (int n = 0; n < 4; ++n) {
        SCOPED_TRACE(::testing::Message() << "output " << n);
        EXPECT_EQ(sb(n, 1), n * 100 + 1);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(eb(i), i <= n ? 1 : 0) << "input " << i;
    }
    sb(1, 0);
    EXPECT_EQ(eb(1), 0);
    EXPECT_EQ(eb(0), 1);
    EXPECT_EQ(rsb(1), 0);
}

TEST_F(LibraryOverModelTest, LogicInputs8To15ReadConnectorAsCode) {
    // 18 = 0b00010010
    for (int n = 8; n < 16; ++n) EXPECT_EQ(eb(n), (18 >> (n - 8)) & 1) << "input " << n;
    for (int n = 5; n < 8; ++n) EXPECT_EQ(eb(n), 0) << "input " << n;
}

}  // namespace
