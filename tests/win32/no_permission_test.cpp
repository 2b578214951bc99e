// A host without port permission and without an emulator: the first set-up
// write raises the privileged-instruction exception, nothing handles it, and
// the load must fail cleanly instead of ending the host.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "library.h"

using namespace win32test;

namespace {

// Sees every privileged instruction first and handles none: what each
// attempted access was, in order.
struct Attempt {
    std::uint8_t opcode;
    std::uint16_t port;
    std::uint8_t al;
};
std::vector<Attempt> attempts;

LONG CALLBACK observe(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_PRIV_INSTRUCTION &&
        info->ExceptionRecord->ExceptionAddress == reinterpret_cast<PVOID>(info->ContextRecord->Eip)) {
        const auto* code = reinterpret_cast<const std::uint8_t*>(info->ContextRecord->Eip);
        attempts.push_back({code[0], static_cast<std::uint16_t>(info->ContextRecord->Edx),
                            static_cast<std::uint8_t>(info->ContextRecord->Eax)});
    }
    return EXCEPTION_CONTINUE_SEARCH;
}

// Last in the list: takes the exception the host raises itself.
bool raised_by_host = false;
LONG CALLBACK take_own_exception(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode != EXCEPTION_PRIV_INSTRUCTION || !raised_by_host) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    raised_by_host = false;
    return EXCEPTION_CONTINUE_EXECUTION;
}

class NoPortPermission : public ::testing::TestWithParam<Flavour> {};

TEST_P(NoPortPermission, LoadFailsCleanlyAfterOneAttemptedWrite) {
    attempts.clear();
    SetLastError(0);
    const HMODULE module = LoadLibraryA(dll_path(GetParam()).c_str());
    const DWORD error = GetLastError();
    EXPECT_EQ(module, nullptr);
    EXPECT_EQ(error, static_cast<DWORD>(ERROR_DLL_INIT_FAILED));
    EXPECT_EQ(GetModuleHandleA(dll_path(GetParam()).c_str()), nullptr) << "left loaded";
    // The first set-up write, OUT of 0x00 to 0x316, and nothing after it.
    ASSERT_EQ(attempts.size(), 1u);
    EXPECT_EQ(attempts[0].opcode, 0xEE);
    EXPECT_EQ(attempts[0].port, 0x316);
    EXPECT_EQ(attempts[0].al, 0x00);
    if (module != nullptr) FreeLibrary(module);

    // The DLL's handler left with it: an exception of the same kind raised
    // now reaches the host's own last handler (a stale one would run unmapped code).
    PVOID const handler = AddVectoredExceptionHandler(0, take_own_exception);
    raised_by_host = true;
    RaiseException(EXCEPTION_PRIV_INSTRUCTION, 0, 0, nullptr);
    EXPECT_FALSE(raised_by_host) << "the host's handler never saw its own exception";
    RemoveVectoredExceptionHandler(handler);
}

INSTANTIATE_TEST_SUITE_P(Dlls, NoPortPermission, ::testing::Values(Flavour::plain, Flavour::rec),
                         [](const auto& info) { return info.param == Flavour::plain ? "novra3" : "novra3_rec"; });

}  // namespace

int main(int argc, char** argv) {
    AddVectoredExceptionHandler(1, observe);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
