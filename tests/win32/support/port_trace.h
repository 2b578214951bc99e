// Port accesses as the emulated card saw them, and how failure messages show them.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace win32test {

struct PortAccess {
    enum class Kind : std::uint8_t { read, write };
    Kind kind;
    std::uint16_t port;
    std::uint8_t value;  // what was written, or what the card answered

    friend bool operator==(const PortAccess&, const PortAccess&) = default;
};

using PortTrace = std::vector<PortAccess>;

constexpr PortAccess wrote(std::uint16_t port, std::uint8_t value) { return {PortAccess::Kind::write, port, value}; }
constexpr PortAccess read(std::uint16_t port, std::uint8_t value) { return {PortAccess::Kind::read, port, value}; }

// "0x309 > 60" for a write, "0x30D < 02" for a read.
std::string to_string(const PortAccess& access);
std::string to_string(const PortTrace& trace);

// Lets GoogleTest print accesses and traces in the same form.
void PrintTo(const PortAccess& access, std::ostream* os);

}  // namespace win32test
