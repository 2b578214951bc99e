/* A C11 measurement program linked to a card library as a user links it, seeing
 * only the public header. Reports every mismatch and exits nonzero if there was one. */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "novra3.h"
#include "trap_card.h"

static int failures = 0;

#define CHECK_INT(expected, actual)                                                                       \
    do {                                                                                                  \
        const long long e_ = (expected), a_ = (actual);                                                   \
        if (e_ != a_) {                                                                                   \
            fprintf(stderr, "%s:%d: %s: expected %lld, got %lld\n", __FILE__, __LINE__, #actual, e_, a_); \
            ++failures;                                                                                   \
        }                                                                                                 \
    } while (0)

#define CHECK_DOUBLE(expected, actual)                                                                      \
    do {                                                                                                    \
        const double e_ = (expected), a_ = (actual);                                                        \
        if (e_ != a_) {                                                                                     \
            fprintf(stderr, "%s:%d: %s: expected %.17g, got %.17g\n", __FILE__, __LINE__, #actual, e_, a_); \
            ++failures;                                                                                     \
        }                                                                                                   \
    } while (0)

#define CHECK_TEXT(expected, actual)                                                                          \
    do {                                                                                                      \
        const char *e_ = (expected), *a_ = (actual);                                                          \
        if (strcmp(e_, a_) != 0) {                                                                            \
            fprintf(stderr, "%s:%d: %s: expected \"%s\", got \"%s\"\n", __FILE__, __LINE__, #actual, e_, a_); \
            ++failures;                                                                                       \
        }                                                                                                     \
    } while (0)

/* The access at index i of the trace, as "0x309 > 60". */
static void describe(size_t i, char* text, size_t size) {
    const struct trap_card_access* a = &trap_card_trace()[i];
    snprintf(text, size, "0x%03X %c %02X", a->port, a->kind == TRAP_CARD_WRITE ? '>' : '<', a->value);
}

static void check_trace(const char* call, const char* const* expected, size_t count) {
    char actual[16];
    size_t i;
    for (i = 0; i < count || i < trap_card_trace_size(); ++i) {
        if (i < trap_card_trace_size()) describe(i, actual, sizeof actual);
        const char* want = i < count ? expected[i] : "(nothing)";
        const char* got = i < trap_card_trace_size() ? actual : "(nothing)";
        if (strcmp(want, got) != 0) {
            fprintf(stderr, "%s: access %zu: expected %s, got %s\n", call, i, want, got);
            ++failures;
        }
    }
    trap_card_clear_trace();
}

int main(void) {
    /* The library's constructor ran before main, under the handler from .preinit_array. */
    CHECK_INT(17, trap_card_trace_size());
    {
        size_t i;
        for (i = 0; i < trap_card_trace_size(); ++i) CHECK_INT(TRAP_CARD_WRITE, trap_card_trace()[i].kind);
    }
    trap_card_reset();

    /* Analog inputs. */
    trap_card_set_read(0x30D, 0x02);
    trap_card_set_read(0x30C, 0x00);
    trap_card_set_read(0x314, 18);
    CHECK_INT(512, ea(1));
    {
        static const char* const conversion[] = {"0x309 > 20", "0x30D < 02", "0x30C < 00"};
        check_trace("ea(1)", conversion, 3);
    }
    CHECK_DOUBLE(0.512, ead(3));
    CHECK_DOUBLE(0.512, stdead(3));
    CHECK_DOUBLE(0.512, *pead(0));
    CHECK_TEXT("Connecteur A, voie 0", nea(0));
#if HOST_EXPECTS_SENSORS
    CHECK_TEXT("thermom\xE8tre voie1", nead(1));
#else
    CHECK_TEXT("connecteur A, voie 1", nead(1));
#endif
    trap_card_clear_trace();

    /* Analog output, the two-double form in its natural order included. */
    CHECK_INT(255, sa(0, 300));
    CHECK_DOUBLE(2.5, sad(0, 2.5));
    CHECK_INT(62, rsa(0));
    CHECK_DOUBLE(5.0, novra3_sadouble(0.0, 5.0));
    CHECK_INT(125, rsa(0));
    CHECK_DOUBLE(-777.0, novra3_sadouble(1.0, 5.0));
    CHECK_DOUBLE(10.2, stdsadouble(0.0, 10.24));
    CHECK_DOUBLE(10.2, rsad(0));
    {
        static const char* const writes[] = {"0x310 > FF", "0x310 > 3E", "0x310 > 7D", "0x310 > FF"};
        check_trace("analog output", writes, 4);
    }

    /* Logic inputs and outputs. */
    trap_card_set_card_mode(1);
    trap_card_set_read(0x304, 0x05);
    CHECK_INT(1, eb(2));
    CHECK_INT(101, sb(1, 1));
    CHECK_DOUBLE(201.0, novra3_sbdouble(2.0, 1.0));
    CHECK_DOUBLE(-777.0, novra3_sbdouble(1e30, 1.0));
    CHECK_INT(1, rsb(2));
    CHECK_INT(0, stdrsb(0));
    CHECK_TEXT(
        "entr\xE9"
        "e logique 0",
        neb(0));
    {
        static const char* const accesses[] = {"0x304 < 05", "0x311 < 00", "0x311 > 02", "0x311 < 02", "0x311 > 12"};
        check_trace("logic", accesses, 5);
    }

    /* Identification, single and double forms. */
    CHECK_TEXT(titre(), stdtitre());
    CHECK_TEXT("NOVRA3 (et NOVRA4 ?)", titre());
    CHECK_TEXT(detail(), stddetail());
    CHECK_DOUBLE(5.0f, stdsas(0, 5.0f));
    CHECK_DOUBLE(0.512f, stdeas(0));
    CHECK_DOUBLE(-777.0, eadouble(NAN));
    CHECK_TEXT("", nsbdouble(8.0));
    {
        static const char* const accesses[] = {"0x310 > 7D", "0x309 > 00", "0x30D < 02", "0x30C < 00"};
        check_trace("single and double forms", accesses, 4);
    }

    if (failures == 0) printf("all checks passed\n");
    return failures == 0 ? 0 : 1;
}
