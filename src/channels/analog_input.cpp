#include "channels/analog_input.h"

#include "core/card_lock.h"
#include "core/delay.h"
#include "core/ports.h"
#include "core/registers.h"
#include "novra3.h"

namespace novra3 {

std::uint16_t mesurer(std::int32_t voie) {
    const CardGuard guard;
    ecrireport(reg::kAdcSelect, reg::adc_select_byte(voie));
    attendre(reg::kAdcSettleMicroseconds);
    const auto high = static_cast<std::uint16_t>(lireport(reg::kAdcHigh) & reg::kAdcHighMask);
    const std::uint8_t low = lireport(reg::kAdcLow);
    return static_cast<std::uint16_t>(high << 8 | low);
}

namespace {
// Only the first name is capitalised; hosts have always seen them so.
constexpr std::array<const char*, reg::kAnalogInputs> kAnalogInputNames{
    "Connecteur A, voie 0",
    "connecteur A, voie 1",
    "connecteur B, voie 0",
    "connecteur B, voie 1",
};
}  // namespace

const char* analog_input_name(std::int32_t n) {
    if (n < 0 || n >= reg::kAnalogInputs) return "";
    return kAnalogInputNames[static_cast<std::size_t>(n)];
}

}  // namespace novra3

extern "C" {

int NOVRA3_REGISTER ea(int n) { return novra3::mesurer(n); }

double NOVRA3_REGISTER ead(int n) { return novra3::kVoltsOfRaw[novra3::mesurer(n)]; }

const char* NOVRA3_REGISTER nea(int n) { return novra3::analog_input_name(n); }

#if !NOVRA3_REC
const char* NOVRA3_REGISTER nead(int n) { return novra3::analog_input_name(n); }
#endif

}  // extern "C"
