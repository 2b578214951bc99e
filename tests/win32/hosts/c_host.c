/* A measurement program written in C against include/novra3.h alone, linked
 * to novra3.dll at build time. Port access must be in place before the DLL's
 * load writes to the card: here the emulated card's DLL, imported first. It
 * calls entry points of every family through the header's prototypes. */
#include <stdio.h>
#include <string.h>

#include "card_c_api.h"
#include "novra3.h"

static int failures = 0;

static void check_int(const char* what, long got, long expected) {
    if (got != expected) {
        printf("%s: expected %ld, got %ld\n", what, expected, got);
        ++failures;
    }
}

static void check_double(const char* what, double got, double expected) {
    if (memcmp(&got, &expected, sizeof got) != 0) {
        printf("%s: expected %.17g, got %.17g\n", what, expected, got);
        ++failures;
    }
}

static void check_text(const char* what, const char* got, const char* expected) {
    if (strcmp(got, expected) != 0) {
        printf("%s: expected \"%s\", got \"%s\"\n", what, expected, got);
        ++failures;
    }
}

/* Checks the port accesses since the last reset, then resets the card. */
static void check_trace(const char* what, const char* expected) {
    char trace[256];
    win32test_card_trace(trace, sizeof trace);
    if (strcmp(trace, expected) != 0) {
        printf("%s: expected the accesses %s, got %s\n", what, expected, trace);
        ++failures;
    }
    win32test_card_reset();
    win32test_card_echo_writes(0x311, 0x00);
}

int main(void) {
    check_trace("load",
                "0x316 > 00, 0x314 > 00, 0x316 > 04, 0x317 > 00, 0x317 > 04, 0x30E > 00, 0x30C > 00, "
                "0x30E > 04, 0x30F > 00, 0x30D > E0, 0x30F > 04, 0x312 > 00, 0x310 > FF, 0x312 > 04, "
                "0x313 > 00, 0x311 > 00, 0x313 > 04");

    /* Analog inputs. */
    win32test_card_answer(0x30D, 0x03);
    win32test_card_answer(0x30C, 0xFF);
    check_int("ea(1)", ea(1), 1023);
    check_trace("ea(1)", "0x309 > 20, 0x30D < 03, 0x30C < FF");
    win32test_card_answer(0x30D, 0x02);
    check_double("ead(3)", ead(3), 0.512);
    check_trace("ead(3)", "0x309 > 60, 0x30D < 02, 0x30C < 00");
    check_text("nea(0)", nea(0), "Connecteur A, voie 0");
    check_text("nead(2)", nead(2), "connecteur B, voie 0");
    check_trace("names", "(no port access)");

    /* Analog output. */
    check_int("sa(0, 300)", sa(0, 300), 255);
    check_trace("sa(0, 300)", "0x310 > FF");
    check_double("sad(0, 2.5)", sad(0, 2.5), 2.5);
    check_trace("sad(0, 2.5)", "0x310 > 3E");
    check_int("rsa(0)", rsa(0), 62);
    check_double("rsad(0)", rsad(0), 2.48);
    check_text("nsa(65536)", nsa(65536), "sortie analogique 0");
    check_text("nsad(0)", nsad(0), "sortie 0 (volts)");

    /* Logic inputs and outputs. */
    win32test_card_answer(0x304, 0x05);
    check_int("eb(2)", eb(2), 1);
    check_int("sb(2, 1)", sb(2, 1), 201);
    check_trace("eb(2), sb(2, 1)", "0x304 < 05, 0x311 < 00, 0x311 > 10");
    check_int("rsb(2)", rsb(2), 1);
    check_text("neb(15)", neb(15),
               "entr\xE9"
               "e logique 15");
    check_text("nsb(7)", nsb(7), "sortie logique 7");

    /* Identification. */
    check_text("titre()", titre(), "NOVRA3 (et NOVRA4 ?)");
    check_text("stddetail()", stddetail(), detail());

    /* stdcall and single forms. */
    check_int("stdsa(0, 25)", stdsa(0, 25), 25);
    check_double("stdsad(0, 5.0)", stdsad(0, 5.0), 5.0);
    check_double("stdsas(0, 5.0f)", stdsas(0, 5.0f), 5.0);
    check_trace("stdsa, stdsad, stdsas", "0x310 > 19, 0x310 > 7D, 0x310 > 7D");
    check_double("stdrsas(0)", stdrsas(0), 5.0);
    check_text("stdnsa(65536)", stdnsa(65536), "sortie analogique 0");

    /* double forms, the two-double ones in their natural order. */
    win32test_card_answer(0x30D, 0x02);
    check_double("eadouble(2.5)", eadouble(2.5), 0.512);
    check_trace("eadouble(2.5)", "0x309 > 40, 0x30D < 02, 0x30C < 00");
    check_double("novra3_sadouble(0.0, 10.24)", novra3_sadouble(0.0, 10.24), 10.2);
    check_double("stdsadouble(0.0, 0.1)", stdsadouble(0.0, 0.1), 0.1);
    check_trace("sadouble forms", "0x310 > FF, 0x310 > 03");
    check_double("novra3_sbdouble(1.0, 1.0)", novra3_sbdouble(1.0, 1.0), 101.0);
    check_double("stdsbdouble(3.0, 1.0)", stdsbdouble(3.0, 1.0), 301.0);
    check_trace("sbdouble forms", "0x311 < 00, 0x311 > 02, 0x311 < 02, 0x311 > 22");
    check_double("novra3_sbdouble(1e30, 1.0)", novra3_sbdouble(1e30, 1.0), -777.0);
    check_double("ebdouble(16.0)", ebdouble(16.0), -777.0);
    check_text("nsbdouble(8.0)", nsbdouble(8.0), "");
    check_trace("refused double forms", "(no port access)");

    /* Pointer forms. */
    {
        const double volts = 0.3;
        const double* p = psad(0, &volts);
        check_double("*psad(0, &0.3)", *p, 0.3);
        check_double("volts after psad", volts, 0.3);
        check_trace("psad", "0x310 > 07");
        win32test_card_answer(0x30C, 0x01);
        p = pead(0);
        check_double("*pead(0)", *p, 0.001);
    }

    printf("%s\n", failures == 0 ? "c_host: all checks passed" : "c_host: FAILED");
    return failures == 0 ? 0 : 1;
}
