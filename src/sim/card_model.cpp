#include "sim/card_model.h"

#include <charconv>
#include <initializer_list>
#include <numbers>

#include "channels/analog_input.h"
#include "core/registers.h"

namespace novra3::sim {

namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    return text;
}

bool parse_number(std::string_view text, int low, int high, int& out) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < low || value > high) return false;
    out = value;
    return true;
}

ParsedSettings refused(std::initializer_list<std::string_view> parts) {
    std::string error;
    for (const std::string_view part : parts) error.append(part);
    return {false, Settings{}, std::move(error)};
}

// Which register of which side a port reaches; side 0 for none.
struct Reach {
    int side;
    bool control;
};

Reach reach(std::uint16_t port) {
    for (int s = 1; s <= static_cast<int>(reg::kSides.size()); ++s) {
        if (port == reg::side(s).control) return {s, true};
        if (port == reg::side(s).data) return {s, false};
    }
    return {0, false};
}

int side_of(std::uint16_t data_port) { return reach(data_port).side; }

constexpr std::uint8_t kUnmappedRead = 0xFF;  // nothing drives the bus there

// sin(2 pi turns) for turns in [0, 1), by its series around the nearest zero:
// the simulated flavour then needs no maths library the direct one does not.
double sine_of_turns(double turns) {
    const double x = 2.0 * std::numbers::pi * (turns < 0.5 ? turns : turns - 1.0);  // -pi..pi
    double term = x;
    double sum = x;
    for (int k = 1; k < 12; ++k) {
        term *= -x * x / ((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

}  // namespace

ParsedSettings parse_settings(std::string_view text) {
    Settings s;
    while (!text.empty()) {
        const std::size_t comma = text.find(',');
        const std::string_view item = trimmed(text.substr(0, comma));
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
        if (item.empty()) continue;
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos) return refused({"'", item, "' is not key=value"});
        const std::string_view key = trimmed(item.substr(0, equals));
        const std::string_view value = trimmed(item.substr(equals + 1));
        int number = 0;
        if (key == "A" || key == "B") {
            if (!parse_number(value, 0, 255, number)) return refused({item, ": a sensor code is 0 to 255"});
            (key == "A" ? s.code_a : s.code_b) = static_cast<std::uint8_t>(number);
        } else if (key == "ch1" || key == "ch2") {
            if (!parse_number(value, 0, kRawMax, number)) return refused({item, ": a raw value is 0 to 1023"});
            (key == "ch1" ? s.steady_1 : s.steady_2) = static_cast<std::uint16_t>(number);
        } else if (key == "loopback") {
            if (!parse_number(value, 0, 1, number)) return refused({item, ": loopback is 0 or 1"});
            s.loopback = number == 1;
        } else {
            return refused({"unknown key '", key, "' (known: A, B, ch1, ch2, loopback)"});
        }
    }
    return {true, s, {}};
}

CardModel::CardModel(const Settings& settings, TimeSource now) : settings_(settings), now_(now) {}

std::uint8_t CardModel::read(std::uint16_t port) {
    if (port == reg::kLogicInputsLow) return logic_inputs_low();
    const Reach r = reach(port);
    if (r.side == 0) return kUnmappedRead;
    const SideState& s = side_state(r.side);
    if (r.control) return s.control;
    return (s.control & reg::kSelectData) != 0 ? data_read(r.side) : s.direction;
}

void CardModel::write(std::uint16_t port, std::uint8_t value) {
    const Reach r = reach(port);
    if (r.side == 0) return;  // 0x304 is input only; the rest is not the card's
    SideState& s = sides_[static_cast<std::size_t>(r.side - 1)];
    if (r.control) {
        s.control = value;
    } else if ((s.control & reg::kSelectData) != 0) {
        data_written(r.side, value);
    } else {
        s.direction = value;
    }
}

std::uint8_t CardModel::data_read(int side) const {
    switch (reg::side(side).data) {
        case reg::kSensorCodeA:  // logic inputs 8-15 read this same byte
            return settings_.code_a;
        case reg::kSensorCodeB:
            return settings_.code_b;
        case reg::kAdcHigh:  // lines 2-7 are not wired to the converter and float high
            return static_cast<std::uint8_t>(~reg::kAdcHighMask | ((conversion_ >> 8) & reg::kAdcHighMask));
        case reg::kAdcLow:
            return static_cast<std::uint8_t>(conversion_ & 0xFF);
        default:  // converter byte, output latch, multiplexer: read back as written
            return side_state(side).data;
    }
}

void CardModel::data_written(int side, std::uint8_t value) {
    sides_[static_cast<std::size_t>(side - 1)].data = value;
    // Held from the selection on, so the two result bytes always belong together.
    if (reg::side(side).data == reg::kAdcSelect) conversion_ = signal(value >> reg::kAdcSelectShift);
}

std::uint16_t CardModel::signal(int channel) const {
    switch (channel) {
        case 0: {
            const double turns = static_cast<double>(now_() % kSwingPeriodMicroseconds) / kSwingPeriodMicroseconds;
            // Always positive, so adding a half rounds to nearest.
            return static_cast<std::uint16_t>(kSwingCentre + kSwingAmplitude * sine_of_turns(turns) + 0.5);
        }
        case 1:
            return settings_.steady_1;
        case 2:
            return settings_.steady_2;
        case kOutputChannel:
            return static_cast<std::uint16_t>(kRawPerOutputStep * data(side_of(reg::kDac)));
        default:  // nothing is wired to the multiplexer's other ways
            return 0;
    }
}

std::uint8_t CardModel::logic_inputs_low() const {
    std::uint8_t levels = 0;
    if (settings_.loopback) {
        const std::uint8_t latch = data(side_of(reg::kLogicOutputLatch));
        for (std::size_t i = 0; i < reg::kLogicOutputBit.size(); ++i) {
            if ((latch & reg::kLogicOutputBit[i]) != 0) levels = static_cast<std::uint8_t>(levels | (1u << i));
        }
    }
    if (now_() % kSquareWavePeriodMicroseconds < kSquareWavePeriodMicroseconds / 2) {
        levels = static_cast<std::uint8_t>(levels | (1u << kSquareWaveInput));
    }
    return levels;
}

}  // namespace novra3::sim
