// What sets the two conventions apart, and the harness's own check that it
// tells a faulty callee from a good one.
#include <limits>

#include "dlls.h"
#include "emulated_card.h"

namespace win32test {
namespace {

using Conventions = EachDll;

// The callee removes exactly the bytes the host pushed: doubles are 8, the
// register forms take their integers in registers.
TEST_P(Conventions, CalleeRemovesExactlyItsStackArguments) {
    const double volts = 1.0;
    const struct {
        const char* entry;
        std::vector<Arg> args;
        std::uint32_t pushed;
    } cases[] = {
        {"ea", {integer(0)}, 0},
        {"sb", {integer(9), integer(1)}, 0},
        {"psad", {integer(1), pointer(&volts)}, 0},
        {"sad", {integer(1), real(1.0)}, 8},
        {"stdnsa", {integer(65536)}, 4},
        {"stdsa", {integer(1), integer(1)}, 8},
        {"stdsad", {integer(1), real(1.0)}, 12},
        {"stdsas", {integer(1), single(1.0f)}, 8},
        {"eadouble", {real(1e30)}, 8},
        {"sadouble", {real(1.0), real(1.0)}, 16},
        {"stdsbdouble", {real(9.0), real(1.0)}, 16},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        const CallOutcome out = call(dll().address(c.entry), convention_of(c.entry), c.args);
        EXPECT_EQ(out.pushed_bytes, c.pushed);
        EXPECT_EQ(out.esp_shift, 0) << "bytes left on the stack or removed beyond the arguments";
    }
}

// The register forms with two doubles take them in the opposite stack order
// to stdcall: called with the same natural arguments, both do the same.
TEST_P(Conventions, TwoDoubleFormsAgreeAcrossConventions) {
    const struct {
        double n, v;
    } pairs[] = {{0.0, 2.5}, {1.0, 1.0}, {2.0, 0.0}, {0.0, 10.24}, {3.0, 7.0}, {2.5, 1.0}, {1e30, 1.0}};
    EmulatedCard& card = EmulatedCard::install();
    for (const char* family : {"sadouble", "sbdouble"}) {
        const std::string stdcall_name = std::string("std") + family;
        for (const auto& p : pairs) {
            SCOPED_TRACE(std::string(family) + "(" + to_string(real(p.n)) + ", " + to_string(real(p.v)) + ")");
            card.reset();
            card.card_like(0x00);
            const CallOutcome reg = call(dll().address(family), Convention::register_args, {real(p.n), real(p.v)});
            const PortTrace reg_trace = card.take();
            card.reset();
            card.card_like(0x00);
            const CallOutcome std =
                call(dll().address(stdcall_name.c_str()), Convention::stdcall, {real(p.n), real(p.v)});
            const PortTrace std_trace = card.take();
            ASSERT_TRUE(kept_convention(reg, ResultKind::real));
            ASSERT_TRUE(kept_convention(std, ResultKind::real));
            ASSERT_TRUE(reg.exact_double().has_value());
            EXPECT_TRUE(returned_double(std, *reg.exact_double()));
            EXPECT_EQ(reg_trace, std_trace);
        }
    }
}

WIN32TEST_FOR_EACH_DLL(Conventions);

// Local callees that break the convention in one way each: the checks must see it.
extern "C" int __attribute__((cdecl)) leaves_its_arguments(int a, int b) { return a + b; }
extern "C" long double __attribute__((stdcall)) returns_excess_precision(int n) { return 1.0L / (n + 3); }
extern "C" float __attribute__((stdcall)) returns_a_single(int) { return 0.1f; }
extern "C" __attribute__((naked, stdcall)) int clobbers_ebx(int) {
    __asm__("movl 4(%esp), %eax\n\tmovl $0, %ebx\n\tret $4");
}
extern "C" int __attribute__((stdcall)) faults(int n) {
    volatile int* nowhere = nullptr;
    return *nowhere + n;
}

// Port accesses in both encodings; stdcall, port (or nothing) and value on the stack.
extern "C" __attribute__((naked, stdcall)) int in_dx(int) {
    __asm__("movl 4(%esp), %edx\n\tmovl $0x12345678, %eax\n\tinb %dx, %al\n\tret $4");
}
extern "C" __attribute__((naked, stdcall)) int in_imm8(int) {
    __asm__("movl $0x12345678, %eax\n\tinb $0x80, %al\n\tret $4");
}
extern "C" __attribute__((naked, stdcall)) int out_dx(int, int) {
    __asm__("movl 4(%esp), %edx\n\tmovl 8(%esp), %eax\n\toutb %al, %dx\n\tret $8");
}
extern "C" __attribute__((naked, stdcall)) int out_imm8(int) {
    __asm__("movl 4(%esp), %eax\n\toutb %al, $0x81\n\tret $4");
}

TEST(Harness, EmulatedCardServesBothPortEncodings) {
    EmulatedCard& card = EmulatedCard::install();
    card.reset();
    card.queue(0x30D, {0x5A, 0x5B});
    card.answer(0x80, 0xC3);
    const auto at = [](auto* f) { return reinterpret_cast<const void*>(f); };
    EXPECT_EQ(call(at(&in_dx), Convention::stdcall, {integer(0x30D)}).integer(), 0x1234565A) << "AL only";
    EXPECT_EQ(call(at(&in_dx), Convention::stdcall, {integer(0x30D)}).integer(), 0x1234565B);
    EXPECT_EQ(call(at(&in_dx), Convention::stdcall, {integer(0x30D)}).integer(), 0x12345600) << "queue used up";
    EXPECT_EQ(call(at(&in_imm8), Convention::stdcall, {integer(0)}).integer(), 0x123456C3);
    EXPECT_TRUE(
        kept_convention(call(at(&out_dx), Convention::stdcall, {integer(0x311), integer(0x1A5)}), ResultKind::word));
    EXPECT_TRUE(kept_convention(call(at(&out_imm8), Convention::stdcall, {integer(0x3C)}), ResultKind::word));
    EXPECT_EQ(card.take(), (PortTrace{read(0x30D, 0x5A), read(0x30D, 0x5B), read(0x30D, 0x00), read(0x80, 0xC3),
                                      wrote(0x311, 0xA5), wrote(0x81, 0x3C)}));
    card.card_like(0x00);
    call(at(&out_dx), Convention::stdcall, {integer(0x311), integer(0x21)});
    EXPECT_EQ(call(at(&in_dx), Convention::stdcall, {integer(0x311)}).integer(), 0x12345621) << "latch read-back";
    EXPECT_EQ(card.undecoded(), 0u);
}

TEST(Harness, SeesEachBreachOfTheConvention) {
    const CallOutcome cdecl_call =
        call(reinterpret_cast<const void*>(&leaves_its_arguments), Convention::stdcall, {integer(1), integer(2)});
    EXPECT_EQ(cdecl_call.integer(), 3);
    EXPECT_EQ(cdecl_call.esp_shift, -8) << "the two arguments left on the stack";
    EXPECT_FALSE(kept_convention(cdecl_call, ResultKind::word));

    const CallOutcome excess =
        call(reinterpret_cast<const void*>(&returns_excess_precision), Convention::stdcall, {integer(0)});
    EXPECT_TRUE(kept_convention(excess, ResultKind::real));
    EXPECT_FALSE(excess.exact_double().has_value()) << "1/3 in extended precision is no double";
    EXPECT_FALSE(kept_convention(excess, ResultKind::word)) << "a value left on the x87 stack";

    const CallOutcome narrow =
        call(reinterpret_cast<const void*>(&returns_a_single), Convention::stdcall, {integer(0)});
    EXPECT_TRUE(returned_single(narrow, 0.1f));
    EXPECT_FALSE(returned_double(narrow, 0.1));

    const CallOutcome clobbered = call(reinterpret_cast<const void*>(&clobbers_ebx), Convention::stdcall, {integer(5)});
    EXPECT_EQ(clobbered.integer(), 5);
    EXPECT_FALSE(kept_convention(clobbered, ResultKind::word));

    const CallOutcome fault = call(reinterpret_cast<const void*>(&faults), Convention::stdcall, {integer(0)});
    EXPECT_EQ(fault.fault, 0xC0000005u);
    EXPECT_FALSE(kept_convention(fault, ResultKind::word));
}

}  // namespace
}  // namespace win32test
