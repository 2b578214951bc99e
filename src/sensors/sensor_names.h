// The sensors a connector can identify, by the code the sensor presents.
#pragma once

#include <array>
#include <cstdint>

namespace novra3 {

inline constexpr int kNamedSensorCodes = 41;  // 0 to 40; other codes are named by their number

extern const std::array<const char*, kNamedSensorCodes> nomscapteurs;

// The name of analog input n after the sensor on its connector; "" outside 0 to 3.
const char* sensor_input_name(std::int32_t n);

}  // namespace novra3
