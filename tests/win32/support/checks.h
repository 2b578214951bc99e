// Assertions on what a call left behind, with messages that show what was
// expected and what came back.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "thunk.h"

namespace win32test {

enum class ResultKind {
    word,    // integer, pointer or text in EAX: the x87 stack is empty afterwards
    real,    // a double in ST(0) and nothing else on the x87 stack
    single,  // a single in ST(0) and nothing else
};

// Returned normally, EBX/ESI/EDI/EBP kept, arguments removed by the callee,
// x87 stack holding only the result, control word as the host set it.
::testing::AssertionResult kept_convention(const CallOutcome& out, ResultKind kind,
                                           std::uint16_t host_control_word = kDefaultControlWord);

// ST(0) holds exactly this double (this single), bit for bit: no excess precision.
::testing::AssertionResult returned_double(const CallOutcome& out, double expected);
::testing::AssertionResult returned_single(const CallOutcome& out, float expected);

std::string describe_double(double v);

}  // namespace win32test
