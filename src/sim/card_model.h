// A stand-in for the NOVRA3 card: answers port reads and writes the way the
// card does, with plausible signals on the analog inputs, so that every host
// can run without the card.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/registers.h"

namespace novra3::sim {

// Microseconds since the card was powered, i.e. since the library loaded.
using TimeSource = std::int64_t (*)();

// What is plugged into the simulated card.
struct Settings {
    std::uint8_t code_a = 18;      // connector A: a thermometer
    std::uint8_t code_b = 28;      // connector B: a pH-meter
    bool loopback = true;          // logic inputs 0-3 wired to logic outputs 0-3
    std::uint16_t steady_1 = 512;  // analog input 1, raw
    std::uint16_t steady_2 = 700;  // analog input 2, raw
    friend bool operator==(const Settings&, const Settings&) = default;
};

struct ParsedSettings {
    bool ok;
    Settings settings;  // the defaults when !ok
    std::string error;  // what is wrong, when !ok
};

// "A=18,B=31,loopback=0,ch1=300,ch2=650": every key optional, codes 0-255,
// raw values 0-1023, loopback 0 or 1. Empty text gives the defaults.
ParsedSettings parse_settings(std::string_view text);

// The slow temperature-like swing on analog input 0.
inline constexpr int kSwingCentre = 450;
inline constexpr int kSwingAmplitude = 30;
inline constexpr std::int64_t kSwingPeriodMicroseconds = 60'000'000;

// The 1 Hz square wave on logic input 4: high in the first half of each second.
inline constexpr int kSquareWaveInput = 4;
inline constexpr std::int64_t kSquareWavePeriodMicroseconds = 1'000'000;

// Analog input 3 is wired to the analog output through a 1:10 divider, so
// its raw value is 4 per converter step (0.04 V a step, 1 mV a raw count).
inline constexpr int kOutputChannel = 3;
inline constexpr int kRawPerOutputStep = 4;

class CardModel {
public:
    CardModel(const Settings& settings, TimeSource now);

    std::uint8_t read(std::uint16_t port);
    void write(std::uint16_t port, std::uint8_t value);

    // The registers as last written, side 1 to 8.
    std::uint8_t control(int side) const { return side_state(side).control; }
    std::uint8_t direction(int side) const { return side_state(side).direction; }
    std::uint8_t data(int side) const { return side_state(side).data; }

    // The signal on multiplexer channel 0-7 now, raw 0-1023.
    std::uint16_t signal(int channel) const;

private:
    struct SideState {
        // The card powers up with its data registers reachable: the library never
        // writes side 8's control, yet selects the multiplexer through its data.
        std::uint8_t control = reg::kSelectData;
        std::uint8_t direction = 0;
        std::uint8_t data = 0;
    };

    const SideState& side_state(int side) const { return sides_[static_cast<std::size_t>(side - 1)]; }
    std::uint8_t logic_inputs_low() const;
    std::uint8_t data_read(int side) const;
    void data_written(int side, std::uint8_t value);

    Settings settings_;
    TimeSource now_;
    std::array<SideState, 8> sides_{};
    std::uint16_t conversion_ = 0;  // latched when the multiplexer is selected
};

}  // namespace novra3::sim
