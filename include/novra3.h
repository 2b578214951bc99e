/*
 * novra3.h - the entry points of the NOVRA3 driver libraries (novra3 and
 * novra3_rec), for C and C++ hosts.
 *
 * Texts are NUL-terminated Windows-1252 strings owned by the library; they stay
 * valid until it is unloaded and are never freed by the host. A channel number
 * out of range gives NOVRA3_ERREUR_VOIE (-777, or -777.0) and touches nothing;
 * a name out of range gives "".
 *
 * On 32-bit x86 the base entry points use the register convention: the first
 * three integer or pointer arguments in EAX, EDX and ECX, double arguments on
 * the stack pushed left to right and removed by the callee. The std... entry
 * points use stdcall. GCC and Clang express the register convention as
 * regparm(3) with stdcall. MSVC has no such convention: with it this header
 * declares only the entry points it can call (the std... forms and the two
 * identification texts); the pointer forms pead and psad have no stdcall twin,
 * so such hosts use stdead and stdsad instead.
 *
 * On x86-64 and every other platform both families are plain C functions with
 * the same names, arguments and results.
 */
#ifndef NOVRA3_H
#define NOVRA3_H

#define NOVRA3_ERREUR_VOIE (-777)

#if defined(__i386__) && (defined(__GNUC__) || defined(__clang__))
#define NOVRA3_REGISTER __attribute__((regparm(3), stdcall))
#define NOVRA3_STDCALL __attribute__((stdcall))
#define NOVRA3_HAS_REGISTER_FORMS 1
/* Two doubles pushed left to right arrive in the reverse of stdcall order. */
#define NOVRA3_SWAPPED_DOUBLES 1
#elif defined(_M_IX86)
#define NOVRA3_STDCALL __stdcall
#define NOVRA3_HAS_REGISTER_FORMS 0
#else
#define NOVRA3_REGISTER
#define NOVRA3_STDCALL
#define NOVRA3_HAS_REGISTER_FORMS 1
#define NOVRA3_SWAPPED_DOUBLES 0
#endif

#if defined(NOVRA3_BUILDING) && !defined(_WIN32)
#define NOVRA3_API __attribute__((visibility("default")))
#else
#define NOVRA3_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Identification: the same under both conventions (no arguments). */
NOVRA3_API const char* NOVRA3_STDCALL stdtitre(void);
NOVRA3_API const char* NOVRA3_STDCALL stddetail(void);

/* stdcall forms. */
NOVRA3_API int NOVRA3_STDCALL stdea(int n);
NOVRA3_API const char* NOVRA3_STDCALL stdnea(int n);
NOVRA3_API double NOVRA3_STDCALL stdead(int n);
NOVRA3_API const char* NOVRA3_STDCALL stdnead(int n);
NOVRA3_API int NOVRA3_STDCALL stdsa(int n, int v);
NOVRA3_API const char* NOVRA3_STDCALL stdnsa(int n); /* low 16 bits of n only */
NOVRA3_API double NOVRA3_STDCALL stdsad(int n, double v);
NOVRA3_API const char* NOVRA3_STDCALL stdnsad(int n);
NOVRA3_API int NOVRA3_STDCALL stdeb(int n);
NOVRA3_API const char* NOVRA3_STDCALL stdneb(int n);
NOVRA3_API int NOVRA3_STDCALL stdsb(int n, int v);
NOVRA3_API const char* NOVRA3_STDCALL stdnsb(int n);
NOVRA3_API double NOVRA3_STDCALL stdrsad(int n);
NOVRA3_API int NOVRA3_STDCALL stdrsb(int n);

/* Single-precision stdcall forms of ead, sad and rsad. */
NOVRA3_API float NOVRA3_STDCALL stdeas(int n);
NOVRA3_API float NOVRA3_STDCALL stdsas(int n, float v);
NOVRA3_API float NOVRA3_STDCALL stdrsas(int n);

/* stdcall forms taking every number as a double. */
NOVRA3_API double NOVRA3_STDCALL stdeadouble(double x);
NOVRA3_API const char* NOVRA3_STDCALL stdneadouble(double x);
NOVRA3_API double NOVRA3_STDCALL stdsadouble(double n, double v);
NOVRA3_API const char* NOVRA3_STDCALL stdnsadouble(double x);
NOVRA3_API double NOVRA3_STDCALL stdrsadouble(double x);
NOVRA3_API double NOVRA3_STDCALL stdebdouble(double x);
NOVRA3_API const char* NOVRA3_STDCALL stdnebdouble(double x);
NOVRA3_API double NOVRA3_STDCALL stdsbdouble(double n, double v);
NOVRA3_API const char* NOVRA3_STDCALL stdnsbdouble(double x);
NOVRA3_API double NOVRA3_STDCALL stdrsbdouble(double x);

#if NOVRA3_HAS_REGISTER_FORMS

NOVRA3_API const char* NOVRA3_REGISTER titre(void);
NOVRA3_API const char* NOVRA3_REGISTER detail(void);

/* Analog inputs: raw 0..1023, volts (raw / 1000), names. Channels 0-3; ea and ead
 * convert any channel modulo 8. In novra3_rec, nead names the sensor plugged in. */
NOVRA3_API int NOVRA3_REGISTER ea(int n);
NOVRA3_API const char* NOVRA3_REGISTER nea(int n);
NOVRA3_API double NOVRA3_REGISTER ead(int n);
NOVRA3_API const char* NOVRA3_REGISTER nead(int n);

/* Analog output 0, in steps of 0.04 V saturated to 0..255; the result is what was set. */
NOVRA3_API int NOVRA3_REGISTER sa(int n, int v);
NOVRA3_API const char* NOVRA3_REGISTER nsa(int n); /* low 16 bits of n only */
NOVRA3_API double NOVRA3_REGISTER sad(int n, double v);
NOVRA3_API const char* NOVRA3_REGISTER nsad(int n);
NOVRA3_API int NOVRA3_REGISTER rsa(int n);
NOVRA3_API double NOVRA3_REGISTER rsad(int n);

/* Logic inputs 0-15 and outputs 0-3; sb switches on for v == 1 only and returns n * 100 + v. */
NOVRA3_API int NOVRA3_REGISTER eb(int n);
NOVRA3_API const char* NOVRA3_REGISTER neb(int n);
NOVRA3_API int NOVRA3_REGISTER sb(int n, int v);
NOVRA3_API const char* NOVRA3_REGISTER nsb(int n);
NOVRA3_API int NOVRA3_REGISTER rsb(int n);

/* Results through a pointer to a cell of the calling thread, valid until the
 * same thread calls the same entry point again. */
NOVRA3_API const double* NOVRA3_REGISTER pead(int n);
NOVRA3_API const double* NOVRA3_REGISTER psad(int n, const double* pv);

/* Forms taking every number as a double. */
NOVRA3_API double NOVRA3_REGISTER eadouble(double x);
NOVRA3_API const char* NOVRA3_REGISTER neadouble(double x);
NOVRA3_API const char* NOVRA3_REGISTER nsadouble(double x);
NOVRA3_API double NOVRA3_REGISTER rsadouble(double x);
NOVRA3_API double NOVRA3_REGISTER ebdouble(double x);
NOVRA3_API const char* NOVRA3_REGISTER nebdouble(double x);
NOVRA3_API const char* NOVRA3_REGISTER nsbdouble(double x);
NOVRA3_API double NOVRA3_REGISTER rsbdouble(double x);

#if NOVRA3_SWAPPED_DOUBLES
/* Declared in their stack order; call novra3_sadouble and novra3_sbdouble. */
NOVRA3_API double NOVRA3_REGISTER sadouble(double v, double n);
NOVRA3_API double NOVRA3_REGISTER sbdouble(double v, double n);
#else
NOVRA3_API double NOVRA3_REGISTER sadouble(double n, double v);
NOVRA3_API double NOVRA3_REGISTER sbdouble(double n, double v);
#endif

/* sadouble(n, v) and sbdouble(n, v) in their natural argument order, on every platform. */
static inline double novra3_sadouble(double n, double v) {
#if NOVRA3_SWAPPED_DOUBLES
    return sadouble(v, n);
#else
    return sadouble(n, v);
#endif
}

static inline double novra3_sbdouble(double n, double v) {
#if NOVRA3_SWAPPED_DOUBLES
    return sbdouble(v, n);
#else
    return sbdouble(n, v);
#endif
}

#endif /* NOVRA3_HAS_REGISTER_FORMS */

#ifdef __cplusplus
}
#endif

#endif /* NOVRA3_H */
