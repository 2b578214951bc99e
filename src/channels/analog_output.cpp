#include "channels/analog_output.h"

#include <bit>

#include "core/card_lock.h"
#include "core/float_bits.h"
#include "core/ports.h"
#include "novra3.h"

namespace novra3 {

std::int32_t valeursortie = 0;

void ecrirecna(std::int32_t valeur) { ecrireport(reg::kDac, static_cast<std::uint8_t>(valeur)); }

StepRequest steps_for_volts(std::uint64_t v) {
    const NearestInteger k = nearest_integer(v, reg::kDacStepsPerVolt);
    if (k.not_a_number) return {true, false, 0};
    if (k.negative) return {false, k.magnitude != 0, 0};
    if (k.magnitude > static_cast<std::uint64_t>(reg::kDacMaxStep)) return {false, true, reg::kDacMaxStep};
    return {false, false, static_cast<std::int32_t>(k.magnitude)};
}

namespace {

// Output and remembered value change together, under the card lock.
void set_output(std::int32_t steps) {
    const CardGuard guard;
    ecrirecna(steps);
    valeursortie = steps;
}

constexpr double kError = -777.0;

}  // namespace

double sad_bits(std::int32_t n, std::uint64_t v) {
    const StepRequest k = steps_for_volts(v);
    if (n != 0 || k.not_a_number) return kError;
    set_output(k.steps);
    if (k.clamped) return kVoltsOfStep[static_cast<std::size_t>(k.steps)];
    return opaque_double(v);
}

}  // namespace novra3

extern "C" {

// Saturates: the card cannot go past 0 or 10.2 V, and the result says what was set.
int NOVRA3_REGISTER sa(int n, int v) {
    if (n != 0) return NOVRA3_ERREUR_VOIE;
    const std::int32_t steps = novra3::clamp_steps(v);
    novra3::set_output(steps);
    return steps;
}

double NOVRA3_REGISTER sad(int n, double v) { return novra3::sad_bits(n, novra3::bits_in_memory(v)); }

int NOVRA3_REGISTER rsa(int n) { return n == 0 ? novra3::valeursortie : NOVRA3_ERREUR_VOIE; }

double NOVRA3_REGISTER rsad(int n) {
    if (n != 0) return novra3::kError;
    return novra3::kVoltsOfStep[static_cast<std::size_t>(novra3::valeursortie)];
}

// Only the low 16 bits of the channel are examined.
const char* NOVRA3_REGISTER nsa(int n) { return static_cast<std::uint16_t>(n) == 0 ? "sortie analogique 0" : ""; }

const char* NOVRA3_REGISTER nsad(int n) { return n == 0 ? "sortie 0 (volts)" : ""; }

}  // extern "C"
