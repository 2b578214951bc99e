// The NOVRA3 register map: every port, value and bit the library uses.
#pragma once

#include <array>
#include <cstdint>

namespace novra3::reg {

// ---- Adapter sides ---------------------------------------------------------
// Each side has a control register and one shared address for its direction
// and data registers; the last control value decides which one it reaches.
struct Side {
    std::uint16_t control;
    std::uint16_t direction;
    std::uint16_t data;
};

inline constexpr std::uint8_t kSelectDirection = 0x00;
inline constexpr std::uint8_t kSelectData = 0x04;

inline constexpr std::array<Side, 8> kSides{{
    {0x316, 0x314, 0x314},  // 1: logic inputs 8-15, connector A sensor code
    {0x317, 0x315, 0x315},  // 2: connector B sensor code
    {0x312, 0x310, 0x310},  // 3: analog output converter byte
    {0x313, 0x311, 0x311},  // 4: logic output latch
    {0x30E, 0x30C, 0x30C},  // 5: conversion result, low byte
    {0x30A, 0x308, 0x308},  // 6: unused
    {0x30F, 0x30D, 0x30D},  // 7: conversion result, bits 8-9
    {0x30B, 0x309, 0x309},  // 8: multiplexer selection
}};

inline constexpr const Side& side(int number) { return kSides[static_cast<std::size_t>(number - 1)]; }

// ---- Analog input converter -------------------------------------------------
inline constexpr std::uint16_t kAdcSelect = side(8).data;
inline constexpr int kAdcSelectShift = 5;  // channel in bits 5-7
inline constexpr std::uint16_t kAdcHigh = side(7).data;
inline constexpr std::uint8_t kAdcHighMask = 0x03;  // result bits 8-9
inline constexpr std::uint16_t kAdcLow = side(5).data;
inline constexpr int kAdcSettleMicroseconds = 20;  // no handshake: read once after this
inline constexpr int kAnalogInputs = 4;

inline constexpr std::uint8_t adc_select_byte(std::int32_t channel) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(channel) << kAdcSelectShift);
}

// ---- Analog output converter --------------------------------------------------
inline constexpr std::uint16_t kDac = side(3).data;
inline constexpr std::int32_t kDacMaxStep = 255;
inline constexpr std::int32_t kDacStepsPerVolt = 25;  // one step is 0.04 V

// ---- Logic inputs ---------------------------------------------------------------
inline constexpr std::uint16_t kLogicInputsLow = 0x304;          // inputs 0-7, outside the side map
inline constexpr std::uint16_t kLogicInputsHigh = side(1).data;  // inputs 8-15
inline constexpr int kLogicInputs = 16;

// ---- Logic outputs ---------------------------------------------------------------
inline constexpr std::uint16_t kLogicOutputLatch = side(4).data;
inline constexpr int kLogicOutputs = 4;
inline constexpr int kLogicOutputNames = 8;  // outputs 4-7 are named but cannot be set
inline constexpr std::array<std::uint8_t, kLogicOutputs> kLogicOutputBit{0x01, 0x02, 0x10, 0x20};

// ---- Sensor identification ----------------------------------------------------------
inline constexpr std::uint16_t kSensorCodeA = side(1).data;  // shares its byte with inputs 8-15
inline constexpr std::uint16_t kSensorCodeB = side(2).data;

// ---- Set-up written at load -------------------------------------------------------
struct PortWrite {
    std::uint16_t port;
    std::uint8_t value;
    friend constexpr bool operator==(const PortWrite&, const PortWrite&) = default;
};

// Sides 6 and 8 are left alone, side 2 gets no direction byte, and no data
// register is written: outputs keep what the card holds until the host sets them.
inline constexpr std::array<PortWrite, 17> kSetupSequence{{
    {side(1).control, kSelectDirection},
    {side(1).direction, 0x00},
    {side(1).control, kSelectData},
    {side(2).control, kSelectDirection},
    {side(2).control, kSelectData},
    {side(5).control, kSelectDirection},
    {side(5).direction, 0x00},
    {side(5).control, kSelectData},
    {side(7).control, kSelectDirection},
    {side(7).direction, 0xE0},
    {side(7).control, kSelectData},
    {side(3).control, kSelectDirection},
    {side(3).direction, 0xFF},
    {side(3).control, kSelectData},
    {side(4).control, kSelectDirection},
    {side(4).direction, 0x00},
    {side(4).control, kSelectData},
}};

}  // namespace novra3::reg
