// A fresh card for each test: bus reset, library state as after load,
// no delay (so conversions cost nothing), trace empty.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <vector>

#include "channels/analog_output.h"
#include "channels/logic.h"
#include "core/delay.h"
#include "core/interface.h"
#include "test_bus.h"

namespace testbus {

extern std::atomic<std::uint64_t> rien_calls;

class CardTest : public ::testing::Test {
protected:
    void SetUp() override {
        reset();
        novra3::initinterface();
        novra3::valeursortie = 0;
        novra3::etatsorties = 0;
        novra3::bouclesparus = 0;
        rien_calls = 0;
        clear_trace();
    }
    void TearDown() override { reset(); }
};

}  // namespace testbus
