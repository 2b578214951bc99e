// Several host threads on one card: no output bit lost, no conversion answered
// with another channel's value.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "channels/logic.h"
#include "fixture.h"
#include "novra3.h"

namespace {

// Like the card: the latch reads back, a conversion answers the selected channel.
// Every access yields, so that unserialised sequences interleave.
class CardLikeDevice : public testbus::Device {
public:
    static int raw_of(int channel) { return 100 * channel + 7; }

    std::uint8_t read(std::uint16_t port) override {
        std::this_thread::yield();
        const std::lock_guard lock(mutex_);
        switch (port) {
            case 0x311:
                return latch_;
            case 0x30D:
                return static_cast<std::uint8_t>(raw_of(selected_) >> 8);
            case 0x30C:
                return static_cast<std::uint8_t>(raw_of(selected_) & 0xFF);
            default:
                return 0;
        }
    }
    void write(std::uint16_t port, std::uint8_t value) override {
        std::this_thread::yield();
        const std::lock_guard lock(mutex_);
        if (port == 0x311) latch_ = value;
        if (port == 0x309) selected_ = value >> 5;
    }
    std::uint8_t latch() {
        const std::lock_guard lock(mutex_);
        return latch_;
    }

private:
    std::mutex mutex_;
    std::uint8_t latch_ = 0;
    int selected_ = 0;
};

class ConcurrencyTest : public testbus::CardTest {};

TEST_F(ConcurrencyTest, OutputsAndConversionsFromSeveralThreadsStayWhole) {
    CardLikeDevice card;
    testbus::attach(&card);
    constexpr int kRounds = 2000;
    std::atomic<int> wrong_channel{0};
    std::vector<std::thread> threads;
    // Outputs 0 and 2 end switched on, 1 and 3 off.
    for (int output = 0; output < 4; ++output) {
        threads.emplace_back([output] {
            for (int i = 0; i < kRounds; ++i) sb(output, (i + output) % 2);
        });
    }
    for (int channel : {1, 2, 3}) {
        threads.emplace_back([channel, &wrong_channel] {
            for (int i = 0; i < kRounds; ++i) {
                if (ea(channel) != CardLikeDevice::raw_of(channel)) ++wrong_channel;
            }
        });
    }
    for (std::thread& t : threads) t.join();
    testbus::attach(nullptr);

    EXPECT_EQ(wrong_channel, 0);
    EXPECT_EQ(card.latch(), 0x11) << "outputs 0 and 2 on, on bits 0 and 4";
    EXPECT_EQ(novra3::etatsorties, 0x05);
    for (int output = 0; output < 4; ++output) EXPECT_EQ(rsb(output), output % 2 == 0 ? 1 : 0) << output;
}

TEST_F(ConcurrencyTest, OutputWritesAndTheirReadBackAgree) {
    CardLikeDevice card;
    testbus::attach(&card);
    std::vector<std::thread> threads;
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([t] {
            for (int i = 0; i < 2000; ++i) {
                if (t == 2) {
                    sad(0, 0.04 * (i % 256));
                } else {
                    sa(0, (i * 7 + t) % 256);
                }
            }
        });
    }
    for (std::thread& th : threads) th.join();
    testbus::attach(nullptr);
    // The last write to the converter is what the library remembers.
    std::uint8_t last = 0;
    for (const testbus::Access& a : testbus::trace()) {
        if (a.direction == '>' && a.port == 0x310) last = a.value;
    }
    EXPECT_EQ(rsa(0), last);
}

}  // namespace
