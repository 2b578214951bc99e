// The entry points that do not wait, over the test bus. The floor of a call
// is its own port accesses, replayed from the bus's trace without the library;
// a variant is timed side by side with its base entry point.
#include <string>
#include <vector>

#include "calls/backend.h"
#include "calls/benchmarks.h"
#include "core/ports.h"
#include "novra3.h"
#include "support/row.h"
#include "support/run.h"
#include "support/side_by_side.h"
#include "test_bus.h"

namespace bench {

namespace {

constexpr int kBlock = 1000;
constexpr double kFewNanoseconds = 5.0;

using Accesses = std::vector<testbus::Access>;

template <typename Call>
Accesses accesses_of(Call& call) {
    testbus::clear_trace();
    call();
    Accesses accesses = testbus::trace();
    testbus::clear_trace();
    return accesses;
}

std::string accesses_text(const Accesses& accesses) {
    std::size_t reads = 0;
    for (const testbus::Access& a : accesses) reads += a.direction == '<' ? 1 : 0;
    const std::size_t writes = accesses.size() - reads;
    if (accesses.empty()) return "no port access";
    std::string t;
    if (reads != 0) t = text("%zu read%s", reads, reads > 1 ? "s" : "");
    if (reads != 0 && writes != 0) t += " + ";
    if (writes != 0) t += text("%zu write%s", writes, writes > 1 ? "s" : "");
    return t;
}

void replay(const Accesses& accesses) {
    for (const testbus::Access& a : accesses) {
        if (a.direction == '<') {
            benchmark::DoNotOptimize(novra3::lireport(a.port));
        } else {
            novra3::ecrireport(a.port, a.value);
        }
    }
}

template <typename Call>
void base_entry(benchmark::State& state, Call call) {
    const Accesses floor = accesses_of(call);
    const auto lanes = side_by_side(
        state, {kBlock, tidy}, [&floor] { replay(floor); }, call);
    const double floor_ns = lanes[0].median_ns();
    const double ns = lanes[1].median_ns();
    const double allocs = lanes[1].allocations;
    state.counters["ns"] = ns;
    state.counters["floor_ns"] = floor_ns;
    state.counters["allocs"] = allocs;
    set_row(state, {duration(ns),
                    text("floor %s (%s), %+.1f ns; %s", duration(floor_ns).c_str(), accesses_text(floor).c_str(),
                         ns - floor_ns, allocations_text(allocs).c_str()),
                    "0 allocs", allocs == 0});
}

template <typename Base, typename Call>
void variant_entry(benchmark::State& state, const char* base_name, Base base, Call call) {
    if (accesses_of(base) != accesses_of(call)) {
        fail(state, std::string("does not reach the card as ") + base_name + " does");
        return;
    }
    const auto lanes = side_by_side(state, {kBlock, tidy}, base, call);
    const double base_ns = lanes[0].median_ns();
    const double ns = lanes[1].median_ns();
    const double allocs = lanes[1].allocations;
    state.counters["ns"] = ns;
    state.counters["base_ns"] = base_ns;
    state.counters["allocs"] = allocs;
    set_row(state, {duration(ns),
                    text("%+.1f ns over %s (%s); %s", ns - base_ns, base_name, duration(base_ns).c_str(),
                         allocations_text(allocs).c_str()),
                    "<= base + 5 ns, 0 allocs", ns - base_ns <= kFewNanoseconds && allocs == 0});
}

template <typename Call>
void add_base(const char* name, Call call) {
    benchmark::RegisterBenchmark((std::string("call/") + name).c_str(),
                                 [call](benchmark::State& state) { base_entry(state, call); });
}

template <typename Base, typename Call>
void add_variant(const char* name, const char* base_name, Base base, Call call) {
    benchmark::RegisterBenchmark((std::string("variant/") + name).c_str(),
                                 [=](benchmark::State& state) { variant_entry(state, base_name, base, call); });
}

// Arguments that reach the card: an input of the high byte, an output that
// switches on, a voltage inside the range.
const auto call_eb = [] { benchmark::DoNotOptimize(eb(10)); };
const auto call_sb = [] { benchmark::DoNotOptimize(sb(1, 1)); };
const auto call_sa = [] { benchmark::DoNotOptimize(sa(0, 100)); };
const auto call_sad = [] { benchmark::DoNotOptimize(sad(0, 4.0)); };
const auto call_rsa = [] { benchmark::DoNotOptimize(rsa(0)); };
const auto call_rsad = [] { benchmark::DoNotOptimize(rsad(0)); };
const auto call_rsb = [] { benchmark::DoNotOptimize(rsb(1)); };
const auto call_nea = [] { benchmark::DoNotOptimize(nea(2)); };
const auto call_nead = [] { benchmark::DoNotOptimize(nead(2)); };
const auto call_nsa = [] { benchmark::DoNotOptimize(nsa(0)); };
const auto call_nsad = [] { benchmark::DoNotOptimize(nsad(0)); };
const auto call_neb = [] { benchmark::DoNotOptimize(neb(10)); };
const auto call_nsb = [] { benchmark::DoNotOptimize(nsb(2)); };
const auto call_titre = [] { benchmark::DoNotOptimize(titre()); };
const auto call_detail = [] { benchmark::DoNotOptimize(detail()); };

const double volts = 4.0;

void add_nead_family() {
    add_variant("stdnead", "nead", call_nead, [] { benchmark::DoNotOptimize(stdnead(2)); });
    add_variant("neadouble", "nead", call_nead, [] { benchmark::DoNotOptimize(neadouble(2.0)); });
    add_variant("stdneadouble", "nead", call_nead, [] { benchmark::DoNotOptimize(stdneadouble(2.0)); });
}

}  // namespace

void register_entry_points() {
    add_base("eb", call_eb);
    add_base("sb", call_sb);
    add_base("sa", call_sa);
    add_base("sad", call_sad);
    add_base("rsa", call_rsa);
    add_base("rsad", call_rsad);
    add_base("rsb", call_rsb);
    add_base("nea", call_nea);
    add_base("nead", call_nead);
    add_base("nsa", call_nsa);
    add_base("nsad", call_nsad);
    add_base("neb", call_neb);
    add_base("nsb", call_nsb);
    add_base("titre", call_titre);
    add_base("detail", call_detail);

    add_variant("stdeb", "eb", call_eb, [] { benchmark::DoNotOptimize(stdeb(10)); });
    add_variant("stdsb", "sb", call_sb, [] { benchmark::DoNotOptimize(stdsb(1, 1)); });
    add_variant("stdsa", "sa", call_sa, [] { benchmark::DoNotOptimize(stdsa(0, 100)); });
    add_variant("stdsad", "sad", call_sad, [] { benchmark::DoNotOptimize(stdsad(0, 4.0)); });
    add_variant("stdrsad", "rsad", call_rsad, [] { benchmark::DoNotOptimize(stdrsad(0)); });
    add_variant("stdrsb", "rsb", call_rsb, [] { benchmark::DoNotOptimize(stdrsb(1)); });
    add_variant("stdnea", "nea", call_nea, [] { benchmark::DoNotOptimize(stdnea(2)); });
    add_variant("stdnsa", "nsa", call_nsa, [] { benchmark::DoNotOptimize(stdnsa(0)); });
    add_variant("stdnsad", "nsad", call_nsad, [] { benchmark::DoNotOptimize(stdnsad(0)); });
    add_variant("stdneb", "neb", call_neb, [] { benchmark::DoNotOptimize(stdneb(10)); });
    add_variant("stdnsb", "nsb", call_nsb, [] { benchmark::DoNotOptimize(stdnsb(2)); });
    add_variant("stdtitre", "titre", call_titre, [] { benchmark::DoNotOptimize(stdtitre()); });
    add_variant("stddetail", "detail", call_detail, [] { benchmark::DoNotOptimize(stddetail()); });
    add_nead_family();

    add_variant("stdsas", "sad", call_sad, [] { benchmark::DoNotOptimize(stdsas(0, 4.0f)); });
    add_variant("stdrsas", "rsad", call_rsad, [] { benchmark::DoNotOptimize(stdrsas(0)); });

    add_variant("ebdouble", "eb", call_eb, [] { benchmark::DoNotOptimize(ebdouble(10.0)); });
    add_variant("stdebdouble", "eb", call_eb, [] { benchmark::DoNotOptimize(stdebdouble(10.0)); });
    add_variant("sbdouble", "sb", call_sb, [] { benchmark::DoNotOptimize(novra3_sbdouble(1.0, 1.0)); });
    add_variant("stdsbdouble", "sb", call_sb, [] { benchmark::DoNotOptimize(stdsbdouble(1.0, 1.0)); });
    add_variant("sadouble", "sad", call_sad, [] { benchmark::DoNotOptimize(novra3_sadouble(0.0, 4.0)); });
    add_variant("stdsadouble", "sad", call_sad, [] { benchmark::DoNotOptimize(stdsadouble(0.0, 4.0)); });
    add_variant("rsadouble", "rsad", call_rsad, [] { benchmark::DoNotOptimize(rsadouble(0.0)); });
    add_variant("stdrsadouble", "rsad", call_rsad, [] { benchmark::DoNotOptimize(stdrsadouble(0.0)); });
    add_variant("rsbdouble", "rsb", call_rsb, [] { benchmark::DoNotOptimize(rsbdouble(1.0)); });
    add_variant("stdrsbdouble", "rsb", call_rsb, [] { benchmark::DoNotOptimize(stdrsbdouble(1.0)); });
    add_variant("nsadouble", "nsad", call_nsad, [] { benchmark::DoNotOptimize(nsadouble(0.0)); });
    add_variant("stdnsadouble", "nsad", call_nsad, [] { benchmark::DoNotOptimize(stdnsadouble(0.0)); });
    add_variant("nebdouble", "neb", call_neb, [] { benchmark::DoNotOptimize(nebdouble(10.0)); });
    add_variant("stdnebdouble", "neb", call_neb, [] { benchmark::DoNotOptimize(stdnebdouble(10.0)); });
    add_variant("nsbdouble", "nsb", call_nsb, [] { benchmark::DoNotOptimize(nsbdouble(2.0)); });
    add_variant("stdnsbdouble", "nsb", call_nsb, [] { benchmark::DoNotOptimize(stdnsbdouble(2.0)); });

    add_variant("psad", "sad", call_sad, [] { benchmark::DoNotOptimize(psad(0, &volts)); });
}

// In the rec library nead reads the connector's sensor code on every call.
void register_rec_names() {
    add_base("nead", call_nead);
    add_nead_family();
}

}  // namespace bench
