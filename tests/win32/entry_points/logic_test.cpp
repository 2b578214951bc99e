// Logic inputs on 0x304 and 0x314, outputs as bits of the latch 0x311 by
// read-modify-write, their names, and the variant forms.
#include <limits>

#include "dlls.h"

namespace win32test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

PortTrace latch(std::uint8_t before, std::uint8_t after) { return {read(0x311, before), wrote(0x311, after)}; }

using Logic = EachDll;

TEST_P(Logic, InputsReadOneBitOfTheirByte) {
    run(dll(), {
                   {"eb", {integer(0)}, Int(1), {read(0x304, 0x05)}},
                   {"eb", {integer(1)}, Int(0), {read(0x304, 0x05)}},
                   {"eb", {integer(2)}, Int(1), {read(0x304, 0x05)}},
                   {"eb", {integer(7)}, Int(1), {read(0x304, 0x80)}},
                   {"eb", {integer(15)}, Int(1), {read(0x314, 0x80)}},
                   {"eb", {integer(8)}, Int(0), {read(0x314, 0x80)}},
                   {"eb", {integer(8)}, Int(1), {read(0x314, 0x01)}},
                   {"eb", {integer(16)}, Int(-777), {}},
                   {"eb", {integer(-1)}, Int(-777), {}},
                   {"stdeb", {integer(3)}, Int(1), {read(0x304, 0x08)}},
                   {"stdeb", {integer(16)}, Int(-777), {}},
                   {"ebdouble", {real(9.0)}, Dbl(1.0), {read(0x314, 0x02)}},
                   {"ebdouble", {real(16.0)}, Dbl(-777.0), {}},
                   {"ebdouble", {real(-1.0)}, Dbl(-777.0), {}},
                   {"ebdouble", {real(kNaN)}, Dbl(-777.0), {}},
                   {"stdebdouble", {real(0.0)}, Dbl(0.0), {read(0x304, 0xFE)}},
                   {"stdebdouble", {real(1e30)}, Dbl(-777.0), {}},
               });
}

// sb reads the latch, changes its output's bit and writes it back; only
// v = 1 switches on, and the result n * 100 + v wraps in 32 bits.
TEST_P(Logic, OutputsSetTheirBitByReadModifyWrite) {
    run(dll(), {
                   {"sb", {integer(1), integer(0)}, Int(100), latch(0x02, 0x00)},
                   {"sb", {integer(2), integer(1)}, Int(201), latch(0x00, 0x10)},
                   {"sb", {integer(0), integer(1)}, Int(1), latch(0x10, 0x11)},
                   {"rsb", {integer(2)}, Int(1), {}},
                   {"rsb", {integer(0)}, Int(1), {}},
                   {"rsb", {integer(1)}, Int(0), {}},
                   {"sb", {integer(3), integer(0)}, Int(300), latch(0xFF, 0xDF)},
                   {"sb", {integer(1), integer(1)}, Int(101), latch(0x00, 0x02)},
                   {"rsb", {integer(1)}, Int(1), {}},
                   {"sb", {integer(1), integer(2)}, Int(102), latch(0xFF, 0xFD)},
                   {"rsb", {integer(1)}, Int(0), {}},
                   {"sb", {integer(0), integer(-1)}, Int(-1), latch(0x11, 0x10)},
                   {"rsb", {integer(0)}, Int(0), {}},
                   {"sb", {integer(3), integer(2147483647)}, Int(-2147483349), latch(0x20, 0x00)},
                   {"rsb", {integer(3)}, Int(0), {}},
                   {"stdsb", {integer(3), integer(1)}, Int(301), latch(0x00, 0x20)},
                   {"stdrsb", {integer(3)}, Int(1), {}},
                   {"stdsb", {integer(2), integer(0)}, Int(200), latch(0x30, 0x20)},
                   {"stdrsb", {integer(2)}, Int(0), {}},
               });
}

TEST_P(Logic, RefusedChannelsTouchNothing) {
    run(dll(), {
                   {"sb", {integer(1), integer(1)}, Int(101), latch(0x00, 0x02)},
                   {"sb", {integer(4), integer(1)}, Int(-777), {}},
                   {"sb", {integer(-1), integer(1)}, Int(-777), {}},
                   {"stdsb", {integer(7), integer(0)}, Int(-777), {}},
                   {"rsb", {integer(4)}, Int(-777), {}},
                   {"rsb", {integer(-1)}, Int(-777), {}},
                   {"stdrsb", {integer(4)}, Int(-777), {}},
                   {"rsb", {integer(1)}, Int(1), {}},
               });
}

TEST_P(Logic, DoubleFormsRoundBothArgumentsAndRefuseWhatIsNoInt32) {
    run(dll(), {
                   {"sbdouble", {real(1.0), real(1.0)}, Dbl(101.0), latch(0x00, 0x02)},
                   {"stdsbdouble", {real(1.0), real(1.0)}, Dbl(101.0), latch(0x02, 0x02)},
                   {"sbdouble", {real(2.5), real(1.0)}, Dbl(201.0), latch(0x02, 0x12)},
                   {"sbdouble", {real(0.0), real(2.5)}, Dbl(2.0), latch(0x13, 0x12)},
                   {"sbdouble", {real(1e30), real(1.0)}, Dbl(-777.0), {}},
                   {"sbdouble", {real(1.0), real(1e30)}, Dbl(-777.0), {}},
                   {"sbdouble", {real(kNaN), real(1.0)}, Dbl(-777.0), {}},
                   {"stdsbdouble", {real(0.0), real(kNaN)}, Dbl(-777.0), {}},
                   {"stdsbdouble", {real(4.0), real(1.0)}, Dbl(-777.0), {}},
                   {"rsbdouble", {real(2.0)}, Dbl(1.0), {}},
                   {"rsbdouble", {real(0.0)}, Dbl(0.0), {}},
                   {"rsbdouble", {real(kNaN)}, Dbl(-777.0), {}},
                   {"stdrsbdouble", {real(1.0)}, Dbl(1.0), {}},
                   {"stdrsbdouble", {real(4.0)}, Dbl(-777.0), {}},
               });
}

TEST_P(Logic, NamesAreComposedAndStay) {
    const CallOutcome input3 = run(dll(), Case{"neb",
                                               {integer(3)},
                                               Txt("entr\xE9"
                                                   "e logique 3"),
                                               {}});
    const CallOutcome output5 = run(dll(), Case{"nsb", {integer(5)}, Txt("sortie logique 5"), {}});
    run(dll(), {
                   {"neb",
                    {integer(0)},
                    Txt("entr\xE9"
                        "e logique 0"),
                    {}},
                   {"neb",
                    {integer(15)},
                    Txt("entr\xE9"
                        "e logique 15"),
                    {}},
                   {"neb", {integer(16)}, Txt(""), {}},
                   {"neb", {integer(-1)}, Txt(""), {}},
                   {"stdneb",
                    {integer(7)},
                    Txt("entr\xE9"
                        "e logique 7"),
                    {}},
                   {"nebdouble",
                    {real(15.0)},
                    Txt("entr\xE9"
                        "e logique 15"),
                    {}},
                   {"stdnebdouble", {real(16.0)}, Txt(""), {}},
                   {"stdnebdouble",
                    {real(8.5)},
                    Txt("entr\xE9"
                        "e logique 8"),
                    {}},
                   {"nsb", {integer(0)}, Txt("sortie logique 0"), {}},
                   {"nsb", {integer(7)}, Txt("sortie logique 7"), {}},
                   {"nsb", {integer(8)}, Txt(""), {}},
                   {"nsb", {integer(-1)}, Txt(""), {}},
                   {"stdnsb", {integer(4)}, Txt("sortie logique 4"), {}},
                   {"nsbdouble", {real(8.0)}, Txt(""), {}},
                   {"nsbdouble", {real(7.4)}, Txt("sortie logique 7"), {}},
                   {"stdnsbdouble", {real(3.0)}, Txt("sortie logique 3"), {}},
                   {"stdnsbdouble", {real(kNaN)}, Txt(""), {}},
               });
    EXPECT_TRUE(returned(input3, Txt("entr\xE9"
                                     "e logique 3")))
        << "an earlier name after later calls";
    EXPECT_TRUE(returned(output5, Txt("sortie logique 5"))) << "an earlier name after later calls";
}

WIN32TEST_FOR_EACH_DLL(Logic);

}  // namespace
}  // namespace win32test
