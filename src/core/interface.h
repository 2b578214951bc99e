// The card's port table and its one-time set-up.
#pragma once

#include <array>
#include <cstdint>

namespace novra3 {

// Control, direction and data address of each of the eight sides, in side order.
extern std::array<std::int32_t, 24> tableports;

// Fills tableports and writes the set-up sequence. Called once, at load.
void initinterface();

// Index of a side's registers in tableports.
inline constexpr std::size_t port_index_control(int side) { return static_cast<std::size_t>(side - 1) * 3; }
inline constexpr std::size_t port_index_direction(int side) { return port_index_control(side) + 1; }
inline constexpr std::size_t port_index_data(int side) { return port_index_control(side) + 2; }

inline std::uint16_t port_of(std::size_t index) { return static_cast<std::uint16_t>(tableports[index]); }

}  // namespace novra3
