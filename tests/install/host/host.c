/* A host built against an installed tree, as a user builds one, run on the
 * simulated card: logic outputs 0-3 loop back to logic inputs 0-3 and the
 * analog output to analog input 3 (four counts per step). */
#include <novra3.h>
#include <stdio.h>
#include <string.h>

static int failures;

static void check_int(const char* what, int expected, int got) {
    if (expected == got) return;
    printf("FAIL %s: expected %d, got %d\n", what, expected, got);
    ++failures;
}

static void check_text(const char* what, const char* expected, const char* got) {
    if (strcmp(expected, got) == 0) return;
    printf("FAIL %s: expected \"%s\", got \"%s\"\n", what, expected, got);
    ++failures;
}

int main(void) {
    check_text("stdtitre", "NOVRA3 (et NOVRA4 ?)", stdtitre());
    check_int("detail names the simulated card", 1,
              strstr(stddetail(),
                     "(carte simul\xE9"
                     "e)") != NULL);

    check_int("stdsb(1, 1)", 101, stdsb(1, 1));
    check_int("stdeb(1) after stdsb(1, 1)", 1, stdeb(1));
    check_int("stdsa(0, 100)", 100, stdsa(0, 100));
    check_int("stdea(3) after stdsa(0, 100)", 400, stdea(3));
    check_int("stdsbdouble(2.0, 1.0)", 201, (int)stdsbdouble(2.0, 1.0));
#if NOVRA3_HAS_REGISTER_FORMS
    check_int("sb(3, 1)", 301, sb(3, 1));
    check_int("eb(3) after sb(3, 1)", 1, eb(3));
    check_int("novra3_sadouble(0.0, 2.0)", 2, (int)novra3_sadouble(0.0, 2.0));
    check_int("rsa(0) after novra3_sadouble(0.0, 2.0)", 50, rsa(0));
    check_int("*pead(3)", 200, (int)(*pead(3) * 1000 + 0.5));
#endif

#ifdef HOST_REC
    check_text("stdnead(0)",
               "thermom\xE8"
               "tre voie0",
               stdnead(0));
#else
    check_text("stdnead(0)", "Connecteur A, voie 0", stdnead(0));
#endif

    printf("%s: %d failed\n", HOST_NAME, failures);
    return failures != 0;
}
