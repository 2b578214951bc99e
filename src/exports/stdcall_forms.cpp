// stdcall twins of the base entry points, and the single-precision forms.
#include "exports/arguments.h"

using novra3::as_single;

extern "C" {

int NOVRA3_STDCALL stdea(int n) { return ea(n); }
const char* NOVRA3_STDCALL stdnea(int n) { return nea(n); }
double NOVRA3_STDCALL stdead(int n) { return ead(n); }
const char* NOVRA3_STDCALL stdnead(int n) { return nead(n); }
int NOVRA3_STDCALL stdsa(int n, int v) { return sa(n, v); }
const char* NOVRA3_STDCALL stdnsa(int n) { return nsa(n); }
double NOVRA3_STDCALL stdsad(int n, double v) { return novra3::sad_bits(n, novra3::bits_of(v)); }
const char* NOVRA3_STDCALL stdnsad(int n) { return nsad(n); }
int NOVRA3_STDCALL stdeb(int n) { return eb(n); }
const char* NOVRA3_STDCALL stdneb(int n) { return neb(n); }
int NOVRA3_STDCALL stdsb(int n, int v) { return sb(n, v); }
const char* NOVRA3_STDCALL stdnsb(int n) { return nsb(n); }
double NOVRA3_STDCALL stdrsad(int n) { return rsad(n); }
int NOVRA3_STDCALL stdrsb(int n) { return rsb(n); }

float NOVRA3_STDCALL stdeas(int n) { return as_single(ead(n)); }
float NOVRA3_STDCALL stdsas(int n, float v) { return as_single(novra3::sad_bits(n, novra3::widen(v))); }
float NOVRA3_STDCALL stdrsas(int n) { return as_single(rsad(n)); }

}  // extern "C"
