#include "entry_case.h"

#include <bit>
#include <cstring>
#include <map>
#include <set>

#include "emulated_card.h"

namespace win32test {

namespace {

ResultKind kind_of(const Expect& e) {
    switch (e.kind) {
        case Expect::Kind::real:
            return ResultKind::real;
        case Expect::Kind::single:
            return ResultKind::single;
        default:
            return ResultKind::word;
    }
}

std::string quoted(const char* text) {
    std::string out = "\"";
    for (const char* p = text; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            static const char digits[] = "0123456789ABCDEF";
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    return out + "\"";
}

std::map<Flavour, std::vector<std::string>>& entries_called() {
    static std::map<Flavour, std::vector<std::string>> called;
    return called;
}

}  // namespace

std::string describe(const Case& c) {
    std::string text = std::string(c.entry) + "(";
    for (std::size_t i = 0; i < c.args.size(); ++i) text += (i ? ", " : "") + to_string(c.args[i]);
    return text + ")";
}

::testing::AssertionResult returned(const CallOutcome& out, const Expect& expected) {
    switch (expected.kind) {
        case Expect::Kind::integer:
            if (out.integer() == expected.integer) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure() << "expected " << expected.integer << ", got " << out.integer();
        case Expect::Kind::real:
            return returned_double(out, expected.real);
        case Expect::Kind::single:
            return returned_single(out, expected.single);
        case Expect::Kind::text:
            if (out.text() == nullptr) return ::testing::AssertionFailure() << "expected a text, got NULL";
            if (std::strcmp(out.text(), expected.text) == 0) return ::testing::AssertionSuccess();
            return ::testing::AssertionFailure()
                   << "expected " << quoted(expected.text) << ", got " << quoted(out.text());
        case Expect::Kind::points_to: {
            const double* p = out.double_pointer();
            if (p == nullptr) return ::testing::AssertionFailure() << "expected a pointer, got NULL";
            if (std::bit_cast<std::uint64_t>(*p) == std::bit_cast<std::uint64_t>(expected.real)) {
                return ::testing::AssertionSuccess();
            }
            return ::testing::AssertionFailure() << "expected a pointer to " << describe_double(expected.real)
                                                 << ", it points to " << describe_double(*p);
        }
    }
    return ::testing::AssertionFailure() << "unknown result kind";
}

CallOutcome run(const Library& library, const Case& c, std::uint16_t control_word) {
    SCOPED_TRACE(describe(c) + " in " + library.name());
    entries_called()[library.flavour()].push_back(c.entry);
    EmulatedCard& card = EmulatedCard::install();
    card.reset();
    card.script(c.trace);
    const CallOutcome out = call(library.address(c.entry), convention_of(c.entry), c.args, control_word);
    const PortTrace trace = card.take();
    EXPECT_TRUE(kept_convention(out, kind_of(c.result), control_word));
    EXPECT_TRUE(returned(out, c.result));
    EXPECT_EQ(trace, c.trace) << "port trace";
    return out;
}

void run(const Library& library, std::initializer_list<Case> cases) {
    for (const Case& c : cases) run(library, c);
}

void run(const Library& library, const std::vector<Case>& cases) {
    for (const Case& c : cases) run(library, c);
}

const std::vector<std::string>& called_entries(Flavour flavour) { return entries_called()[flavour]; }

double nearest_quotient(std::int32_t a, std::int32_t b) {
    const std::uint16_t precision53 = 0x027F;
    std::uint16_t saved;
    double q;
    __asm__ volatile(
        "fnstcw %1\n\t"
        "fldcw %2\n\t"
        "fildl %3\n\t"
        "fidivl %4\n\t"
        "fstpl %0\n\t"
        "fldcw %1"
        : "=m"(q), "=m"(saved)
        : "m"(precision53), "m"(a), "m"(b));
    return q;
}

}  // namespace win32test
