// read and watch: every input once, as a table or as JSON, or refreshed in place.
#include <chrono>
#include <cstdio>

#include "commands.h"
#include "console.h"
#include "text.h"

namespace panel {

namespace {

using Align = Table::Align;

std::string snapshot_table(const Snapshot& s) {
    Table analog({{"channel", Align::kRight},
                  {"nea", Align::kLeft},
                  {"nead", Align::kLeft},
                  {"raw", Align::kRight},
                  {"volts", Align::kRight}});
    for (const AnalogReading& r : s.analog) {
        analog.add({std::to_string(r.channel), r.connector, r.name, std::to_string(r.raw), fixed(r.volts, 3)});
    }
    Table logic({{"channel", Align::kRight}, {"neb", Align::kLeft}, {"level", Align::kRight}});
    for (const LogicReading& r : s.logic) logic.add({std::to_string(r.channel), r.name, std::to_string(r.level)});
    return "analog inputs\n" + analog.render("  ") + "logic inputs\n" + logic.render("  ");
}

std::string snapshot_json(const Library& library, const Card& card, const Snapshot& s) {
    std::string out = "{\n";
    out += "  \"library\": " + json_string(library.path()) + ",\n";
    out += "  \"titre\": " + json_string(card.titre()) + ",\n";
    out += "  \"detail\": " + json_string(card.detail()) + ",\n";
    out += std::string("  \"simulated\": ") + (card.simulated() ? "true" : "false") + ",\n";
    out += "  \"analog_inputs\": [";
    for (std::size_t i = 0; i < s.analog.size(); ++i) {
        const AnalogReading& r = s.analog[i];
        out += (i == 0 ? "\n" : ",\n");
        out += "    {\"channel\": " + std::to_string(r.channel) + ", \"nea\": " + json_string(r.connector) +
               ", \"nead\": " + json_string(r.name) + ", \"raw\": " + std::to_string(r.raw) +
               ", \"volts\": " + fixed(r.volts, 3) + "}";
    }
    out += "\n  ],\n  \"logic_inputs\": [";
    for (std::size_t i = 0; i < s.logic.size(); ++i) {
        const LogicReading& r = s.logic[i];
        out += (i == 0 ? "\n" : ",\n");
        out += "    {\"channel\": " + std::to_string(r.channel) + ", \"neb\": " + json_string(r.name) +
               ", \"level\": " + std::to_string(r.level) + "}";
    }
    out += "\n  ]\n}\n";
    return out;
}

int lines_in(const std::string& text) {
    int n = 0;
    for (const char c : text) n += c == '\n' ? 1 : 0;
    return n;
}

}  // namespace

int run_read(const Library& library, const Card& card, bool json) {
    const Snapshot s = card.read_all();
    if (json) {
        // Scripts read stdout; the warning goes where people look.
        if (card.simulated()) std::fputs(simulated_banner().c_str(), stderr);
        std::fputs(snapshot_json(library, card, s).c_str(), stdout);
    } else {
        std::fputs(((card.simulated() ? simulated_banner() : "") + snapshot_table(s)).c_str(), stdout);
    }
    return 0;
}

int run_watch(const Card& card, int interval_ms, std::optional<int> refreshes) {
    catch_interrupts();
    const bool in_place = is_terminal(stdout);
    const auto interval = std::chrono::milliseconds(interval_ms);
    const auto start = std::chrono::steady_clock::now();
    int previous_lines = 0;
    for (int frame = 0; !refreshes || frame < *refreshes; ++frame) {
        if (frame > 0 && !sleep_unless_interrupted(start + frame * interval - std::chrono::steady_clock::now())) break;
        const Snapshot s = card.read_all();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::string text = card.simulated() ? simulated_banner() : "";
        text += "refresh " + std::to_string(frame + 1) + " at " + fixed(seconds, 1) + " s, every " +
                std::to_string(interval_ms) + " ms (Ctrl-C to stop)\n";
        text += snapshot_table(s);
        if (in_place) {
            rewind_lines(previous_lines);
            std::string overwritten;
            for (const char c : text) overwritten += c == '\n' ? std::string(end_of_line()) + "\n" : std::string(1, c);
            std::fputs(overwritten.c_str(), stdout);
        } else {
            std::fputs((frame > 0 ? "\n" + text : text).c_str(), stdout);
        }
        std::fflush(stdout);
        previous_lines = lines_in(text);
        if (interrupted()) break;
    }
    return 0;
}

}  // namespace panel
