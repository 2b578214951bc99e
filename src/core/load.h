// What loading the library does, in order, before any entry point may run.
#pragma once

namespace novra3 {

// Clock calibration (about one second), card set-up, delay calibration.
void charger();

}  // namespace novra3
