#include "channels/logic.h"

#include "core/card_lock.h"
#include "core/interface.h"
#include "core/names.h"
#include "core/ports.h"
#include "core/registers.h"
#include "novra3.h"

namespace novra3 {

std::uint8_t etatsorties = 0;

void ecrirebit(int n, bool allume) {
    const std::uint16_t latch = port_of(port_index_data(4));
    const std::uint8_t bit = reg::kLogicOutputBit[static_cast<std::size_t>(n)];
    const std::uint8_t x = lireport(latch);
    ecrireport(latch, static_cast<std::uint8_t>(allume ? (x | bit) : (x & ~bit)));
}

namespace {

constexpr auto kInputNames = numbered_names<reg::kLogicInputs, 24>(
    "entr\xE9"
    "e logique ");
constexpr auto kOutputNames = numbered_names<reg::kLogicOutputNames, 24>("sortie logique ");

}  // namespace

const char* logic_input_name(std::int32_t n) {
    if (n < 0 || n >= reg::kLogicInputs) return "";
    return kInputNames[static_cast<std::size_t>(n)].c_str();
}

const char* logic_output_name(std::int32_t n) {
    if (n < 0 || n >= reg::kLogicOutputNames) return "";
    return kOutputNames[static_cast<std::size_t>(n)].c_str();
}

}  // namespace novra3

extern "C" {

// Channel numbers are taken as unsigned: every negative one is out of range.
int NOVRA3_REGISTER eb(int n) {
    using namespace novra3;
    const auto u = static_cast<std::uint32_t>(n);
    if (u < 8) return (lireport(reg::kLogicInputsLow) >> u) & 1;
    if (u - 8 < 8) return (lireport(reg::kLogicInputsHigh) >> (u - 8)) & 1;
    return NOVRA3_ERREUR_VOIE;
}

const char* NOVRA3_REGISTER neb(int n) { return novra3::logic_input_name(n); }

// Only v = 1 switches on. The acknowledgement n × 100 + v wraps in 32 bits.
int NOVRA3_REGISTER sb(int n, int v) {
    using namespace novra3;
    const auto u = static_cast<std::uint32_t>(n);
    if (u >= static_cast<std::uint32_t>(reg::kLogicOutputs)) return NOVRA3_ERREUR_VOIE;
    const bool on = v == 1;
    {
        const CardGuard guard;
        ecrirebit(n, on);
        const auto member = static_cast<std::uint8_t>(1u << u);
        etatsorties = static_cast<std::uint8_t>(on ? (etatsorties | member) : (etatsorties & ~member));
    }
    return static_cast<int>(u * 100u + static_cast<std::uint32_t>(v));
}

const char* NOVRA3_REGISTER nsb(int n) { return novra3::logic_output_name(n); }

int NOVRA3_REGISTER rsb(int n) {
    const auto u = static_cast<std::uint32_t>(n);
    if (u >= static_cast<std::uint32_t>(novra3::reg::kLogicOutputs)) return NOVRA3_ERREUR_VOIE;
    return (novra3::etatsorties >> u) & 1;
}

}  // extern "C"
