// Load and unload of each shipped library against the emulated card.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "novra3.h"
#include "support/card_trace.h"

namespace {

using trap::Trace;
using trap::W;

// The card's set-up, in the order the card needs it: control selects the
// direction register, direction byte, control selects the data register.
const Trace kSetupWrites{
    W(0x316, 0x00), W(0x314, 0x00), W(0x316, 0x04),  //
    W(0x317, 0x00), W(0x317, 0x04),                  //
    W(0x30E, 0x00), W(0x30C, 0x00), W(0x30E, 0x04),  //
    W(0x30F, 0x00), W(0x30D, 0xE0), W(0x30F, 0x04),  //
    W(0x312, 0x00), W(0x310, 0xFF), W(0x312, 0x04),  //
    W(0x313, 0x00), W(0x311, 0x00), W(0x313, 0x04),  //
};

struct Library {
    const char* name;
    const char* path;
};

void PrintTo(const Library& library, std::ostream* os) { *os << library.path; }

class Lifecycle : public testing::TestWithParam<Library> {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(0, trap_card_install()); }
    void SetUp() override { trap_card_reset(); }
};

template <typename F>
F* entry(void* handle, const char* name) {
    return reinterpret_cast<F*>(dlsym(handle, name));
}
#define ENTRY(handle, name) entry<decltype(::name)>(handle, #name)

TEST_P(Lifecycle, LoadWritesTheSetupAndUnloadTouchesNothing) {
    const char* path = GetParam().path;
    void* handle = dlopen(path, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, handle) << dlerror();
    EXPECT_EQ(kSetupWrites, trap::trace()) << "the load must write the set-up, in order, and read nothing";

    // Nothing is remembered as set until the host sets it, whatever the card holds.
    trap_card_clear_trace();
    EXPECT_EQ(0, ENTRY(handle, rsa)(0));
    EXPECT_EQ(0.0, ENTRY(handle, rsad)(0));
    for (int n = 0; n < 4; ++n) EXPECT_EQ(0, ENTRY(handle, rsb)(n)) << "output " << n;
    EXPECT_EQ(Trace{}, trap::trace());

    ASSERT_EQ(0, dlclose(handle)) << dlerror();
    EXPECT_EQ(Trace{}, trap::trace()) << "the unload must leave the card alone";
    void* still = dlopen(path, RTLD_NOW | RTLD_NOLOAD);
    EXPECT_EQ(nullptr, still) << "the library stayed mapped, so its unload was not exercised";
    if (still != nullptr) dlclose(still);
}

INSTANTIATE_TEST_SUITE_P(Shipped, Lifecycle,
                         testing::Values(Library{"novra3", NOVRA3_TEST_LIBRARY_PLAIN},
                                         Library{"novra3_rec", NOVRA3_TEST_LIBRARY_REC}),
                         [](const testing::TestParamInfo<Library>& info) { return std::string(info.param.name); });

}  // namespace
