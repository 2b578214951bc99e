/* A Windows host of the simulated DLLs, 64-bit above all: the export table
 * holds exactly the 58 entry points under their ordinals, and each family,
 * called through the pointer GetProcAddress gives, answers. The simulated card
 * loops logic outputs 0-3 back to inputs 0-3 and the analog output to analog
 * input 3 (four counts per step).
 *   sim_host <dll> plain|rec */
#include <stdio.h>
#include <string.h>
#include <windows.h>

#include "novra3.h"

static int failures;

static void check_int(const char* what, long long expected, long long got) {
    if (expected == got) return;
    printf("FAIL %s: expected %lld, got %lld\n", what, expected, got);
    ++failures;
}

static void check_double(const char* what, double expected, double got) {
    if (expected == got) return;
    printf("FAIL %s: expected %.17g, got %.17g\n", what, expected, got);
    ++failures;
}

static void check_text(const char* what, const char* expected, const char* got) {
    if (strcmp(expected, got) == 0) return;
    printf("FAIL %s: expected \"%s\", got \"%s\"\n", what, expected, got);
    ++failures;
}

/* By ordinal, from 1. */
static const char* const kExports[58] = {
    "stdrsbdouble", "stdnsbdouble", "stdsbdouble", "stdnebdouble", "stdebdouble", "stdrsadouble", "stdnsadouble",
    "stdsadouble",  "stdneadouble", "stdeadouble", "stdrsas",      "stdsas",      "stdeas",       "stddetail",
    "stdtitre",     "stdrsb",       "stdrsad",     "stdnsb",       "stdsb",       "stdneb",       "stdeb",
    "stdnsad",      "stdsad",       "stdnsa",      "stdsa",        "stdnead",     "stdead",       "stdnea",
    "stdea",        "rsbdouble",    "nsbdouble",   "sbdouble",     "nebdouble",   "ebdouble",     "rsadouble",
    "nsadouble",    "sadouble",     "neadouble",   "eadouble",     "psad",        "pead",         "detail",
    "titre",        "rsb",          "nsb",         "sb",           "neb",         "eb",           "rsad",
    "rsa",          "nsad",         "sad",         "nsa",          "sa",          "nead",         "ead",
    "nea",          "ea",
};

static void check_export_table(HMODULE dll) {
    const BYTE* base = (const BYTE*)dll;
    const IMAGE_NT_HEADERS* nt = (const IMAGE_NT_HEADERS*)(base + ((const IMAGE_DOS_HEADER*)dll)->e_lfanew);
    const IMAGE_DATA_DIRECTORY* dir = &nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    const IMAGE_EXPORT_DIRECTORY* exports = (const IMAGE_EXPORT_DIRECTORY*)(base + dir->VirtualAddress);
    check_int("ordinal base", 1, exports->Base);
    check_int("exported functions", 58, exports->NumberOfFunctions);
    check_int("exported names", 58, exports->NumberOfNames);
    for (int ordinal = 1; ordinal <= 58; ++ordinal) {
        FARPROC by_name = GetProcAddress(dll, kExports[ordinal - 1]);
        FARPROC by_ordinal = GetProcAddress(dll, MAKEINTRESOURCEA(ordinal));
        if (by_name == NULL || by_name != by_ordinal) {
            printf("FAIL export %s: expected at ordinal %d\n", kExports[ordinal - 1], ordinal);
            ++failures;
        }
    }
}

#define BIND(name) __typeof__(&name) p_##name = (__typeof__(&name))(void (*)(void))GetProcAddress(dll, #name)

int main(int argc, char** argv) {
    if (argc != 3) {
        printf("usage: sim_host <dll> plain|rec\n");
        return 2;
    }
    HMODULE dll = LoadLibraryA(argv[1]);
    if (dll == NULL) {
        printf("cannot load %s: error %lu\n", argv[1], GetLastError());
        return 2;
    }
    const int rec = strcmp(argv[2], "rec") == 0;
    check_export_table(dll);

    BIND(titre);
    BIND(stdtitre);
    BIND(stddetail);
    check_text("titre", "NOVRA3 (et NOVRA4 ?)", p_titre());
    check_text("stdtitre", "NOVRA3 (et NOVRA4 ?)", p_stdtitre());
    check_int("detail names the simulated card", 1,
              strstr(p_stddetail(),
                     "(carte simul\xE9"
                     "e)") != NULL);

    BIND(sb);
    BIND(eb);
    BIND(rsb);
    BIND(stdsb);
    BIND(stdeb);
    BIND(sbdouble);
    BIND(stdsbdouble);
    check_int("sb(1, 1)", 101, p_sb(1, 1));
    check_int("eb(1)", 1, p_eb(1));
    check_int("stdsb(1, 0)", 100, p_stdsb(1, 0));
    check_int("stdeb(1)", 0, p_stdeb(1));
#if NOVRA3_SWAPPED_DOUBLES
    check_double("sbdouble(3.0, 1.0)", 301.0, p_sbdouble(1.0, 3.0));
#else
    check_double("sbdouble(3.0, 1.0)", 301.0, p_sbdouble(3.0, 1.0));
#endif
    check_int("rsb(3)", 1, p_rsb(3));
    check_double("stdsbdouble(3.0, 0.0)", 300.0, p_stdsbdouble(3.0, 0.0));
    check_int("eb(3)", 0, p_eb(3));
    check_int("sb(4, 1)", NOVRA3_ERREUR_VOIE, p_sb(4, 1));

    BIND(sa);
    BIND(ea);
    BIND(rsa);
    BIND(stdea);
    BIND(sadouble);
    BIND(stdsadouble);
    BIND(stdsas);
    BIND(pead);
    BIND(psad);
    check_int("sa(0, 300)", 255, p_sa(0, 300));
    check_int("ea(3)", 1020, p_ea(3));
#if NOVRA3_SWAPPED_DOUBLES
    check_double("sadouble(0.0, 1.0)", 1.0, p_sadouble(1.0, 0.0));
#else
    check_double("sadouble(0.0, 1.0)", 1.0, p_sadouble(0.0, 1.0));
#endif
    check_int("rsa(0)", 25, p_rsa(0));
    check_double("stdsadouble(0.0, 2.0)", 2.0, p_stdsadouble(0.0, 2.0));
    check_int("stdea(3)", 200, p_stdea(3));
    check_double("stdsas(0, 5.0f)", 5.0, p_stdsas(0, 5.0f));
    check_double("*pead(3)", 0.5, *p_pead(3));
    const double volts = 4.0;
    check_double("*psad(0, 4.0)", 4.0, *p_psad(0, &volts));
    check_int("stdea(3) after psad", 400, p_stdea(3));

    BIND(nead);
    BIND(stdnead);
    BIND(neb);
    check_text("nead(0)", rec ? "thermom\xE8tre voie0" : "Connecteur A, voie 0", p_nead(0));
    check_text("stdnead(2)", rec ? "pH-m\xE8tre voie0" : "connecteur B, voie 0", p_stdnead(2));
    check_text("neb(15)",
               "entr\xE9"
               "e logique 15",
               p_neb(15));

    printf("%s: %d failed\n", argv[1], failures);
    return failures != 0;
}
