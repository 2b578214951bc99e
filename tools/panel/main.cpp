// novra3-panel: a command-line host of the NOVRA3 libraries, to look at the
// card (or the simulated card) and drive its outputs.
#include <CLI/CLI.hpp>
#include <climits>
#include <cstdio>
#include <optional>
#include <string>

#include "card.h"
#include "commands.h"
#include "console.h"
#include "library.h"

namespace {

constexpr const char kFooter[] =
    "Exit codes: 0 done, 1 the library or a file could not be used, 2 bad command line, 130 interrupted.\n"
    "The simulated libraries read NOVRA3_SIM, e.g. NOVRA3_SIM=\"A=12,B=31,loopback=0,ch1=300,ch2=650\"\n"
    "(sensor codes on connectors A and B, the logic loopback plug, raw values of analog inputs 1 and 2).\n";

constexpr const char kCommands[] =
    "novra3-panel [--lib PATH] info\n"
    "novra3-panel [--lib PATH] read [--json]\n"
    "novra3-panel [--lib PATH] watch [--interval MS] [--count N]\n"
    "novra3-panel [--lib PATH] set analog VOLTS | --steps N\n"
    "novra3-panel [--lib PATH] set logic N 0|1\n"
    "novra3-panel [--lib PATH] acquire --channel N --interval-ms T --count K [--csv FILE]\n";

}  // namespace

int main(int argc, char** argv) {
    panel::prepare_console();

    CLI::App app{"Reads and drives a NOVRA3 card through one of its libraries.", "novra3-panel"};
    app.footer(kFooter);
    app.require_subcommand(1);
    app.fallthrough();
    std::string library_path = panel::default_library_path();
    app.add_option("--lib", library_path, "The NOVRA3 library to load")->capture_default_str();

    CLI::App* info = app.add_subcommand("info", "The library's texts and the name of every channel");

    CLI::App* read = app.add_subcommand("read", "Every input once: analog raw and volts, logic levels");
    bool json = false;
    read->add_flag("--json", json, "One JSON object, for scripts");

    CLI::App* watch = app.add_subcommand("watch", "The read table, refreshed in place until Ctrl-C");
    int watch_interval = 500;
    watch->add_option("--interval", watch_interval, "Milliseconds between refreshes")
        ->check(CLI::Range(10, 3'600'000))
        ->capture_default_str();
    std::optional<int> refreshes;
    watch->add_option("--count", refreshes, "Stop after this many refreshes")->check(CLI::Range(1, INT_MAX));

    CLI::App* set = app.add_subcommand("set", "Drive an output and print what the library reports back");
    set->require_subcommand(1);
    CLI::App* set_analog = set->add_subcommand("analog", "Analog output 0, in volts or in converter steps");
    std::optional<std::string> volts;
    std::optional<int> steps;
    CLI::Option* volts_option = set_analog->add_option("VOLTS", volts, "Volts, 0 to 10.2 (saturated beyond)");
    CLI::Option* steps_option = set_analog->add_option("--steps", steps, "Converter steps of 0.04 V, 0 to 255");
    volts_option->excludes(steps_option);
    CLI::App* set_logic = set->add_subcommand("logic", "A logic output, 0 or 1");
    std::string output;
    std::string level;
    set_logic->add_option("N", output, "Logic output number")->required();
    set_logic->add_option("LEVEL", level, "0 or 1")->required();

    CLI::App* acquire = app.add_subcommand("acquire", "Software-timed samples of one analog input, with timestamps");
    int channel = 0;
    int interval_ms = 0;
    int count = 0;
    std::optional<std::string> csv;
    acquire->add_option("--channel", channel, "Analog input")->required();
    acquire->add_option("--interval-ms", interval_ms, "Milliseconds between samples")
        ->required()
        ->check(CLI::Range(1, 3'600'000));
    acquire->add_option("--count", count, "Number of samples")->required()->check(CLI::Range(1, 100'000'000));
    acquire->add_option("--csv", csv, "Write the samples to this CSV file instead of stdout");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        if (app.exit(e) == 0) return 0;
        // Without a complete command, say which ones there are.
        if (app.get_subcommands().empty() || (set->parsed() && set->get_subcommands().empty())) {
            std::fprintf(stderr, "The commands are:\n%s", kCommands);
        }
        return panel::kExitUsage;
    }

    try {
        panel::report_faults_of(library_path);
        const panel::Library library(library_path);
        const panel::Card card(library);
        if (info->parsed()) return panel::run_info(library, card);
        if (read->parsed()) return panel::run_read(library, card, json);
        if (watch->parsed()) return panel::run_watch(card, watch_interval, refreshes);
        if (set_analog->parsed()) return panel::run_set_analog(card, volts, steps);
        if (set_logic->parsed()) return panel::run_set_logic(card, output, level);
        if (acquire->parsed()) return panel::run_acquire(card, channel, interval_ms, count, csv);
        return panel::kExitUsage;
    } catch (const panel::Failure& failure) {
        std::fflush(stdout);
        std::fprintf(stderr, "novra3-panel: %s\n", failure.what());
        return failure.exit_code();
    } catch (const std::exception& e) {
        std::fflush(stdout);
        std::fprintf(stderr, "novra3-panel: %s\n", e.what());
        return panel::kExitFailure;
    }
}
