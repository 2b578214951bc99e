#include "novra3.h"

namespace {

constexpr const char kTitre[] = "NOVRA3 (et NOVRA4 ?)";

// The simulated flavour says so wherever a host shows the card's description.
constexpr const char kDetail[] =
    "Interface Mirvane NOVRA3 : 4 entr\xE9"
    "es analogiques (connecteurs A et B), 1 sortie analogique, "
    "16 entr\xE9"
    "es logiques, 4 sorties logiques"
#if NOVRA3_PORTS_SIM
    " (carte simul\xE9"
    "e)"
#endif
    ;

}  // namespace

extern "C" {

const char* NOVRA3_REGISTER titre() { return kTitre; }
const char* NOVRA3_REGISTER detail() { return kDetail; }
const char* NOVRA3_STDCALL stdtitre() { return kTitre; }
const char* NOVRA3_STDCALL stddetail() { return kDetail; }

}  // extern "C"
