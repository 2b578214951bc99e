#include <gtest/gtest.h>

#include <string>

#include "fixture.h"
#include "novra3.h"

namespace {

using testbus::read;

class NamesTest : public testbus::CardTest {};

TEST_F(NamesTest, AnalogInputsAreNamedAfterConnectorAndChannel) {
    EXPECT_STREQ(nea(0), "Connecteur A, voie 0");
    EXPECT_STREQ(nea(1), "connecteur A, voie 1");
    EXPECT_STREQ(nea(2), "connecteur B, voie 0");
    EXPECT_STREQ(nea(3), "connecteur B, voie 1");
    EXPECT_STREQ(nea(4), "");
    EXPECT_STREQ(nea(-1), "");
}

TEST_F(NamesTest, LogicNamesAreComposedOnceAndStayPut) {
    EXPECT_STREQ(neb(0),
                 "entr\xE9"
                 "e logique 0");
    EXPECT_STREQ(neb(15),
                 "entr\xE9"
                 "e logique 15");
    EXPECT_STREQ(neb(16), "");
    EXPECT_STREQ(neb(-1), "");
    EXPECT_STREQ(nsb(7), "sortie logique 7");
    EXPECT_STREQ(nsb(8), "");
    const char* first = neb(3);
    neb(12);
    nsb(5);
    EXPECT_STREQ(first,
                 "entr\xE9"
                 "e logique 3")
        << "an earlier pointer keeps its text";
    EXPECT_TRUE(testbus::trace().empty());
}

#if NOVRA3_REC

TEST_F(NamesTest, SensorCodesNameTheAnalogInputs) {
    struct Case {
        std::uint8_t code;
        const char* sensor;
    };
    const Case cases[] = {
        {0, "0"},
        {2, "Hygrom\xE8tre"},
        {4, "Amp\xE8rem\xE8tre"},
        {9, "chronocin\xE9"},
        {14, "14 "},
        {16, "millivoltm\xE8tre"},
        {18, "thermom\xE8tre"},
        {25, "Thermo-Photo"},
        {28, "pH-m\xE8tre"},
        {31, "aucun"},
        {32, "C32"},
        {40, "C40"},
        {41, "41"},
        {200, "200"},
        {255, "255"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "code " << int{c.code});
        testbus::script(0x314, {c.code});
        testbus::script(0x315, {c.code});
        EXPECT_EQ(std::string(nead(0)), std::string(c.sensor) + " voie0");
        EXPECT_EQ(std::string(nead(1)), std::string(c.sensor) + " voie1");
        EXPECT_EQ(std::string(nead(2)), std::string(c.sensor) + " voie0");
        EXPECT_EQ(std::string(nead(3)), std::string(c.sensor) + " voie1");
    }
}

TEST_F(NamesTest, EachNameReadsItsConnectorOnceAndAfreshAndKeepsEarlierTexts) {
    testbus::script(0x314, {18, 28});
    testbus::script(0x315, {31});
    const char* before = nead(1);
    const char* after = nead(0);
    const char* b = nead(2);
    EXPECT_STREQ(before, "thermom\xE8tre voie1");
    EXPECT_STREQ(after, "pH-m\xE8tre voie0") << "a sensor swapped between calls shows at once";
    EXPECT_STREQ(b, "aucun voie0");
    EXPECT_EQ(testbus::trace(), (std::vector{read(0x314, 18), read(0x314, 28), read(0x315, 31)}));
}

TEST_F(NamesTest, SensorNamesOutsideTheFourInputsReadNothing) {
    EXPECT_STREQ(nead(4), "");
    EXPECT_STREQ(nead(-1), "");
    EXPECT_TRUE(testbus::trace().empty());
}

#else

TEST_F(NamesTest, PlainBuildNamesAnalogInputsLikeNeaWithoutReading) {
    for (int n = -2; n <= 5; ++n) EXPECT_STREQ(nead(n), nea(n)) << n;
    EXPECT_TRUE(testbus::trace().empty());
}

#endif

TEST_F(NamesTest, IdentificationTexts) {
    EXPECT_STREQ(titre(), "NOVRA3 (et NOVRA4 ?)");
    EXPECT_STREQ(detail(),
                 "Interface Mirvane NOVRA3 : 4 entr\xE9"
                 "es analogiques (connecteurs A et B), 1 sortie analogique, "
                 "16 entr\xE9"
                 "es logiques, 4 sorties logiques");
    EXPECT_EQ(stdtitre(), titre());
    EXPECT_EQ(stddetail(), detail());
}

}  // namespace
