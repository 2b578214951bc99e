// set: drive an output and show what the library reports back.
#include <cmath>
#include <cstdio>

#include "commands.h"
#include "text.h"

namespace panel {

namespace {

constexpr int kAnalogOutput = 0;
constexpr int kStepsPerVolt = 25;  // 0.04 V a step
// On the simulated card analog input 3 reads the output back through a 1:10 divider.
constexpr int kSimulatedLoopbackInput = 3;

std::string readback_line(const Card& card) {
    const double volts = card.call().rsad(kAnalogOutput);
    return "rsad(0) reads back " + shortest(volts) + " V, " + std::to_string(std::lround(volts * kStepsPerVolt)) +
           " steps of 0.04 V\n";
}

std::string analog_loopback_line(const Card& card) {
    if (!card.simulated() || card.analog_inputs() <= kSimulatedLoopbackInput) return "";
    const AnalogReading r = card.read_analog(kSimulatedLoopbackInput);
    return "simulated loopback: analog input 3 (" + r.name + ") reads " + fixed(r.volts, 3) + " V\n";
}

}  // namespace

int run_set_analog(const Card& card, const std::optional<std::string>& volts, const std::optional<int>& steps) {
    if (card.analog_outputs() <= kAnalogOutput) throw Failure(kExitFailure, "this library serves no analog output");
    if (volts.has_value() == steps.has_value()) throw Failure(kExitUsage, "set analog takes VOLTS or --steps N");
    const EntryPoints& call = card.call();
    const std::string name = from_windows_1252(call.nsad(kAnalogOutput));
    std::string out = card.simulated() ? simulated_banner() : "";
    if (volts) {
        const std::optional<double> v = parse_finite(*volts);
        if (!v) throw Failure(kExitUsage, "VOLTS must be a number such as 2.5 (0 to 10.2), not '" + *volts + "'");
        const double result = call.sad(kAnalogOutput, *v);
        out += "analog output 0 (" + name + "): asked " + shortest(*v) + " V\n";
        out += "sad(0, " + shortest(*v) + ") returned " + shortest(result);
        out += result != *v ? " (saturated: the output spans 0 to 10.2 V)\n" : "\n";
    } else {
        const int result = call.sa(kAnalogOutput, *steps);
        out += "analog output 0 (" + from_windows_1252(call.nsa(kAnalogOutput)) + "): asked " + std::to_string(*steps) +
               " steps\n";
        out += "sa(0, " + std::to_string(*steps) + ") returned " + std::to_string(result);
        out += result != *steps ? " (saturated: the output spans 0 to 255 steps)\n" : "\n";
    }
    out += readback_line(card);
    out += analog_loopback_line(card);
    std::fputs(out.c_str(), stdout);
    return 0;
}

int run_set_logic(const Card& card, const std::string& output, const std::string& level) {
    const std::optional<int> n = parse_int(output);
    if (!n) throw Failure(kExitUsage, "N must be a logic output number, not '" + output + "'");
    if (*n < 0 || *n >= card.logic_outputs()) no_such_channel("logic output", *n, card.logic_outputs());
    if (level != "0" && level != "1") throw Failure(kExitUsage, "the level must be 0 or 1, not '" + level + "'");
    const int v = level == "1" ? 1 : 0;
    const EntryPoints& call = card.call();
    std::string out = card.simulated() ? simulated_banner() : "";
    out += "logic output " + std::to_string(*n) + " (" + from_windows_1252(call.nsb(*n)) + "): set to " +
           std::to_string(v) + "\n";
    out +=
        "sb(" + std::to_string(*n) + ", " + std::to_string(v) + ") returned " + std::to_string(call.sb(*n, v)) + "\n";
    out += "rsb(" + std::to_string(*n) + ") reads back " + std::to_string(call.rsb(*n)) + "\n";
    // The simulated card's loopback plug wires outputs 0-3 to inputs 0-3.
    if (card.simulated() && *n < card.logic_inputs()) {
        const LogicReading r = card.read_logic(*n);
        out += "simulated loopback: logic input " + std::to_string(*n) + " (" + r.name + ") reads " +
               std::to_string(r.level) + "\n";
    }
    std::fputs(out.c_str(), stdout);
    return 0;
}

}  // namespace panel
