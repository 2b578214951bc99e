// The card, stood in for inside the test process. Under Wine every IN and OUT
// of the library raises EXCEPTION_PRIV_INSTRUCTION; a vectored handler that
// comes first in the list performs the access here, records it, and resumes
// after the instruction. The library's machine code runs unchanged.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "port_trace.h"

namespace win32test {

class EmulatedCard {
public:
    // Puts the handler first in the vectored list. Call it before the library
    // is loaded: its set-up writes come at load.
    static EmulatedCard& install();

    // Forgets the script and the trace: every port then reads 0x00.
    void reset();

    // Every read of port gives value (until reset).
    void answer(std::uint16_t port, std::uint8_t value);
    // The next reads of port give these values in turn, then the answer() value.
    void queue(std::uint16_t port, std::initializer_list<std::uint8_t> values);
    void queue(std::uint16_t port, std::uint8_t value);
    // Reads of port give the value last written to it, as the output latch does.
    void echo_writes(std::uint16_t port, std::uint8_t initial);
    // The card as a whole: the logic output latch 0x311 reads back its last write.
    void card_like(std::uint8_t latch = 0x00);
    // Serves every read that the trace expects, in its order and with its value.
    void script(const PortTrace& expected);

    // Every access since the last reset() or take(), in order.
    PortTrace trace() const;
    PortTrace take();

    // IN/OUT forms the handler met and could not decode (left to crash the host).
    unsigned undecoded() const;

    // Called by the handler: performs one access.
    std::uint8_t access_read(std::uint16_t port);
    void access_write(std::uint16_t port, std::uint8_t value);

private:
    EmulatedCard() = default;
};

}  // namespace win32test
