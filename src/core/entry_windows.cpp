// Load on Windows. Detach and thread notifications touch neither the card nor
// the library's state: outputs keep their last state.
#include <windows.h>

#include <csetjmp>
#include <cstring>

#include "core/load.h"

namespace {

#if defined(__i386__)

// A process without port permission gets the privileged-instruction
// exception at the first set-up write. Unless a handler of the host deals
// with it (a port emulator, say), process-attach resumes here and fails.
std::jmp_buf no_permission;
DWORD loading_thread = 0;
ULONG_PTR image_start = 0;
ULONG_PTR image_end = 0;

LONG CALLBACK on_privileged_instruction(EXCEPTION_POINTERS* info) {
    CONTEXT* context = info->ContextRecord;
    if (info->ExceptionRecord->ExceptionCode != EXCEPTION_PRIV_INSTRUCTION) return EXCEPTION_CONTINUE_SEARCH;
    if (GetCurrentThreadId() != loading_thread || context->Eip < image_start || context->Eip >= image_end) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    // Resume as a longjmp would, without running code on top of the dispatcher.
    _JUMP_BUFFER resume;
    std::memcpy(&resume, no_permission, sizeof resume);
    context->Ebp = resume.Ebp;
    context->Ebx = resume.Ebx;
    context->Edi = resume.Edi;
    context->Esi = resume.Esi;
    context->Esp = resume.Esp;
    context->Eip = resume.Eip;
    context->Eax = 1;
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool load(HINSTANCE self) {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(self);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(reinterpret_cast<const BYTE*>(self) + dos->e_lfanew);
    image_start = reinterpret_cast<ULONG_PTR>(self);
    image_end = image_start + nt->OptionalHeader.SizeOfImage;
    loading_thread = GetCurrentThreadId();
    // Last in the list, so that the host's own handlers come first.
    PVOID const handler = AddVectoredExceptionHandler(0, on_privileged_instruction);
    const bool loaded = setjmp(no_permission) == 0 && (novra3::charger(), true);
    RemoveVectoredExceptionHandler(handler);
    return loaded;
}

#else

// Only the 32-bit build reaches the card's ports; the 64-bit one is simulated.
bool load(HINSTANCE) {
    novra3::charger();
    return true;
}

#endif

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) return load(self) ? TRUE : FALSE;
    return TRUE;
}
