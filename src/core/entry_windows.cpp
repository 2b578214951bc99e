// Load on Windows. Detach and thread notifications touch neither the card nor
// the library's state: outputs keep their last state.
#include <windows.h>

#include "core/load.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) novra3::charger();
    return TRUE;
}
