// Logic inputs (two input bytes) and the four logic outputs of side 4's latch.
#pragma once

#include <cstdint>

namespace novra3 {

// Outputs last switched on, bit n for output n; what the library asked for,
// never read from the card.
extern std::uint8_t etatsorties;

void ecrirebit(int n, bool allume);

const char* logic_input_name(std::int32_t n);
const char* logic_output_name(std::int32_t n);

}  // namespace novra3
