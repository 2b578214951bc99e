// A port backend for unit tests: reads come from a script or an attached
// device, and every access is recorded in order.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace testbus {

struct Access {
    char direction;  // '<' read, '>' write
    std::uint16_t port;
    std::uint8_t value;
    friend bool operator==(const Access&, const Access&) = default;
};

inline Access read(std::uint16_t port, std::uint8_t value) { return {'<', port, value}; }
inline Access write(std::uint16_t port, std::uint8_t value) { return {'>', port, value}; }

// "0x309 > 60": port, direction, value.
std::string to_string(const Access& a);
void PrintTo(const Access& a, std::ostream* os);

// Something that behaves like (part of) the card.
class Device {
public:
    virtual ~Device() = default;
    virtual std::uint8_t read(std::uint16_t port) = 0;
    virtual void write(std::uint16_t port, std::uint8_t value) = 0;
};

// Forgets the trace, the script and any device; unscripted ports read 0.
void reset();
// Reads of port return the values in turn, the last one repeating.
void script(std::uint16_t port, std::vector<std::uint8_t> values);
// Serves reads and sees writes (the script is ignored while attached).
void attach(Device* device);

std::vector<Access> trace();
void clear_trace();

}  // namespace testbus
