// A card whose every input byte comes from the fuzz input. The output latch
// reads back what was last written to it, as the real latch does; before the
// first write it holds whatever the input says. The last byte written to each
// output register is kept for the invariants.
#pragma once

#include <cstdint>
#include <optional>

#include "fuzz_input.h"
#include "test_bus.h"

namespace fuzz {

inline constexpr std::uint16_t kDacPort = 0x310;
inline constexpr std::uint16_t kLatchPort = 0x311;

class FuzzedCard : public testbus::Device {
public:
    explicit FuzzedCard(Input& input) : input_(input) {}

    std::uint8_t read(std::uint16_t port) override {
        if (port == kLatchPort && latch) return *latch;
        return input_.byte();
    }

    void write(std::uint16_t port, std::uint8_t value) override {
        if (port == kDacPort) dac = value;
        if (port == kLatchPort) latch = value;
    }

    std::optional<std::uint8_t> dac;    // last byte written to the converter
    std::optional<std::uint8_t> latch;  // last byte written to the output latch

private:
    Input& input_;
};

}  // namespace fuzz
