// Load, use, unload, three times over: every load starts afresh, no unload
// touches the card, and nothing accumulates in the process.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>  // needs windows.h first

#include <array>
#include <cstdio>

#include "checks.h"
#include "emulated_card.h"
#include "library.h"
#include "setup_writes.h"
#include "thunk.h"

using namespace win32test;

namespace {

struct Cycle {
    HMODULE module = nullptr;
    PortTrace load, use, unload;
    std::int32_t rsa = 0;
    std::array<std::int32_t, 4> rsb{};
    bool still_loaded = false;
    DWORD handles = 0;               // where the system counts them (Wine says 0)
    std::uintptr_t next_handle = 0;  // the slot a new handle gets: the lowest free one
    SIZE_T committed = 0;
    DWORDLONG free_address_space = 0;
};

// Measured after each cycle.
void measure(Cycle& c) {
    GetProcessHandleCount(GetCurrentProcess(), &c.handles);
    const HANDLE probe = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    c.next_handle = reinterpret_cast<std::uintptr_t>(probe);
    CloseHandle(probe);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    c.committed = memory.PagefileUsage;
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    c.free_address_space = status.ullAvailVirtual;
}

std::int32_t call_int(HMODULE module, const char* entry, std::initializer_list<Arg> args) {
    const CallOutcome out =
        call(reinterpret_cast<const void*>(GetProcAddress(module, entry)), convention_of(entry), args);
    EXPECT_TRUE(kept_convention(out, ResultKind::word)) << entry;
    return out.integer();
}

Cycle run_cycle(Flavour flavour) {
    Cycle c;
    EmulatedCard& card = EmulatedCard::install();
    card.reset();
    card.card_like(0x00);
    c.module = LoadLibraryA(dll_path(flavour).c_str());
    c.load = card.take();
    if (c.module == nullptr) return c;
    c.rsa = call_int(c.module, "rsa", {integer(0)});
    for (int n = 0; n < 4; ++n) c.rsb[static_cast<std::size_t>(n)] = call_int(c.module, "rsb", {integer(n)});
    // Leave outputs set, for the next load to forget.
    card.take();
    call_int(c.module, "sa", {integer(0), integer(100)});
    call_int(c.module, "sb", {integer(1), integer(1)});
    call_int(c.module, "stdsb", {integer(3), integer(1)});
    call_int(c.module, "ea", {integer(2)});
    c.use = card.take();
    FreeLibrary(c.module);
    c.unload = card.take();
    c.still_loaded = GetModuleHandleA(dll_path(flavour).c_str()) != nullptr;
    measure(c);
    return c;
}

class LoadUnloadCycles : public ::testing::TestWithParam<Flavour> {};

TEST_P(LoadUnloadCycles, EveryLoadStartsAfreshAndNothingAccumulates) {
    const PortTrace use = {wrote(0x310, 0x64), read(0x311, 0x00),  wrote(0x311, 0x02), read(0x311, 0x02),
                           wrote(0x311, 0x22), wrote(0x309, 0x40), read(0x30D, 0x00),  read(0x30C, 0x00)};
    std::array<Cycle, 3> cycles;
    for (std::size_t i = 0; i < cycles.size(); ++i) {
        SCOPED_TRACE("cycle " + std::to_string(i + 1));
        Cycle& c = cycles[i] = run_cycle(GetParam());
        ASSERT_NE(c.module, nullptr) << "LoadLibrary failed";
        EXPECT_EQ(c.load, kSetUpWrites);
        EXPECT_EQ(c.rsa, 0) << "the analog output value of an earlier load survived";
        EXPECT_EQ(c.rsb, (std::array<std::int32_t, 4>{0, 0, 0, 0})) << "logic outputs of an earlier load survived";
        EXPECT_EQ(c.use, use);
        EXPECT_EQ(c.unload, PortTrace{});
        EXPECT_FALSE(c.still_loaded) << "FreeLibrary left the DLL mapped";
    }
    std::string counts;
    for (const Cycle& c : cycles) {
        char line[128];
        std::snprintf(line, sizeof line, "\n  handles %lu, next handle 0x%X, committed %lu, free address space %llu",
                      c.handles, static_cast<unsigned>(c.next_handle), static_cast<unsigned long>(c.committed),
                      static_cast<unsigned long long>(c.free_address_space));
        counts += line;
    }
    SCOPED_TRACE("after each cycle:" + counts);
    for (std::size_t i = 1; i < cycles.size(); ++i) {
        EXPECT_LE(cycles[i].handles, cycles[i - 1].handles) << "handles leaked";
        EXPECT_LE(cycles[i].next_handle, cycles[i - 1].next_handle) << "handles leaked";
    }
    // The first cycle may settle the heap; from then on nothing grows.
    EXPECT_LE(cycles[2].committed, cycles[1].committed) << "memory leaked";
    EXPECT_GE(cycles[2].free_address_space, cycles[1].free_address_space) << "address space leaked";
}

INSTANTIATE_TEST_SUITE_P(Dlls, LoadUnloadCycles, ::testing::Values(Flavour::plain, Flavour::rec),
                         [](const auto& info) { return info.param == Flavour::plain ? "novra3" : "novra3_rec"; });

}  // namespace
