#include "sensors/sensor_names.h"

#include "core/names.h"
#include "core/ports.h"
#include "core/registers.h"
#include "novra3.h"

namespace novra3 {

// Windows-1252: è is 0xE8, é is 0xE9. Code 14 really carries a trailing space.
constexpr std::array<const char*, kNamedSensorCodes> kSensorNames{
    "0",
    "1",
    "Hygrom\xE8tre",
    "3",
    "Amp\xE8rem\xE8tre",
    "5",
    "6",
    "7",
    "voltm\xE8tre",
    "chronocin\xE9",
    "teslam\xE8tre",
    "11",
    "luxm\xE8tre",
    "13",
    "14 ",
    "15",
    "millivoltm\xE8tre",
    "17",
    "thermom\xE8tre",
    "19",
    "20",
    "21",
    "22",
    "23",
    "myographe",
    "Thermo-Photo",
    "oxy-air",
    "27",
    "pH-m\xE8tre",
    "29",
    "oxy-liquide",
    "aucun",
    "C32",
    "C33",
    "C34",
    "C35",
    "C36",
    "C37",
    "C38",
    "C39",
    "C40",
};

const std::array<const char*, kNamedSensorCodes> nomscapteurs = kSensorNames;

namespace {

constexpr int kCodes = 256;
constexpr std::array<const char*, 2> kChannelSuffix{" voie0", " voie1"};

// Every code with both suffixes, composed once, so a name never changes under a host.
constexpr auto kComposedNames = [] {
    std::array<std::array<FixedText<24>, 2>, kCodes> names{};
    for (int code = 0; code < kCodes; ++code) {
        for (std::size_t channel = 0; channel < 2; ++channel) {
            FixedText<24>& name = names[static_cast<std::size_t>(code)][channel];
            if (code < kNamedSensorCodes) {
                name.append(kSensorNames[static_cast<std::size_t>(code)]);
            } else {
                name.append_decimal(static_cast<unsigned>(code));
            }
            name.append(kChannelSuffix[channel]);
        }
    }
    return names;
}();

}  // namespace

const char* sensor_input_name(std::int32_t n) {
    if (n < 0 || n >= reg::kAnalogInputs) return "";
    // Read afresh each time: a sensor swapped while loaded is named at the next call.
    const std::uint8_t code = lireport(n < 2 ? reg::kSensorCodeA : reg::kSensorCodeB);
    return kComposedNames[code][static_cast<std::size_t>(n & 1)].c_str();
}

}  // namespace novra3

extern "C" const char* NOVRA3_REGISTER nead(int n) { return novra3::sensor_input_name(n); }
