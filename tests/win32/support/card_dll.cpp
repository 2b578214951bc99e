// The emulated card as a DLL of its own, for hosts that link the driver DLL
// at build time: the loader initialises a process's DLLs in import order, so
// a host that imports this one first has the card in place before the
// driver's load writes to it.
#include <windows.h>

#include "card_c_api.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) win32test_card_install();
    return TRUE;
}
