// A measurement program written in C++ against include/novra3.h alone,
// linked to novra3_rec.dll at build time (after the emulated card's DLL, so
// that the card is in place at load), calling entry points of every family
// through the header's prototypes.
#include <cstdio>
#include <cstring>
#include <string>

#include "card_c_api.h"
#include "novra3.h"

namespace {

int failures = 0;

void check(const char* what, bool ok, const std::string& expected, const std::string& got) {
    if (ok) return;
    std::printf("%s: expected %s, got %s\n", what, expected.c_str(), got.c_str());
    ++failures;
}

void check(const char* what, int got, int expected) {
    check(what, got == expected, std::to_string(expected), std::to_string(got));
}

std::string text_of(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

void check(const char* what, double got, double expected) {
    check(what, std::memcmp(&got, &expected, sizeof got) == 0, text_of(expected), text_of(got));
}

void check(const char* what, const char* got, const char* expected) {
    check(what, std::strcmp(got, expected) == 0, std::string("\"") + expected + "\"", std::string("\"") + got + "\"");
}

// The port accesses since the last reset; then a fresh card.
void check_trace(const char* what, const char* expected) {
    char trace[256];
    win32test_card_trace(trace, sizeof trace);
    check(what, std::strcmp(trace, expected) == 0, expected, trace);
    win32test_card_reset();
    win32test_card_echo_writes(0x311, 0x00);
}

}  // namespace

int main() {
    check_trace("load",
                "0x316 > 00, 0x314 > 00, 0x316 > 04, 0x317 > 00, 0x317 > 04, 0x30E > 00, 0x30C > 00, "
                "0x30E > 04, 0x30F > 00, 0x30D > E0, 0x30F > 04, 0x312 > 00, 0x310 > FF, 0x312 > 04, "
                "0x313 > 00, 0x311 > 00, 0x313 > 04");

    // Analog inputs, with the sensor names of the rec build.
    win32test_card_answer(0x30D, 0x01);
    win32test_card_answer(0x30C, 0xF4);
    check("ead(0)", ead(0), 0.5);
    check("stdea(2)", stdea(2), 500);
    check_trace("ead(0), stdea(2)", "0x309 > 00, 0x30D < 01, 0x30C < F4, 0x309 > 40, 0x30D < 01, 0x30C < F4");
    win32test_card_answer(0x314, 18);
    win32test_card_answer(0x315, 200);
    check("nead(1)", nead(1), "thermom\xE8tre voie1");
    check("stdnead(2)", stdnead(2), "200 voie0");
    check("neadouble(0.0)", neadouble(0.0), "thermom\xE8tre voie0");
    check_trace("nead forms", "0x314 < 12, 0x315 < C8, 0x314 < 12");
    check("nea(1)", nea(1), "connecteur A, voie 1");

    // Analog output.
    check("sad(0, 10.24)", sad(0, 10.24), 10.2);
    check("rsa(0)", rsa(0), 255);
    check("stdrsad(0)", stdrsad(0), 10.2);
    check("sa(0, -5)", sa(0, -5), 0);
    check_trace("output", "0x310 > FF, 0x310 > 00");
    check("nsad(1)", nsad(1), "");

    // Logic.
    check("sb(0, 1)", sb(0, 1), 1);
    check("stdsb(1, 1)", stdsb(1, 1), 101);
    check_trace("sb, stdsb", "0x311 < 00, 0x311 > 01, 0x311 < 01, 0x311 > 03");
    check("stdrsb(1)", stdrsb(1), 1);
    check("sb(4, 1)", sb(4, 1), -777);
    check_trace("sb(4, 1)", "(no port access)");
    check("stdneb(0)", stdneb(0),
          "entr\xE9"
          "e logique 0");

    // Identification, double, single and pointer forms.
    check("stdtitre()", stdtitre(), titre());
    check("novra3_sadouble(0.0, 2.5)", novra3_sadouble(0.0, 2.5), 2.5);
    check("stdsas(0, 0.1f)", static_cast<double>(stdsas(0, 0.1f)), static_cast<double>(0.1f));
    check_trace("sadouble, stdsas", "0x310 > 3E, 0x310 > 03");
    check("rsbdouble(0.0)", rsbdouble(0.0), 1.0);
    check("novra3_sbdouble(0.0, 0.0)", novra3_sbdouble(0.0, 0.0), 0.0);
    check("stdeadouble(1e30)", stdeadouble(1e30), -777.0);
    check_trace("double forms", "0x311 < 00, 0x311 > 00");
    const double volts = 5.0;
    check("*psad(0, &5.0)", *psad(0, &volts), 5.0);
    check("*pead(3)", *pead(3), 0.0);
    check_trace("pointer forms", "0x310 > 7D, 0x309 > 60, 0x30D < 00, 0x30C < 00");

    std::printf("%s\n", failures == 0 ? "cpp_host: all checks passed" : "cpp_host: FAILED");
    return failures == 0 ? 0 : 1;
}
