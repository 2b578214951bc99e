#include "emulated_card.h"

#include <windows.h>

#include <deque>
#include <map>
#include <mutex>

namespace win32test {

namespace {

struct PortScript {
    std::uint8_t answer = 0x00;
    std::deque<std::uint8_t> queued;
    bool echo = false;
};

// The handler may run on any thread of the host: everything behind one lock.
std::mutex state_lock;
std::map<std::uint16_t, PortScript> ports;  // ports never scripted read 0x00
PortTrace recorded;
unsigned undecoded_count = 0;

constexpr DWORD kPrivilegedInstruction = 0xC0000096;  // EXCEPTION_PRIV_INSTRUCTION

LONG CALLBACK on_exception(EXCEPTION_POINTERS* info) {
    if (info->ExceptionRecord->ExceptionCode != kPrivilegedInstruction) return EXCEPTION_CONTINUE_SEARCH;
    CONTEXT* context = info->ContextRecord;
    const auto* code = reinterpret_cast<const std::uint8_t*>(context->Eip);
    EmulatedCard& card = EmulatedCard::install();
    const auto dx = static_cast<std::uint16_t>(context->Edx);
    const auto al = static_cast<std::uint8_t>(context->Eax);
    DWORD length = 0;
    switch (code[0]) {
        case 0xEC:  // in al, dx
            context->Eax = (context->Eax & ~0xFFu) | card.access_read(dx);
            length = 1;
            break;
        case 0xEE:  // out dx, al
            card.access_write(dx, al);
            length = 1;
            break;
        case 0xE4:  // in al, imm8
            context->Eax = (context->Eax & ~0xFFu) | card.access_read(code[1]);
            length = 2;
            break;
        case 0xE6:  // out imm8, al
            card.access_write(code[1], al);
            length = 2;
            break;
        default: {
            const std::lock_guard guard(state_lock);
            ++undecoded_count;
            return EXCEPTION_CONTINUE_SEARCH;
        }
    }
    context->Eip += length;
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

EmulatedCard& EmulatedCard::install() {
    static EmulatedCard card;
    static const bool installed = AddVectoredExceptionHandler(1, on_exception) != nullptr;
    (void)installed;
    return card;
}

void EmulatedCard::reset() {
    const std::lock_guard guard(state_lock);
    ports.clear();
    recorded.clear();
}

void EmulatedCard::answer(std::uint16_t port, std::uint8_t value) {
    const std::lock_guard guard(state_lock);
    ports[port].answer = value;
}

void EmulatedCard::queue(std::uint16_t port, std::initializer_list<std::uint8_t> values) {
    const std::lock_guard guard(state_lock);
    ports[port].queued.insert(ports[port].queued.end(), values);
}

void EmulatedCard::queue(std::uint16_t port, std::uint8_t value) { queue(port, {value}); }

void EmulatedCard::echo_writes(std::uint16_t port, std::uint8_t initial) {
    const std::lock_guard guard(state_lock);
    ports[port].echo = true;
    ports[port].answer = initial;
}

void EmulatedCard::card_like(std::uint8_t latch) { echo_writes(0x311, latch); }

void EmulatedCard::script(const PortTrace& expected) {
    for (const PortAccess& access : expected) {
        if (access.kind == PortAccess::Kind::read) queue(access.port, access.value);
    }
}

PortTrace EmulatedCard::trace() const {
    const std::lock_guard guard(state_lock);
    return recorded;
}

PortTrace EmulatedCard::take() {
    const std::lock_guard guard(state_lock);
    PortTrace taken;
    taken.swap(recorded);
    return taken;
}

unsigned EmulatedCard::undecoded() const {
    const std::lock_guard guard(state_lock);
    return undecoded_count;
}

std::uint8_t EmulatedCard::access_read(std::uint16_t port) {
    const std::lock_guard guard(state_lock);
    PortScript& p = ports[port];
    std::uint8_t value = p.answer;
    if (!p.queued.empty()) {
        value = p.queued.front();
        p.queued.pop_front();
    }
    recorded.push_back(read(port, value));
    return value;
}

void EmulatedCard::access_write(std::uint16_t port, std::uint8_t value) {
    const std::lock_guard guard(state_lock);
    if (ports[port].echo) ports[port].answer = value;
    recorded.push_back(wrote(port, value));
}

}  // namespace win32test
