// main of every test program that runs the DLLs: the emulated card goes in
// before anything can load them.
#include <gtest/gtest.h>

#include "emulated_card.h"

int main(int argc, char** argv) {
    win32test::EmulatedCard::install();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
