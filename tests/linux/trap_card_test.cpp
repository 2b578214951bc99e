// The emulated card itself, driven by IN/OUT instructions executed here.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdint>

#include "support/card_trace.h"

namespace {

using trap::R;
using trap::Trace;
using trap::W;

std::uint8_t in_dx(std::uint16_t port) {
    std::uint8_t value;
    __asm__ __volatile__("inb %w1, %b0" : "=a"(value) : "d"(port));
    return value;
}

void out_dx(std::uint16_t port, std::uint8_t value) { __asm__ __volatile__("outb %b0, %w1" : : "a"(value), "d"(port)); }

class TrapCard : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(0, trap_card_install()); }
    void SetUp() override { trap_card_reset(); }
};

TEST_F(TrapCard, ServesScriptedReadsAndRecordsEveryAccess) {
    trap_card_set_read(0x30C, 0x5A);
    trap::queue_reads(0x30C, {0x01, 0x02});
    EXPECT_EQ(0x01, in_dx(0x30C));
    EXPECT_EQ(0x02, in_dx(0x30C));
    EXPECT_EQ(0x5A, in_dx(0x30C));
    out_dx(0x309, 0x60);
    EXPECT_EQ(0xFF, in_dx(0x3F8)) << "outside the card nothing drives the bus";
    EXPECT_EQ((Trace{R(0x30C, 0x01), R(0x30C, 0x02), R(0x30C, 0x5A), W(0x309, 0x60), R(0x3F8, 0xFF)}), trap::trace());
}

TEST_F(TrapCard, DecodesTheImmediatePortForms) {
    std::uint8_t value;
    __asm__ __volatile__("movb $0x42, %%al\n\toutb %%al, $0x80" : : : "eax");
    __asm__ __volatile__("inb $0x61, %0" : "=a"(value));
    EXPECT_EQ(0xFF, value);
    EXPECT_EQ((Trace{W(0x080, 0x42), R(0x061, 0xFF)}), trap::trace());
}

TEST_F(TrapCard, ReadReplacesOnlyAl) {
    std::uint64_t rax = 0x1122334455667788u;
    const std::uint16_t port = 0x304;
    trap_card_set_read(port, 0xA5);
    __asm__ __volatile__("inb %w1, %b0" : "+a"(rax) : "d"(port));
    EXPECT_EQ(0x11223344556677A5u, rax);
}

TEST_F(TrapCard, CardModeLatchReadsBackItsLastWrite) {
    trap_card_set_read(0x311, 0xC0);
    trap_card_set_read(0x310, 0x00);
    trap_card_set_card_mode(1);
    EXPECT_EQ(0xC0, in_dx(0x311));
    out_dx(0x311, 0x21);
    EXPECT_EQ(0x21, in_dx(0x311));
    out_dx(0x310, 0x7D);
    EXPECT_EQ(0x00, in_dx(0x310)) << "only the latch reads back";
    trap_card_set_card_mode(0);
    out_dx(0x311, 0x03);
    EXPECT_EQ(0x21, in_dx(0x311));
}

TEST_F(TrapCard, KeepsTheFirstAccessesWhenFull) {
    for (int i = 0; i < TRAP_CARD_TRACE_CAPACITY + 1; ++i) out_dx(0x309, static_cast<std::uint8_t>(i));
    EXPECT_EQ(static_cast<std::size_t>(TRAP_CARD_TRACE_CAPACITY), trap_card_trace_size());
    EXPECT_TRUE(trap_card_trace_overflowed());
    EXPECT_EQ(W(0x309, 0x00), trap::trace().front());
}

// Only byte IN and OUT are emulated: any other fault still ends the process.
TEST_F(TrapCard, OtherFaultsStillKill) {
    EXPECT_EXIT(
        {
            volatile int* nowhere = nullptr;
            *nowhere = 1;
        },
        testing::KilledBySignal(SIGSEGV), "");
    EXPECT_EXIT(__asm__ __volatile__("cli"), testing::KilledBySignal(SIGSEGV), "");
}

}  // namespace
