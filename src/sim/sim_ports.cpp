// The simulated flavour's door to the card: one model of the card per loaded
// library, created at the first port access (the set-up at load).
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "core/card_lock.h"
#include "core/ports.h"
#include "sim/card_model.h"

namespace novra3 {

namespace {

using Clock = std::chrono::steady_clock;

Clock::time_point load_time() {
    static const Clock::time_point t = Clock::now();
    return t;
}

std::int64_t microseconds_since_load() {
    return std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - load_time()).count();
}

// The only environment this flavour reads; the direct libraries read none.
sim::Settings settings_from_environment() {
    const char* text = std::getenv("NOVRA3_SIM");
    if (text == nullptr) return {};
    const sim::ParsedSettings parsed = sim::parse_settings(text);
    if (!parsed.ok) {
        std::fprintf(stderr, "novra3: NOVRA3_SIM=\"%s\" ignored (%s); the simulated card keeps its defaults\n", text,
                     parsed.error.c_str());
    }
    return parsed.settings;
}

// A function-local static, so it exists before the first access however the
// loader orders the start-up of this library's files.
struct SimulatedCard {
    Clock::time_point loaded = load_time();  // the signals' clock starts with the card
    CardLock lock;                           // eb and nead read without the library's card lock
    sim::CardModel model{settings_from_environment(), microseconds_since_load};
};

SimulatedCard& card() {
    static SimulatedCard instance;
    return instance;
}

}  // namespace

std::uint8_t lireport(std::uint16_t adresse) {
    SimulatedCard& c = card();
    const std::lock_guard guard(c.lock);
    return c.model.read(adresse);
}

void ecrireport(std::uint16_t adresse, std::uint8_t valeur) {
    SimulatedCard& c = card();
    const std::lock_guard guard(c.lock);
    c.model.write(adresse, valeur);
}

}  // namespace novra3
