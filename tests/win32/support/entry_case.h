// One call of an entry point as a row of a table: arguments, expected result
// and the exact port trace. The reads in the trace are also what the card
// answers, so a row scripts the card and checks it at once.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "checks.h"
#include "library.h"
#include "port_trace.h"
#include "thunk.h"

namespace win32test {

struct Expect {
    enum class Kind { integer, real, single, text, points_to };
    Kind kind;
    std::int32_t integer = 0;
    double real = 0;  // also the double a points_to result points to
    float single = 0;
    const char* text = nullptr;
};

inline Expect Int(std::int32_t v) { return {Expect::Kind::integer, v}; }
inline Expect Dbl(double v) { return {Expect::Kind::real, 0, v}; }
inline Expect Sgl(float v) { return {Expect::Kind::single, 0, 0, v}; }
inline Expect Txt(const char* v) { return {Expect::Kind::text, 0, 0, 0, v}; }
inline Expect PointsTo(double v) { return {Expect::Kind::points_to, 0, v}; }

struct Case {
    const char* entry;
    std::vector<Arg> args;
    Expect result;
    PortTrace trace;  // every access, in order; reads carry what the card answers
};

// "sad(0, 10.24)"
std::string describe(const Case& c);

// Runs the case under its convention (by the entry's name) and checks it all.
CallOutcome run(const Library& library, const Case& c, std::uint16_t control_word = kDefaultControlWord);
void run(const Library& library, std::initializer_list<Case> cases);
void run(const Library& library, const std::vector<Case>& cases);

// Checks only the result of a finished call.
::testing::AssertionResult returned(const CallOutcome& out, const Expect& expected);

// Entry points called so far, per DLL: the tables must reach all 58.
const std::vector<std::string>& called_entries(Flavour flavour);

// The double nearest to a / b, worked out with the x87 unit at 53-bit precision.
double nearest_quotient(std::int32_t a, std::int32_t b);

}  // namespace win32test
