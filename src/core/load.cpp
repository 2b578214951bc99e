#include "core/load.h"

#include "core/chrono.h"
#include "core/delay.h"
#include "core/interface.h"

namespace novra3 {

void charger() {
    calibrer_uchrono();
    initinterface();
    calibrer_delai();  // needs the clock calibrated first
}

}  // namespace novra3
