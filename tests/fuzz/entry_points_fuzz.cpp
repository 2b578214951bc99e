// Drives all 58 entry points with numbers and card bytes taken from the fuzz
// input, and after every call checks, against a model of its own:
//  - the result lies in its documented set and is the one the card's bytes give;
//  - the call made exactly its port accesses, so a refused call (-777, -777.0,
//    "") touched nothing and no call drove an output it was not asked to;
//  - valeursortie and etatsorties are what the model says, and match what was
//    last written to the converter and the output latch;
//  - the call raised no floating-point exception flag;
//  - every text handed out so far still reads the same.
// A broken invariant aborts with the call, what was expected and what came back.
#include <array>
#include <bit>
#include <cfenv>
#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "channels/analog_output.h"
#include "channels/logic.h"
#include "core/delay.h"
#include "core/interface.h"
#include "fuzz_input.h"
#include "fuzzed_card.h"
#include "novra3.h"
#include "test_bus.h"
#if NOVRA3_REC
#include "sensors/sensor_names.h"
#endif

namespace {

using Expected = std::optional<std::int32_t>;  // nullopt: the call is refused
using ExpectedReal = std::optional<double>;

ExpectedReal as_real(Expected e) { return e ? ExpectedReal{*e} : std::nullopt; }

constexpr std::uint8_t kOutputBit[4] = {0x01, 0x02, 0x10, 0x20};

std::array<std::int32_t, 24> ports_at_start;

std::uint64_t bits(double x) { return std::bit_cast<std::uint64_t>(x); }
std::uint32_t bits(float x) { return std::bit_cast<std::uint32_t>(x); }

// The integer a double channel or value argument names: rounded half to even,
// nothing when it is not a number or falls outside 32 bits.
Expected integer_of(double x) {
    if (std::isnan(x)) return std::nullopt;
    const double r = std::nearbyint(x);
    if (r < -2147483648.0 || r > 2147483647.0) return std::nullopt;
    return static_cast<std::int32_t>(r);
}

class Checker {
public:
    Checker(fuzz::Input& input, fuzz::FuzzedCard& card) : input_(input), card_(card) {}

    void one_call();
    void check_texts_kept();

private:
    // ---- reporting --------------------------------------------------------
    struct Arg {
        char kind;  // 'i' integer, 'd' double, 'f' single, 'p' pointer to double
        std::int64_t i;
        double d;
        float f;
    };

    [[noreturn]] void fail(const char* format, ...) __attribute__((format(printf, 2, 3)));

    std::int32_t arg(std::int32_t v) { return args_.push_back({'i', v, 0, 0}), v; }
    double arg(double v) { return args_.push_back({'d', 0, v, 0}), v; }
    float arg(float v) { return args_.push_back({'f', 0, 0, v}), v; }
    double arg_pointed(double v) { return args_.push_back({'p', 0, v, 0}), v; }

    // Runs the entry point, with the flags cleared, and fetches its port accesses.
    template <typename Call>
    auto run(const char* name, Call call) {
        name_ = name;
        std::feclearexcept(FE_ALL_EXCEPT);
        const auto result = call();
        const int raised = std::fetestexcept(FE_ALL_EXCEPT);
        trace_ = testbus::trace();
        if (raised != 0) fail("raised floating-point exception flags 0x%X", static_cast<unsigned>(raised));
        return result;
    }

    // The expectation is formed after the call, from the accesses it made.
    template <typename Call, typename Expect>
    void call(const char* name, Call entry_point, Expect expect) {
        const auto got = run(name, entry_point);
        check(got, expect());
    }

    // ---- port accesses ----------------------------------------------------
    void expect_accesses(std::size_t count) {
        if (trace_.size() != count) fail("expected %zu port accesses, got %zu", count, trace_.size());
    }
    std::uint8_t expect_read(std::size_t i, std::uint16_t port) {
        if (trace_[i].direction != '<' || trace_[i].port != port) {
            fail("access %zu: expected a read of 0x%03X, got %s", i, port, testbus::to_string(trace_[i]).c_str());
        }
        return trace_[i].value;
    }
    void expect_write(std::size_t i, std::uint16_t port, std::uint8_t value) {
        if (trace_[i] != testbus::write(port, value)) {
            fail("access %zu: expected %s, got %s", i, testbus::to_string(testbus::write(port, value)).c_str(),
                 testbus::to_string(trace_[i]).c_str());
        }
    }
    void expect_no_access() { expect_accesses(0); }

    // ---- what each base entry point must have done -----------------------
    std::int32_t expect_conversion(std::int32_t n) {
        expect_accesses(3);
        expect_write(0, 0x309, static_cast<std::uint8_t>(static_cast<std::uint32_t>(n) << 5));
        const std::uint8_t high = expect_read(1, 0x30D);
        const std::uint8_t low = expect_read(2, 0x30C);
        return (high & 0x03) << 8 | low;
    }
    ExpectedReal expect_volts_in(std::int32_t n) { return expect_conversion(n) / 1000.0; }

    void expect_dac_write(std::int32_t steps) {
        expect_accesses(1);
        expect_write(0, 0x310, static_cast<std::uint8_t>(steps));
        model_valeursortie_ = steps;
    }

    Expected expect_sa(std::int32_t n, std::int32_t v) {
        if (n != 0) return expect_no_access(), std::nullopt;
        const std::int32_t steps = v < 0 ? 0 : v > 255 ? 255 : v;
        expect_dac_write(steps);
        return steps;
    }

    // v itself, or the volts of the end it was clamped to.
    ExpectedReal expect_sad(std::int32_t n, double v) {
        if (n != 0 || std::isnan(v)) return expect_no_access(), std::nullopt;
        // 25 × v takes at most 58 significant bits: exact in the 64-bit x87 format.
        const long double k = std::nearbyintl(static_cast<long double>(v) * 25.0L);
        const bool clamped = k < 0.0L || k > 255.0L;
        const std::int32_t steps = k < 0.0L ? 0 : k > 255.0L ? 255 : static_cast<std::int32_t>(k);
        expect_dac_write(steps);
        return clamped ? steps / 25.0 : v;
    }

    Expected expect_rsa(std::int32_t n) {
        expect_no_access();
        return n == 0 ? Expected{model_valeursortie_} : std::nullopt;
    }
    ExpectedReal expect_rsad(std::int32_t n) {
        const Expected steps = expect_rsa(n);
        return steps ? ExpectedReal{*steps / 25.0} : std::nullopt;
    }

    Expected expect_eb(std::int32_t n) {
        const auto u = static_cast<std::uint32_t>(n);
        if (u >= 16) return expect_no_access(), std::nullopt;
        expect_accesses(1);
        const std::uint8_t x = expect_read(0, u < 8 ? 0x304 : 0x314);
        return (x >> (u % 8)) & 1;
    }

    Expected expect_sb(std::int32_t n, std::int32_t v) {
        const auto u = static_cast<std::uint32_t>(n);
        if (u >= 4) return expect_no_access(), std::nullopt;
        const bool on = v == 1;
        expect_accesses(2);
        const std::uint8_t x = expect_read(0, 0x311);
        const std::uint8_t bit = kOutputBit[u];
        expect_write(1, 0x311, static_cast<std::uint8_t>(on ? x | bit : x & ~bit));
        const auto member = static_cast<std::uint8_t>(1u << u);
        model_etatsorties_ = static_cast<std::uint8_t>(on ? model_etatsorties_ | member : model_etatsorties_ & ~member);
        touched_ = static_cast<std::uint8_t>(touched_ | member);
        return static_cast<std::int32_t>(u * 100u + static_cast<std::uint32_t>(v));
    }

    ExpectedReal expect_sbdouble(double n, double v) {
        return as_real(with_integer(n, [this, v](std::int32_t channel) {
            return with_integer(v, [this, channel](std::int32_t value) { return expect_sb(channel, value); });
        }));
    }

    Expected expect_rsb(std::int32_t n) {
        expect_no_access();
        const auto u = static_cast<std::uint32_t>(n);
        return u < 4 ? Expected{(model_etatsorties_ >> u) & 1} : std::nullopt;
    }

    // ---- names ------------------------------------------------------------
    std::string expect_titre() {
        expect_no_access();
        return "NOVRA3 (et NOVRA4 ?)";
    }
    std::string expect_detail() {
        expect_no_access();
        return "Interface Mirvane NOVRA3 : 4 entr\xE9"
               "es analogiques (connecteurs A et B), 1 sortie analogique, 16 entr\xE9"
               "es logiques, 4 sorties logiques";
    }
    std::string numbered(const char* prefix, std::int32_t n, std::int32_t count) {
        expect_no_access();
        return n >= 0 && n < count ? prefix + std::to_string(n) : "";
    }
    std::string expect_nea(std::int32_t n) {
        static const char* const kNames[] = {"Connecteur A, voie 0", "connecteur A, voie 1", "connecteur B, voie 0",
                                             "connecteur B, voie 1"};
        expect_no_access();
        return n >= 0 && n < 4 ? kNames[n] : "";
    }
    std::string expect_nead(std::int32_t n) {
#if NOVRA3_REC
        if (n < 0 || n >= 4) return expect_no_access(), "";
        expect_accesses(1);
        const std::uint8_t code = expect_read(0, n < 2 ? 0x314 : 0x315);
        const std::string sensor = code < novra3::kNamedSensorCodes ? novra3::nomscapteurs[code] : std::to_string(code);
        return sensor + (n & 1 ? " voie1" : " voie0");
#else
        return expect_nea(n);
#endif
    }
    std::string expect_neb(std::int32_t n) {
        return numbered(
            "entr\xE9"
            "e logique ",
            n, 16);
    }
    std::string expect_nsb(std::int32_t n) { return numbered("sortie logique ", n, 8); }
    std::string expect_nsa(std::int32_t n) {
        expect_no_access();
        return static_cast<std::uint16_t>(n) == 0 ? "sortie analogique 0" : "";
    }
    std::string expect_nsad(std::int32_t n) {
        expect_no_access();
        return n == 0 ? "sortie 0 (volts)" : "";
    }

    // The double forms: a refused channel or value touches nothing.
    template <typename Base>
    auto with_integer(double x, Base base) -> decltype(base(0)) {
        const Expected n = integer_of(x);
        if (!n) return expect_no_access(), decltype(base(0)){};
        return base(*n);
    }

    // ---- results ----------------------------------------------------------
    void check(std::int32_t got, Expected want) {
        const std::int32_t w = want.value_or(NOVRA3_ERREUR_VOIE);
        if (got != w) fail("expected %d, got %d", w, got);
    }
    void check(double got, ExpectedReal want) {
        const double w = want.value_or(-777.0);
        if (bits(got) != bits(w)) {
            fail("expected %.17g [0x%016llX], got %.17g [0x%016llX]", w, static_cast<unsigned long long>(bits(w)), got,
                 static_cast<unsigned long long>(bits(got)));
        }
    }
    void check(float got, ExpectedReal want) {
        const auto w = static_cast<float>(want.value_or(-777.0));
        if (bits(got) != bits(w)) {
            fail("expected %.9g [0x%08X], got %.9g [0x%08X]", static_cast<double>(w), bits(w), static_cast<double>(got),
                 bits(got));
        }
    }
    void check(const char* got, const std::string& want) {
        if (got == nullptr) fail("expected \"%s\", got a null pointer", want.c_str());
        if (want != got) fail("expected \"%s\", got \"%s\"", want.c_str(), got);
        if (texts_.size() < 256) texts_.push_back({got, want});
    }
    void check(const double* got, ExpectedReal want) {
        if (got == nullptr) fail("expected a pointer to a double, got a null pointer");
        check(*got, want);
    }

    void check_state();

    fuzz::Input& input_;
    fuzz::FuzzedCard& card_;
    std::int32_t model_valeursortie_ = 0;
    std::uint8_t model_etatsorties_ = 0;
    std::uint8_t touched_ = 0;  // outputs the library has set since load
    const char* name_ = "";
    std::vector<Arg> args_;
    std::vector<testbus::Access> trace_;
    std::vector<std::pair<const char*, std::string>> texts_;
};

void Checker::fail(const char* format, ...) {
    std::fprintf(stderr, "\nnovra3 (%s) invariant broken by %s(", NOVRA3_REC ? "rec" : "plain", name_);
    for (std::size_t i = 0; i < args_.size(); ++i) {
        const Arg& a = args_[i];
        if (i != 0) std::fputs(", ", stderr);
        switch (a.kind) {
            case 'i':
                std::fprintf(stderr, "%lld", static_cast<long long>(a.i));
                break;
            case 'f':
                std::fprintf(stderr, "%.9gf [0x%08X]", static_cast<double>(a.f), bits(a.f));
                break;
            default:
                std::fprintf(stderr, "%s%.17g [0x%016llX]", a.kind == 'p' ? "&" : "", a.d,
                             static_cast<unsigned long long>(bits(a.d)));
        }
    }
    std::fputs("): ", stderr);
    va_list list;
    va_start(list, format);
    std::vfprintf(stderr, format, list);
    va_end(list);
    std::fputs("\n  port accesses of the call:", stderr);
    for (const testbus::Access& a : trace_) std::fprintf(stderr, " [%s]", testbus::to_string(a).c_str());
    std::fputc('\n', stderr);
    std::abort();
}

void Checker::check_state() {
    if (novra3::valeursortie != model_valeursortie_) {
        fail("valeursortie is %d, expected %d", novra3::valeursortie, model_valeursortie_);
    }
    const std::int32_t on_card = card_.dac ? *card_.dac : 0;
    if (novra3::valeursortie != on_card) {
        fail("valeursortie is %d but the converter last got %d", novra3::valeursortie, on_card);
    }
    if (novra3::etatsorties != model_etatsorties_) {
        fail("etatsorties is 0x%02X, expected 0x%02X", novra3::etatsorties, model_etatsorties_);
    }
    for (unsigned n = 0; n < 4; ++n) {
        const bool member = (novra3::etatsorties >> n) & 1;
        const bool lit = (touched_ >> n) & 1 && card_.latch && (*card_.latch & kOutputBit[n]) != 0;
        if ((touched_ >> n) & 1 ? member != lit : member) {
            fail("etatsorties 0x%02X disagrees about output %u with the latch's last write 0x%02X", novra3::etatsorties,
                 n, card_.latch.value_or(0));
        }
    }
    if (novra3::tableports != ports_at_start) fail("tableports changed");
    if (novra3::bouclesparus != 0) fail("bouclesparus changed to %u", novra3::bouclesparus);
}

void Checker::check_texts_kept() {
    for (const auto& [text, want] : texts_) {
        if (want != text) {
            name_ = "a later call";
            args_.clear();
            fail("a text handed out as \"%s\" now reads \"%s\"", want.c_str(), text);
        }
    }
}

void Checker::one_call() {
    args_.clear();
    testbus::clear_trace();
    const auto integer = [this] { return arg(input_.integer()); };
    const auto real = [this] { return arg(input_.real()); };
    switch (input_.byte() % 58) {
        // Identification.
        case 0:
            call(
                "titre", [] { return titre(); }, [this] { return expect_titre(); });
            break;
        case 1:
            call(
                "stdtitre", [] { return stdtitre(); }, [this] { return expect_titre(); });
            break;
        case 2:
            call(
                "detail", [] { return detail(); }, [this] { return expect_detail(); });
            break;
        case 3:
            call(
                "stddetail", [] { return stddetail(); }, [this] { return expect_detail(); });
            break;

        // Analog inputs.
        case 4: {
            const auto n = integer();
            call(
                "ea", [n] { return ea(n); }, [this, n] { return Expected{expect_conversion(n)}; });
            break;
        }
        case 5: {
            const auto n = integer();
            call(
                "stdea", [n] { return stdea(n); }, [this, n] { return Expected{expect_conversion(n)}; });
            break;
        }
        case 6: {
            const auto n = integer();
            call(
                "ead", [n] { return ead(n); }, [this, n] { return expect_volts_in(n); });
            break;
        }
        case 7: {
            const auto n = integer();
            call(
                "stdead", [n] { return stdead(n); }, [this, n] { return expect_volts_in(n); });
            break;
        }
        case 8: {
            const auto n = integer();
            call(
                "stdeas", [n] { return stdeas(n); }, [this, n] { return expect_volts_in(n); });
            break;
        }
        case 9: {
            const auto n = integer();
            call(
                "pead", [n] { return pead(n); }, [this, n] { return expect_volts_in(n); });
            break;
        }
        case 10: {
            const auto x = real();
            call(
                "eadouble", [x] { return eadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_volts_in(n); }); });
            break;
        }
        case 11: {
            const auto x = real();
            call(
                "stdeadouble", [x] { return stdeadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_volts_in(n); }); });
            break;
        }
        case 12: {
            const auto n = integer();
            call(
                "nea", [n] { return nea(n); }, [this, n] { return expect_nea(n); });
            break;
        }
        case 13: {
            const auto n = integer();
            call(
                "stdnea", [n] { return stdnea(n); }, [this, n] { return expect_nea(n); });
            break;
        }
        case 14: {
            const auto n = integer();
            call(
                "nead", [n] { return nead(n); }, [this, n] { return expect_nead(n); });
            break;
        }
        case 15: {
            const auto n = integer();
            call(
                "stdnead", [n] { return stdnead(n); }, [this, n] { return expect_nead(n); });
            break;
        }
        case 16: {
            const auto x = real();
            call(
                "neadouble", [x] { return neadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_nead(n); }); });
            break;
        }
        case 17: {
            const auto x = real();
            call(
                "stdneadouble", [x] { return stdneadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_nead(n); }); });
            break;
        }

        // Analog output.
        case 18: {
            const auto n = integer();
            const auto v = integer();
            call(
                "sa", [n, v] { return sa(n, v); }, [this, n, v] { return expect_sa(n, v); });
            break;
        }
        case 19: {
            const auto n = integer();
            const auto v = integer();
            call(
                "stdsa", [n, v] { return stdsa(n, v); }, [this, n, v] { return expect_sa(n, v); });
            break;
        }
        case 20: {
            const auto n = integer();
            const auto v = real();
            call(
                "sad", [n, v] { return sad(n, v); }, [this, n, v] { return expect_sad(n, v); });
            break;
        }
        case 21: {
            const auto n = integer();
            const auto v = real();
            call(
                "stdsad", [n, v] { return stdsad(n, v); }, [this, n, v] { return expect_sad(n, v); });
            break;
        }
        case 22: {
            const auto n = integer();
            const auto v = arg(input_.single());
            call(
                "stdsas", [n, v] { return stdsas(n, v); },
                [this, n, v] { return expect_sad(n, static_cast<double>(v)); });
            break;
        }
        case 23: {
            const auto n = integer();
            const double v = arg_pointed(input_.real());
            call(
                "psad", [n, &v] { return psad(n, &v); }, [this, n, v] { return expect_sad(n, v); });
            break;
        }
        case 24: {
            const auto n = real();
            const auto v = real();
            call(
                "sadouble", [n, v] { return novra3_sadouble(n, v); },
                [this, n, v] {
                    return with_integer(n, [this, v](std::int32_t channel) { return expect_sad(channel, v); });
                });
            break;
        }
        case 25: {
            const auto n = real();
            const auto v = real();
            call(
                "stdsadouble", [n, v] { return stdsadouble(n, v); },
                [this, n, v] {
                    return with_integer(n, [this, v](std::int32_t channel) { return expect_sad(channel, v); });
                });
            break;
        }
        case 26: {
            const auto n = integer();
            call(
                "rsa", [n] { return rsa(n); }, [this, n] { return expect_rsa(n); });
            break;
        }
        case 27: {
            const auto n = integer();
            call(
                "rsad", [n] { return rsad(n); }, [this, n] { return expect_rsad(n); });
            break;
        }
        case 28: {
            const auto n = integer();
            call(
                "stdrsad", [n] { return stdrsad(n); }, [this, n] { return expect_rsad(n); });
            break;
        }
        case 29: {
            const auto n = integer();
            call(
                "stdrsas", [n] { return stdrsas(n); }, [this, n] { return expect_rsad(n); });
            break;
        }
        case 30: {
            const auto x = real();
            call(
                "rsadouble", [x] { return rsadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_rsad(n); }); });
            break;
        }
        case 31: {
            const auto x = real();
            call(
                "stdrsadouble", [x] { return stdrsadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_rsad(n); }); });
            break;
        }
        case 32: {
            const auto n = integer();
            call(
                "nsa", [n] { return nsa(n); }, [this, n] { return expect_nsa(n); });
            break;
        }
        case 33: {
            const auto n = integer();
            call(
                "stdnsa", [n] { return stdnsa(n); }, [this, n] { return expect_nsa(n); });
            break;
        }
        case 34: {
            const auto n = integer();
            call(
                "nsad", [n] { return nsad(n); }, [this, n] { return expect_nsad(n); });
            break;
        }
        case 35: {
            const auto n = integer();
            call(
                "stdnsad", [n] { return stdnsad(n); }, [this, n] { return expect_nsad(n); });
            break;
        }
        case 36: {
            const auto x = real();
            call(
                "nsadouble", [x] { return nsadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_nsad(n); }); });
            break;
        }
        case 37: {
            const auto x = real();
            call(
                "stdnsadouble", [x] { return stdnsadouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_nsad(n); }); });
            break;
        }

        // Logic inputs and outputs.
        case 38: {
            const auto n = integer();
            call(
                "eb", [n] { return eb(n); }, [this, n] { return expect_eb(n); });
            break;
        }
        case 39: {
            const auto n = integer();
            call(
                "stdeb", [n] { return stdeb(n); }, [this, n] { return expect_eb(n); });
            break;
        }
        case 40: {
            const auto x = real();
            call(
                "ebdouble", [x] { return ebdouble(x); },
                [this, x] { return as_real(with_integer(x, [this](std::int32_t n) { return expect_eb(n); })); });
            break;
        }
        case 41: {
            const auto x = real();
            call(
                "stdebdouble", [x] { return stdebdouble(x); },
                [this, x] { return as_real(with_integer(x, [this](std::int32_t n) { return expect_eb(n); })); });
            break;
        }
        case 42: {
            const auto n = integer();
            call(
                "neb", [n] { return neb(n); }, [this, n] { return expect_neb(n); });
            break;
        }
        case 43: {
            const auto n = integer();
            call(
                "stdneb", [n] { return stdneb(n); }, [this, n] { return expect_neb(n); });
            break;
        }
        case 44: {
            const auto x = real();
            call(
                "nebdouble", [x] { return nebdouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_neb(n); }); });
            break;
        }
        case 45: {
            const auto x = real();
            call(
                "stdnebdouble", [x] { return stdnebdouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_neb(n); }); });
            break;
        }
        case 46: {
            const auto n = integer();
            const auto v = integer();
            call(
                "sb", [n, v] { return sb(n, v); }, [this, n, v] { return expect_sb(n, v); });
            break;
        }
        case 47: {
            const auto n = integer();
            const auto v = integer();
            call(
                "stdsb", [n, v] { return stdsb(n, v); }, [this, n, v] { return expect_sb(n, v); });
            break;
        }
        case 48: {
            const auto n = real();
            const auto v = real();
            call(
                "sbdouble", [n, v] { return novra3_sbdouble(n, v); }, [this, n, v] { return expect_sbdouble(n, v); });
            break;
        }
        case 49: {
            const auto n = real();
            const auto v = real();
            call(
                "stdsbdouble", [n, v] { return stdsbdouble(n, v); }, [this, n, v] { return expect_sbdouble(n, v); });
            break;
        }
        case 50: {
            const auto n = integer();
            call(
                "nsb", [n] { return nsb(n); }, [this, n] { return expect_nsb(n); });
            break;
        }
        case 51: {
            const auto n = integer();
            call(
                "stdnsb", [n] { return stdnsb(n); }, [this, n] { return expect_nsb(n); });
            break;
        }
        case 52: {
            const auto x = real();
            call(
                "nsbdouble", [x] { return nsbdouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_nsb(n); }); });
            break;
        }
        case 53: {
            const auto x = real();
            call(
                "stdnsbdouble", [x] { return stdnsbdouble(x); },
                [this, x] { return with_integer(x, [this](std::int32_t n) { return expect_nsb(n); }); });
            break;
        }
        case 54: {
            const auto n = integer();
            call(
                "rsb", [n] { return rsb(n); }, [this, n] { return expect_rsb(n); });
            break;
        }
        case 55: {
            const auto n = integer();
            call(
                "stdrsb", [n] { return stdrsb(n); }, [this, n] { return expect_rsb(n); });
            break;
        }
        case 56: {
            const auto x = real();
            call(
                "rsbdouble", [x] { return rsbdouble(x); },
                [this, x] { return as_real(with_integer(x, [this](std::int32_t n) { return expect_rsb(n); })); });
            break;
        }
        default: {
            const auto x = real();
            call(
                "stdrsbdouble", [x] { return stdrsbdouble(x); },
                [this, x] { return as_real(with_integer(x, [this](std::int32_t n) { return expect_rsb(n); })); });
            break;
        }
    }
    check_state();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // What loading does, less the calibrations: the port table, and a delay of nothing.
    testbus::reset();
    novra3::initinterface();
    novra3::bouclesparus = 0;
    ports_at_start = novra3::tableports;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input input(data, size);
    fuzz::FuzzedCard card(input);
    testbus::reset();
    testbus::attach(&card);
    novra3::valeursortie = 0;
    novra3::etatsorties = 0;
    {
        Checker checker(input, card);
        while (!input.empty()) checker.one_call();
        checker.check_texts_kept();
    }
    testbus::reset();
    return 0;
}
