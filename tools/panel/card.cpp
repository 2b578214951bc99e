#include "card.h"

#include <cmath>
#include <cstring>

#include "text.h"

namespace panel {

namespace {

constexpr int kNoSuchChannel = NOVRA3_ERREUR_VOIE;
constexpr int kMostChannels = 256;  // no card has more of one kind
constexpr const char kSimulatedSuffix[] =
    " (carte simul\xE9"
    "e)";

bool ends_with(const char* text, const char* suffix) {
    if (text == nullptr) return false;
    const std::size_t n = std::strlen(text);
    const std::size_t m = std::strlen(suffix);
    return n >= m && std::strcmp(text + n - m, suffix) == 0;
}

// Channels are numbered from 0 up to the first one without a name.
template <typename NameOf>
int count_named(NameOf name_of) {
    int n = 0;
    while (n < kMostChannels) {
        const char* name = name_of(n);
        if (name == nullptr || *name == '\0') break;
        ++n;
    }
    return n;
}

}  // namespace

Card::Card(const Library& library) : call_(library.call()) {
    titre_ = from_windows_1252(call_.titre());
    const char* detail = call_.detail();
    detail_ = from_windows_1252(detail);
    simulated_ = ends_with(detail, kSimulatedSuffix);
    analog_inputs_ = count_named(call_.nea);
    analog_outputs_ = count_named(call_.nsad);
    logic_inputs_ = count_named(call_.neb);
    // Outputs are named beyond those that can be set; rsb tells, without touching the card.
    logic_outputs_ = 0;
    while (logic_outputs_ < kMostChannels && call_.rsb(logic_outputs_) != kNoSuchChannel) ++logic_outputs_;
}

AnalogReading Card::read_analog(int channel) const {
    // One conversion: raw and volts of the same instant (volts are raw / 1000).
    const double volts = call_.ead(channel);
    return {channel, from_windows_1252(call_.nea(channel)), from_windows_1252(call_.nead(channel)),
            static_cast<int>(std::lround(volts * 1000.0)), volts};
}

LogicReading Card::read_logic(int channel) const {
    return {channel, from_windows_1252(call_.neb(channel)), call_.eb(channel)};
}

Snapshot Card::read_all() const {
    Snapshot s;
    for (int n = 0; n < analog_inputs_; ++n) s.analog.push_back(read_analog(n));
    for (int n = 0; n < logic_inputs_; ++n) s.logic.push_back(read_logic(n));
    return s;
}

void no_such_channel(const char* kind, long long channel, int count) {
    std::string served = count == 0   ? std::string("none")
                         : count == 1 ? std::string("only 0")
                                      : "0 to " + std::to_string(count - 1);
    throw Failure(kExitUsage, std::string(kind) + " " + std::to_string(channel) +
                                  " does not exist: the library serves " + kind + "s " + served);
}

std::string simulated_banner() {
    return "*** SIMULATED CARD: no NOVRA3 card is read, every value comes from a model ***\n";
}

}  // namespace panel
