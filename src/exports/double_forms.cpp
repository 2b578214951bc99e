// The forms whose every number is a double. Channels (and the logic value of
// sbdouble) are rounded half to even; anything that is not a 32-bit integer
// then is refused, so a garbage double never reaches the card.
#include "exports/arguments.h"

using novra3::kErrorDouble;
using novra3::with_integer;

namespace {

double channel_form_ead(double x) {
    return with_integer(x, kErrorDouble, [](int n) { return ead(n); });
}
const char* channel_form_nead(double x) {
    return with_integer(x, "", [](int n) { return nead(n); });
}
const char* channel_form_nsad(double x) {
    return with_integer(x, "", [](int n) { return nsad(n); });
}
double channel_form_rsad(double x) {
    return with_integer(x, kErrorDouble, [](int n) { return rsad(n); });
}
double channel_form_eb(double x) {
    return with_integer(x, kErrorDouble, [](int n) { return static_cast<double>(eb(n)); });
}
const char* channel_form_neb(double x) {
    return with_integer(x, "", [](int n) { return neb(n); });
}
const char* channel_form_nsb(double x) {
    return with_integer(x, "", [](int n) { return nsb(n); });
}
double channel_form_rsb(double x) {
    return with_integer(x, kErrorDouble, [](int n) { return static_cast<double>(rsb(n)); });
}

// The volts go through unchanged.
double channel_form_sad(double n, double v) {
    return with_integer(n, kErrorDouble, [v](int channel) { return sad(channel, v); });
}

double channel_form_sb(double n, double v) {
    return with_integer(n, kErrorDouble, [v](int channel) {
        return with_integer(v, kErrorDouble, [channel](int value) { return static_cast<double>(sb(channel, value)); });
    });
}

}  // namespace

extern "C" {

double NOVRA3_REGISTER eadouble(double x) { return channel_form_ead(x); }
const char* NOVRA3_REGISTER neadouble(double x) { return channel_form_nead(x); }
const char* NOVRA3_REGISTER nsadouble(double x) { return channel_form_nsad(x); }
double NOVRA3_REGISTER rsadouble(double x) { return channel_form_rsad(x); }
double NOVRA3_REGISTER ebdouble(double x) { return channel_form_eb(x); }
const char* NOVRA3_REGISTER nebdouble(double x) { return channel_form_neb(x); }
const char* NOVRA3_REGISTER nsbdouble(double x) { return channel_form_nsb(x); }
double NOVRA3_REGISTER rsbdouble(double x) { return channel_form_rsb(x); }

#if NOVRA3_SWAPPED_DOUBLES
// Pushed left to right, the channel lies farther from the return address.
double NOVRA3_REGISTER sadouble(double v, double n) { return channel_form_sad(n, v); }
double NOVRA3_REGISTER sbdouble(double v, double n) { return channel_form_sb(n, v); }
#else
double NOVRA3_REGISTER sadouble(double n, double v) { return channel_form_sad(n, v); }
double NOVRA3_REGISTER sbdouble(double n, double v) { return channel_form_sb(n, v); }
#endif

double NOVRA3_STDCALL stdeadouble(double x) { return channel_form_ead(x); }
const char* NOVRA3_STDCALL stdneadouble(double x) { return channel_form_nead(x); }
double NOVRA3_STDCALL stdsadouble(double n, double v) { return channel_form_sad(n, v); }
const char* NOVRA3_STDCALL stdnsadouble(double x) { return channel_form_nsad(x); }
double NOVRA3_STDCALL stdrsadouble(double x) { return channel_form_rsad(x); }
double NOVRA3_STDCALL stdebdouble(double x) { return channel_form_eb(x); }
const char* NOVRA3_STDCALL stdnebdouble(double x) { return channel_form_neb(x); }
double NOVRA3_STDCALL stdsbdouble(double n, double v) { return channel_form_sb(n, v); }
const char* NOVRA3_STDCALL stdnsbdouble(double x) { return channel_form_nsb(x); }
double NOVRA3_STDCALL stdrsbdouble(double x) { return channel_form_rsb(x); }

}  // extern "C"
