// The direct libraries execute IN and OUT themselves. Without port permission
// each one faults; while a PortTrap lives, the fault is emulated at the
// faulting instruction by a card whose registers read 0 and take any write.
#pragma once

#include <signal.h>

#include <cstdint>

namespace bench {

class PortTrap {
public:
    PortTrap();
    ~PortTrap();
    PortTrap(const PortTrap&) = delete;
    PortTrap& operator=(const PortTrap&) = delete;

    static std::uint64_t reads();
    static std::uint64_t writes();

private:
    struct sigaction previous_ {};
};

}  // namespace bench
