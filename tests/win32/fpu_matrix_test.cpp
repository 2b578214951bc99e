// The host's x87 settings must not reach the results: every entry point that
// takes or returns a float gives, under other precisions, rounding modes and
// unmasked exceptions, exactly what it gives under the default, raises
// nothing, and leaves the host's control word as it found it.
#include <bit>
#include <cstdio>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "dlls.h"
#include "emulated_card.h"
#include "extended.h"

namespace win32test {
namespace {

struct HostSetting {
    const char* name;
    std::uint16_t control_word;
};

constexpr HostSetting kSettings[] = {
    {"64-bit precision (reference)", 0x037F},
    {"53-bit precision", 0x027F},
    {"24-bit precision", 0x007F},
    {"round toward zero", 0x0F7F},
    {"round down", 0x077F},
    {"round up, 24-bit precision", 0x087F},
    {"invalid operation unmasked", 0x037E},
    {"invalid operation unmasked, 53-bit precision", 0x027E},
    {"invalid, zero divide, overflow unmasked", 0x0372},
};

using Answers = std::vector<std::pair<std::uint16_t, std::uint8_t>>;  // the card's fixed reads

struct MatrixCall {
    const char* entry;
    std::vector<Arg> args;
    ResultKind kind;
    Answers answers;
    bool points_to_double;
};

MatrixCall returning(ResultKind kind, const char* entry, std::vector<Arg> args, Answers answers = {}) {
    return {entry, std::move(args), kind, std::move(answers), false};
}

MatrixCall pointing(const char* entry, std::vector<Arg> args, Answers answers = {}) {
    return {entry, std::move(args), ResultKind::word, std::move(answers), true};
}

constexpr std::uint64_t kQuietNaN = 0x7FF8000000000000u;
constexpr std::uint64_t kSignallingNaN = 0x7FF4000000000000u;
constexpr std::uint64_t kNegativeQuietNaN = 0xFFF8000000000000u;
constexpr std::uint64_t kSmallestSubnormal = 1;
constexpr std::uint32_t kSingleQuietNaN = 0x7FC00000u;
constexpr std::uint32_t kSingleSignallingNaN = 0x7FA00000u;
constexpr std::uint32_t kSingleSubnormal = 1;

std::vector<Arg> special_doubles() {
    std::vector<Arg> args = {real_bits(kQuietNaN), real_bits(kSignallingNaN), real_bits(kNegativeQuietNaN),
                             real_bits(kSmallestSubnormal)};
    for (const double x : {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(), 1e30,
                           -1e30, 1e300, 2147483648.0, 2147483647.5, -2147483648.5, -2147483649.0}) {
        args.push_back(real(x));
    }
    return args;
}

// Channel arguments: halves, near-integers and the specials.
std::vector<Arg> channel_doubles() {
    std::vector<Arg> args = special_doubles();
    for (const double x : {0.0, -0.0, 0.5, 1.5, 2.5, 3.5, -0.5, 0.49999999999999994, 7.4, 15.5, 1e-300}) {
        args.push_back(real(x));
    }
    return args;
}

// Volts: the half-step cases that depend on precision, clamping, and the specials.
std::vector<Arg> volts() {
    std::vector<Arg> args = special_doubles();
    for (const double v : {0.02, 0.06, 0.1, 0.3, 0.5, 2.5, 5.0, 10.2, 10.22, 10.24, -0.04, -0.02, -0.0, 0.01, 0.14}) {
        args.push_back(real(v));
    }
    return args;
}

std::vector<Arg> single_volts() {
    std::vector<Arg> args = {single_bits(kSingleQuietNaN), single_bits(kSingleSignallingNaN),
                             single_bits(kSingleSubnormal)};
    for (const float v : {std::numeric_limits<float>::infinity(), 1e30f, 0.02f, 0.06f, 0.1f, 5.0f, 10.24f, -0.04f}) {
        args.push_back(single(v));
    }
    return args;
}

std::vector<MatrixCall> matrix_calls(const std::vector<double>& pointees) {
    std::vector<MatrixCall> calls;
    for (const int raw : {0, 1, 333, 512, 999, 1023}) {
        const Answers answers = {{0x30D, static_cast<std::uint8_t>(raw >> 8)},
                                 {0x30C, static_cast<std::uint8_t>(raw & 0xFF)}};
        calls.push_back(returning(ResultKind::real, "ead", {integer(1)}, answers));
        calls.push_back(returning(ResultKind::real, "stdead", {integer(2)}, answers));
        calls.push_back(returning(ResultKind::single, "stdeas", {integer(3)}, answers));
        calls.push_back(pointing("pead", {integer(0)}, answers));
        calls.push_back(returning(ResultKind::real, "eadouble", {real(1.0)}, answers));
        calls.push_back(returning(ResultKind::real, "stdeadouble", {real(2.5)}, answers));
    }
    // Each setting of the output is followed by its read-backs.
    const auto read_backs = [&calls] {
        calls.push_back(returning(ResultKind::real, "rsad", {integer(0)}));
        calls.push_back(returning(ResultKind::real, "stdrsad", {integer(0)}));
        calls.push_back(returning(ResultKind::single, "stdrsas", {integer(0)}));
        calls.push_back(returning(ResultKind::real, "rsadouble", {real(0.0)}));
        calls.push_back(returning(ResultKind::real, "stdrsadouble", {real(0.0)}));
    };
    for (const Arg& v : volts()) {
        calls.push_back(returning(ResultKind::real, "sad", {integer(0), v}));
        read_backs();
        calls.push_back(returning(ResultKind::real, "stdsad", {integer(0), v}));
        calls.push_back(returning(ResultKind::real, "sadouble", {real(0.0), v}));
        calls.push_back(returning(ResultKind::real, "stdsadouble", {real(0.0), v}));
    }
    for (const double& v : pointees) {
        calls.push_back(pointing("psad", {integer(0), pointer(&v)}));
        read_backs();
    }
    for (const Arg& v : single_volts()) {
        calls.push_back(returning(ResultKind::single, "stdsas", {integer(0), v}));
        read_backs();
    }
    for (int k = 0; k <= 255; ++k) {
        calls.push_back(returning(ResultKind::word, "sa", {integer(0), integer(k)}));
        read_backs();
    }
    const Answers inputs = {{0x304, 0xA5}, {0x314, 0x3C}, {0x315, 18}};
    for (const Arg& x : channel_doubles()) {
        for (const char* entry : {"eadouble", "stdeadouble", "rsadouble", "stdrsadouble", "ebdouble", "stdebdouble",
                                  "rsbdouble", "stdrsbdouble"}) {
            calls.push_back(returning(ResultKind::real, entry, {x}, inputs));
        }
        for (const char* entry : {"neadouble", "stdneadouble", "nsadouble", "stdnsadouble", "nebdouble", "stdnebdouble",
                                  "nsbdouble", "stdnsbdouble"}) {
            calls.push_back(returning(ResultKind::word, entry, {x}, inputs));
        }
        for (const char* entry : {"sadouble", "stdsadouble", "sbdouble", "stdsbdouble"}) {
            calls.push_back(returning(ResultKind::real, entry, {x, real(1.0)}, inputs));
        }
        for (const char* entry : {"sbdouble", "stdsbdouble"}) {
            calls.push_back(returning(ResultKind::real, entry, {real(1.0), x}, inputs));
        }
    }
    return calls;
}

// What a call gave, compared bit for bit across host settings.
struct Observed {
    std::uint32_t eax = 0;
    Extended st0{};
    std::uint64_t pointee = 0;
    PortTrace trace;

    friend bool operator==(const Observed&, const Observed&) = default;
};

std::string describe(const MatrixCall& c) {
    std::string text = std::string(c.entry) + "(";
    for (std::size_t i = 0; i < c.args.size(); ++i) text += (i ? ", " : "") + to_string(c.args[i]);
    return text + ")";
}

std::string describe(const Observed& o, ResultKind kind, bool points_to_double) {
    if (points_to_double) return describe_double(std::bit_cast<double>(o.pointee)) + "; " + to_string(o.trace);
    if (kind != ResultKind::word) return to_string(o.st0) + "; " + to_string(o.trace);
    char text[16];
    std::snprintf(text, sizeof text, "EAX 0x%08X", static_cast<unsigned>(o.eax));
    return text + std::string("; ") + to_string(o.trace);
}

using FpuMatrix = EachDll;

TEST_P(FpuMatrix, ResultsDoNotDependOnTheHostSettingsAndRaiseNothing) {
    const std::vector<double> pointees = {
        std::bit_cast<double>(kSignallingNaN), std::bit_cast<double>(kQuietNaN), 1e30, 0.02, 0.3, 10.24, -0.04};
    EmulatedCard& card = EmulatedCard::install();
    int failed_calls = 0;
    for (const MatrixCall& c : matrix_calls(pointees)) {
        Observed reference;
        for (const HostSetting& setting : kSettings) {
            SCOPED_TRACE(describe(c) + " in " + dll().name() + " under " + setting.name);
            card.reset();
            card.card_like(0x00);
            for (const auto& [port, value] : c.answers) card.answer(port, value);
            const CallOutcome out = call(dll().address(c.entry), convention_of(c.entry), c.args, setting.control_word);
            Observed seen;
            seen.trace = card.take();
            seen.eax = c.kind == ResultKind::word && !c.points_to_double ? out.eax : 0;
            if (c.kind != ResultKind::word) seen.st0 = out.st0;
            if (c.points_to_double && out.fault == 0 && out.double_pointer() != nullptr) {
                std::memcpy(&seen.pointee, out.double_pointer(), sizeof seen.pointee);
            }
            const bool kept = kept_convention(out, c.kind, setting.control_word);
            EXPECT_TRUE(kept_convention(out, c.kind, setting.control_word));
            EXPECT_EQ(out.status_word & 0x0080, 0)
                << "an unmasked x87 exception is pending: status word 0x" << std::hex << out.status_word;
            if (&setting == &kSettings[0]) {
                reference = seen;
                continue;
            }
            const bool same = seen == reference;
            EXPECT_TRUE(same) << "default: " << describe(reference, c.kind, c.points_to_double)
                              << "\nthis setting: " << describe(seen, c.kind, c.points_to_double);
            if (!kept || !same) ++failed_calls;
        }
        ASSERT_LT(failed_calls, 20) << "stopping after 20 failures";
    }
    const std::vector<double> untouched = {
        std::bit_cast<double>(kSignallingNaN), std::bit_cast<double>(kQuietNaN), 1e30, 0.02, 0.3, 10.24, -0.04};
    EXPECT_EQ(std::memcmp(pointees.data(), untouched.data(), pointees.size() * sizeof(double)), 0)
        << "psad changed a double it read";
}

WIN32TEST_FOR_EACH_DLL(FpuMatrix);

}  // namespace
}  // namespace win32test
