#include "load/port_trap.h"

#include <ucontext.h>

#include <atomic>

namespace bench {

namespace {

std::atomic<std::uint64_t> read_count{0};
std::atomic<std::uint64_t> write_count{0};

// The byte forms only: the libraries move one byte at a time.
constexpr std::uint8_t kInDx = 0xEC;
constexpr std::uint8_t kOutDx = 0xEE;
constexpr std::uint8_t kInImmediate = 0xE4;
constexpr std::uint8_t kOutImmediate = 0xE6;

void on_fault(int, siginfo_t* info, void* context) {
    auto* registers = static_cast<ucontext_t*>(context)->uc_mcontext.gregs;
    // A privileged instruction faults with SI_KERNEL; a bad address does not.
    if (info->si_code == SI_KERNEL) {
        const auto* at = reinterpret_cast<const std::uint8_t*>(registers[REG_RIP]);
        int length = 0;
        bool read = false;
        switch (at[0]) {
            case kInDx:
                length = 1;
                read = true;
                break;
            case kOutDx:
                length = 1;
                break;
            case kInImmediate:
                length = 2;
                read = true;
                break;
            case kOutImmediate:
                length = 2;
                break;
            default:
                break;
        }
        if (length != 0) {
            if (read) {
                registers[REG_RAX] &= ~static_cast<greg_t>(0xFF);
                read_count.fetch_add(1, std::memory_order_relaxed);
            } else {
                write_count.fetch_add(1, std::memory_order_relaxed);
            }
            registers[REG_RIP] += length;
            return;
        }
    }
    // Anything else is a real crash: let it happen again, unhandled.
    signal(SIGSEGV, SIG_DFL);
}

}  // namespace

PortTrap::PortTrap() {
    struct sigaction action {};
    action.sa_sigaction = on_fault;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGSEGV, &action, &previous_);
}

PortTrap::~PortTrap() { sigaction(SIGSEGV, &previous_, nullptr); }

std::uint64_t PortTrap::reads() { return read_count.load(std::memory_order_relaxed); }
std::uint64_t PortTrap::writes() { return write_count.load(std::memory_order_relaxed); }

}  // namespace bench
