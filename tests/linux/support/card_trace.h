// The emulated card's trace as C++ values, printed the way a logic analyser
// shows a bus: "0x309 > 60" for a write to the card, "0x30D < 02" for a read.
#pragma once

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "trap_card.h"

namespace trap {

struct Access {
    bool write;
    std::uint16_t port;
    std::uint8_t value;
    friend bool operator==(const Access&, const Access&) = default;
};

using Trace = std::vector<Access>;

inline Access W(std::uint16_t port, std::uint8_t value) { return {true, port, value}; }
inline Access R(std::uint16_t port, std::uint8_t value) { return {false, port, value}; }

inline std::string to_string(const Access& a) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X %c %02X", a.port, a.write ? '>' : '<', a.value);
    return text;
}

// Found by GoogleTest for failure messages.
inline void PrintTo(const Access& a, std::ostream* os) { *os << to_string(a); }

inline Trace trace() {
    Trace t;
    const trap_card_access* a = trap_card_trace();
    for (std::size_t i = 0; i < trap_card_trace_size(); ++i) {
        t.push_back({a[i].kind == TRAP_CARD_WRITE, a[i].port, a[i].value});
    }
    return t;
}

inline void queue_reads(std::uint16_t port, std::initializer_list<std::uint8_t> values) {
    const std::vector<std::uint8_t> v(values);
    if (trap_card_queue_reads(port, v.data(), v.size()) != 0) throw std::length_error("read queue full");
}

}  // namespace trap
