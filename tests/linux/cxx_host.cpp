// A C++11 measurement program linked to a card library as a user links it,
// seeing only the public header.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "novra3.h"
#include "trap_card.h"

namespace {

int failures = 0;

std::string shown(const std::string& text) { return '"' + text + '"'; }
std::string shown(const char* text) { return shown(std::string(text)); }
std::string shown(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}
std::string shown(int x) { return std::to_string(x); }

template <typename T, typename U>
void check(const T& expected, const U& actual, const char* call, int line) {
    if (!(expected == actual)) {
        std::fprintf(stderr, "%s:%d: %s: expected %s, got %s\n", __FILE__, line, call, shown(expected).c_str(),
                     shown(actual).c_str());
        ++failures;
    }
}
#define CHECK(expected, actual) check(expected, actual, #actual, __LINE__)

std::string trace() {
    std::string text;
    for (std::size_t i = 0; i < trap_card_trace_size(); ++i) {
        const trap_card_access& a = trap_card_trace()[i];
        char access[16];
        std::snprintf(access, sizeof access, "0x%03X %c %02X", a.port, a.kind == TRAP_CARD_WRITE ? '>' : '<', a.value);
        text += text.empty() ? access : std::string(", ") + access;
    }
    trap_card_clear_trace();
    return text;
}

}  // namespace

int main() {
    // Written by the library's constructor, before main, under the handler from .preinit_array.
    CHECK(std::string("0x316 > 00, 0x314 > 00, 0x316 > 04, 0x317 > 00, 0x317 > 04, 0x30E > 00, 0x30C > 00, "
                      "0x30E > 04, 0x30F > 00, 0x30D > E0, 0x30F > 04, 0x312 > 00, 0x310 > FF, 0x312 > 04, "
                      "0x313 > 00, 0x311 > 00, 0x313 > 04"),
          trace());
    trap_card_reset();

    // Analog inputs through the stdcall and double forms.
    trap_card_set_read(0x30D, 0xFF);
    trap_card_set_read(0x30C, 0xFF);
    trap_card_set_read(0x315, 31);
    CHECK(1023, stdea(2));
    CHECK(1.023, eadouble(3.5));
    CHECK(std::string("0x309 > 40, 0x30D < FF, 0x30C < FF, 0x309 > 80, 0x30D < FF, 0x30C < FF"), trace());
    CHECK(std::string("connecteur B, voie 0"), stdnea(2));
#if HOST_EXPECTS_SENSORS
    CHECK(std::string("aucun voie1"), stdnead(3));
    CHECK(std::string("0x315 < 1F"), trace());
#else
    CHECK(std::string("connecteur B, voie 1"), stdnead(3));
    CHECK(std::string(""), trace());
#endif

    // Analog output: saturated, refused without access, read back from memory.
    CHECK(0.0, stdsad(0, -0.04));
    CHECK(-777.0, sad(0, std::numeric_limits<double>::quiet_NaN()));
    CHECK(7.5, novra3_sadouble(0.0, 7.5));  // 187.5 steps: halves go to even
    const double volts = 7.56;
    CHECK(7.56, *psad(0, &volts));
    CHECK(189, rsa(0));
    CHECK(7.56, stdrsadouble(0.0));
    CHECK(std::string("sortie analogique 0"), nsa(65536));
    CHECK(std::string("0x310 > 00, 0x310 > BC, 0x310 > BD"), trace());

    // Logic outputs against a latch that reads back.
    trap_card_set_card_mode(1);
    trap_card_set_read(0x311, 0xC0);
    CHECK(301, stdsb(3, 1));
    CHECK(1.0, novra3_sbdouble(0.0, 1.0));
    CHECK(300.0, novra3_sbdouble(3.0, 0.0));
    CHECK(-777, sb(4, 1));
    CHECK(0, rsb(3));
    CHECK(1.0, rsbdouble(0.0));
    CHECK(std::string("sortie logique 3"), nsb(3));
    CHECK(std::string("0x311 < C0, 0x311 > E0, 0x311 < E0, 0x311 > E1, 0x311 < E1, 0x311 > C1"), trace());

    // Identification and single precision.
    CHECK(std::string(detail()), stddetail());
    CHECK(0.12f, stdsas(0, 0.12f));
    CHECK(0.12f, stdrsas(0));
    CHECK(std::string("0x310 > 03"), trace());

    if (failures == 0) std::printf("all checks passed\n");
    return failures == 0 ? 0 : 1;
}
