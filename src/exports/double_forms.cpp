// The forms whose every number is a double. Channels (and the logic value of
// sbdouble) are rounded half to even; anything that is not a 32-bit integer
// then is refused, so a garbage double never reaches the card.
#include "exports/arguments.h"

using novra3::bits_of;
using novra3::kErrorDouble;
using novra3::with_integer;

namespace {

double channel_form_ead(std::uint64_t x) {
    return with_integer(x, kErrorDouble, [](int n) { return ead(n); });
}
const char* channel_form_nead(std::uint64_t x) {
    return with_integer(x, "", [](int n) { return nead(n); });
}
const char* channel_form_nsad(std::uint64_t x) {
    return with_integer(x, "", [](int n) { return nsad(n); });
}
double channel_form_rsad(std::uint64_t x) {
    return with_integer(x, kErrorDouble, [](int n) { return rsad(n); });
}
double channel_form_eb(std::uint64_t x) {
    return with_integer(x, kErrorDouble, [](int n) { return static_cast<double>(eb(n)); });
}
const char* channel_form_neb(std::uint64_t x) {
    return with_integer(x, "", [](int n) { return neb(n); });
}
const char* channel_form_nsb(std::uint64_t x) {
    return with_integer(x, "", [](int n) { return nsb(n); });
}
double channel_form_rsb(std::uint64_t x) {
    return with_integer(x, kErrorDouble, [](int n) { return static_cast<double>(rsb(n)); });
}

// The volts go through unchanged, as bits until sad gets them.
double channel_form_sad(std::uint64_t n, std::uint64_t v) {
    return with_integer(n, kErrorDouble, [v](int channel) { return novra3::sad_bits(channel, v); });
}

double channel_form_sb(std::uint64_t n, std::uint64_t v) {
    return with_integer(n, kErrorDouble, [v](int channel) {
        return with_integer(v, kErrorDouble, [channel](int value) { return static_cast<double>(sb(channel, value)); });
    });
}

}  // namespace

extern "C" {

double NOVRA3_REGISTER eadouble(double x) { return channel_form_ead(bits_of(x)); }
const char* NOVRA3_REGISTER neadouble(double x) { return channel_form_nead(bits_of(x)); }
const char* NOVRA3_REGISTER nsadouble(double x) { return channel_form_nsad(bits_of(x)); }
double NOVRA3_REGISTER rsadouble(double x) { return channel_form_rsad(bits_of(x)); }
double NOVRA3_REGISTER ebdouble(double x) { return channel_form_eb(bits_of(x)); }
const char* NOVRA3_REGISTER nebdouble(double x) { return channel_form_neb(bits_of(x)); }
const char* NOVRA3_REGISTER nsbdouble(double x) { return channel_form_nsb(bits_of(x)); }
double NOVRA3_REGISTER rsbdouble(double x) { return channel_form_rsb(bits_of(x)); }

#if NOVRA3_SWAPPED_DOUBLES
// Pushed left to right, the channel lies farther from the return address.
double NOVRA3_REGISTER sadouble(double v, double n) { return channel_form_sad(bits_of(n), bits_of(v)); }
double NOVRA3_REGISTER sbdouble(double v, double n) { return channel_form_sb(bits_of(n), bits_of(v)); }
#else
double NOVRA3_REGISTER sadouble(double n, double v) { return channel_form_sad(bits_of(n), bits_of(v)); }
double NOVRA3_REGISTER sbdouble(double n, double v) { return channel_form_sb(bits_of(n), bits_of(v)); }
#endif

double NOVRA3_STDCALL stdeadouble(double x) { return channel_form_ead(bits_of(x)); }
const char* NOVRA3_STDCALL stdneadouble(double x) { return channel_form_nead(bits_of(x)); }
double NOVRA3_STDCALL stdsadouble(double n, double v) { return channel_form_sad(bits_of(n), bits_of(v)); }
const char* NOVRA3_STDCALL stdnsadouble(double x) { return channel_form_nsad(bits_of(x)); }
double NOVRA3_STDCALL stdrsadouble(double x) { return channel_form_rsad(bits_of(x)); }
double NOVRA3_STDCALL stdebdouble(double x) { return channel_form_eb(bits_of(x)); }
const char* NOVRA3_STDCALL stdnebdouble(double x) { return channel_form_neb(bits_of(x)); }
double NOVRA3_STDCALL stdsbdouble(double n, double v) { return channel_form_sb(bits_of(n), bits_of(v)); }
const char* NOVRA3_STDCALL stdnsbdouble(double x) { return channel_form_nsb(bits_of(x)); }
double NOVRA3_STDCALL stdrsbdouble(double x) { return channel_form_rsb(bits_of(x)); }

}  // extern "C"
