// Every entry point of both DLLs under its ordinal: the table hosts link by.
#pragma once

#include <array>
#include <cstdint>

namespace win32test {

struct ExpectedExport {
    const char* name;
    std::uint32_t ordinal;
};

inline constexpr std::array<ExpectedExport, 58> kExports{{
    {"stdrsbdouble", 1}, {"stdnsbdouble", 2}, {"stdsbdouble", 3}, {"stdnebdouble", 4}, {"stdebdouble", 5},
    {"stdrsadouble", 6}, {"stdnsadouble", 7}, {"stdsadouble", 8}, {"stdneadouble", 9}, {"stdeadouble", 10},
    {"stdrsas", 11},     {"stdsas", 12},      {"stdeas", 13},     {"stddetail", 14},   {"stdtitre", 15},
    {"stdrsb", 16},      {"stdrsad", 17},     {"stdnsb", 18},     {"stdsb", 19},       {"stdneb", 20},
    {"stdeb", 21},       {"stdnsad", 22},     {"stdsad", 23},     {"stdnsa", 24},      {"stdsa", 25},
    {"stdnead", 26},     {"stdead", 27},      {"stdnea", 28},     {"stdea", 29},       {"rsbdouble", 30},
    {"nsbdouble", 31},   {"sbdouble", 32},    {"nebdouble", 33},  {"ebdouble", 34},    {"rsadouble", 35},
    {"nsadouble", 36},   {"sadouble", 37},    {"neadouble", 38},  {"eadouble", 39},    {"psad", 40},
    {"pead", 41},        {"detail", 42},      {"titre", 43},      {"rsb", 44},         {"nsb", 45},
    {"sb", 46},          {"neb", 47},         {"eb", 48},         {"rsad", 49},        {"rsa", 50},
    {"nsad", 51},        {"sad", 52},         {"nsa", 53},        {"sa", 54},          {"nead", 55},
    {"ead", 56},         {"nea", 57},         {"ea", 58},
}};

}  // namespace win32test
