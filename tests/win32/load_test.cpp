// Loading and unloading each DLL as a host does: the set-up writes, the time
// the calibrations take, and the export table in the loaded image.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <set>
#include <string>

#include "emulated_card.h"
#include "export_names.h"
#include "library.h"
#include "setup_writes.h"

using namespace win32test;

namespace {

// Each DLL is loaded once for the whole program; the load is what is tested.
struct Load {
    HMODULE module = nullptr;
    DWORD error = 0;
    PortTrace trace;
    double seconds = 0;
};

Load& load(Flavour flavour) {
    static std::map<Flavour, Load> loads;
    auto [it, first] = loads.try_emplace(flavour);
    if (first) {
        EmulatedCard& card = EmulatedCard::install();
        card.reset();
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        it->second.module = LoadLibraryA(dll_path(flavour).c_str());
        QueryPerformanceCounter(&end);
        it->second.error = GetLastError();
        it->second.trace = card.take();
        it->second.seconds =
            static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    }
    return it->second;
}

class LoadTest : public ::testing::TestWithParam<Flavour> {
protected:
    void SetUp() override {
        ASSERT_NE(load(GetParam()).module, nullptr)
            << "LoadLibrary(" << dll_path(GetParam()) << ") failed with error " << load(GetParam()).error;
    }
};

TEST_P(LoadTest, WritesTheSetUpSequenceInOrderAndReadsNothing) { EXPECT_EQ(load(GetParam()).trace, kSetUpWrites); }

// The two calibrations: the clock waits for 1000 ticks, the delay loop times
// a million calls. The one timed test: a host waits this long at every load.
TEST_P(LoadTest, TakesBetweenOneAndOneAndAHalfSeconds) {
    const double seconds = load(GetParam()).seconds;
    EXPECT_GE(seconds, 1.0);
    EXPECT_LE(seconds, 1.5);
}

TEST_P(LoadTest, ExportsExactlyTheEntryPointsUnderOrdinalsOneToFiftyEight) {
    const ExportTable table = read_export_table(load(GetParam()).module);
    EXPECT_EQ(table.ordinal_base, 1u);
    EXPECT_EQ(table.dll_name, dll_name(GetParam()));
    ASSERT_EQ(table.function_rvas.size(), kExports.size()) << "ordinal slots in the export table";

    std::map<std::string, std::uint32_t> expected, actual;
    for (const ExpectedExport& e : kExports) expected[e.name] = e.ordinal;
    for (const ExportedName& e : table.names) actual[e.name] = e.ordinal;
    EXPECT_EQ(actual, expected) << "names and ordinals";
    EXPECT_EQ(table.names.size(), actual.size()) << "a name exported twice";

    std::set<std::uint32_t> named_ordinals;
    for (const ExportedName& e : table.names) named_ordinals.insert(e.ordinal);
    for (std::uint32_t i = 0; i < table.function_rvas.size(); ++i) {
        const std::uint32_t rva = table.function_rvas[i];
        const std::uint32_t ordinal = table.ordinal_base + i;
        SCOPED_TRACE("ordinal " + std::to_string(ordinal));
        EXPECT_NE(rva, 0u) << "a gap in the ordinals";
        EXPECT_TRUE(rva < table.directory_rva || rva >= table.directory_rva + table.directory_size)
            << "a forwarder, not code of this DLL";
        EXPECT_TRUE(named_ordinals.count(ordinal)) << "exported by ordinal only";
    }
}

TEST_P(LoadTest, ByNameAndByOrdinalGiveTheSameAddress) {
    const HMODULE module = load(GetParam()).module;
    for (const ExpectedExport& e : kExports) {
        SCOPED_TRACE(e.name);
        const FARPROC by_name = GetProcAddress(module, e.name);
        const FARPROC by_ordinal = GetProcAddress(module, MAKEINTRESOURCEA(e.ordinal));
        EXPECT_NE(by_name, nullptr);
        EXPECT_EQ(by_name, by_ordinal);
    }
}

// Kept last: the DLL is gone afterwards.
TEST_P(LoadTest, UnloadTouchesNoPort) {
    EmulatedCard& card = EmulatedCard::install();
    card.reset();
    ASSERT_TRUE(FreeLibrary(load(GetParam()).module));
    EXPECT_EQ(card.take(), PortTrace{});
    EXPECT_EQ(GetModuleHandleA(dll_path(GetParam()).c_str()), nullptr) << "still loaded after FreeLibrary";
    load(GetParam()).module = nullptr;
}

INSTANTIATE_TEST_SUITE_P(Dlls, LoadTest, ::testing::Values(Flavour::plain, Flavour::rec),
                         [](const auto& info) { return info.param == Flavour::plain ? "novra3" : "novra3_rec"; });

}  // namespace
