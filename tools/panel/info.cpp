// info: what the library says about itself and the name of every channel.
#include <cstdio>

#include "commands.h"
#include "text.h"

namespace panel {

namespace {

using Align = Table::Align;

std::string section(const char* title, const Table& table) { return std::string(title) + "\n" + table.render("  "); }

}  // namespace

int run_info(const Library& library, const Card& card) {
    const EntryPoints& call = card.call();
    std::string out;
    if (card.simulated()) out += simulated_banner();
    out += "library: " + library.path() + "\n";
    const auto missing = library.missing_exports();
    out += "entry points: " + std::to_string(Library::export_count() - missing.size()) + " of " +
           std::to_string(Library::export_count());
    for (std::size_t i = 0; i < missing.size(); ++i) out += (i == 0 ? " (missing: " : ", ") + missing[i];
    out += missing.empty() ? "\n" : ")\n";
    out += "titre: " + card.titre() + "\n";
    out += "detail: " + card.detail() + "\n\n";

    Table analog_inputs({{"channel", Align::kRight}, {"nea", Align::kLeft}, {"nead", Align::kLeft}});
    for (int n = 0; n < card.analog_inputs(); ++n) {
        analog_inputs.add({std::to_string(n), from_windows_1252(call.nea(n)), from_windows_1252(call.nead(n))});
    }
    Table analog_outputs({{"channel", Align::kRight}, {"nsa", Align::kLeft}, {"nsad", Align::kLeft}});
    for (int n = 0; n < card.analog_outputs(); ++n) {
        analog_outputs.add({std::to_string(n), from_windows_1252(call.nsa(n)), from_windows_1252(call.nsad(n))});
    }
    Table logic_inputs({{"channel", Align::kRight}, {"neb", Align::kLeft}});
    for (int n = 0; n < card.logic_inputs(); ++n) logic_inputs.add({std::to_string(n), from_windows_1252(call.neb(n))});
    Table logic_outputs({{"channel", Align::kRight}, {"nsb", Align::kLeft}});
    for (int n = 0; n < card.logic_outputs(); ++n) {
        logic_outputs.add({std::to_string(n), from_windows_1252(call.nsb(n))});
    }
    out += section("analog inputs", analog_inputs);
    out += section("analog outputs", analog_outputs);
    out += section("logic inputs", logic_inputs);
    out += section("logic outputs", logic_outputs);
    std::fputs(out.c_str(), stdout);
    return 0;
}

}  // namespace panel
