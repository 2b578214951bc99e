// The card as the loaded library presents it: channel counts found through the
// name entry points, texts in UTF-8, readings in one conversion each.
#pragma once

#include <string>
#include <vector>

#include "library.h"

namespace panel {

struct AnalogReading {
    int channel;
    std::string connector;  // nea
    std::string name;       // nead: the sensor, in the rec library
    int raw;
    double volts;
};

struct LogicReading {
    int channel;
    std::string name;
    int level;
};

struct Snapshot {
    std::vector<AnalogReading> analog;
    std::vector<LogicReading> logic;
};

class Card {
public:
    explicit Card(const Library& library);

    const EntryPoints& call() const { return call_; }
    const std::string& titre() const { return titre_; }
    const std::string& detail() const { return detail_; }
    // The simulated libraries say so at the end of their description.
    bool simulated() const { return simulated_; }

    int analog_inputs() const { return analog_inputs_; }
    int analog_outputs() const { return analog_outputs_; }
    int logic_inputs() const { return logic_inputs_; }
    int logic_outputs() const { return logic_outputs_; }

    AnalogReading read_analog(int channel) const;
    LogicReading read_logic(int channel) const;
    Snapshot read_all() const;

private:
    EntryPoints call_;
    std::string titre_;
    std::string detail_;
    bool simulated_;
    int analog_inputs_;
    int analog_outputs_;
    int logic_inputs_;
    int logic_outputs_;
};

// "analog input 9 does not exist: the library serves analog inputs 0 to 3"
[[noreturn]] void no_such_channel(const char* kind, long long channel, int count);

// What a human must see before any value from a simulated card.
std::string simulated_banner();

}  // namespace panel
