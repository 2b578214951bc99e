#include "test_bus.h"

#include <cstdio>
#include <map>
#include <mutex>

#include "core/ports.h"

namespace testbus {

namespace {

struct Bus {
    std::mutex mutex;
    std::vector<Access> trace;
    std::map<std::uint16_t, std::vector<std::uint8_t>> script;
    std::map<std::uint16_t, std::size_t> position;
    Device* device = nullptr;
};

Bus& bus() {
    static Bus instance;
    return instance;
}

}  // namespace

std::string to_string(const Access& a) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X %c %02X", a.port, a.direction, a.value);
    return text;
}

void PrintTo(const Access& a, std::ostream* os) { *os << to_string(a); }

void reset() {
    Bus& b = bus();
    const std::lock_guard lock(b.mutex);
    b.trace.clear();
    b.script.clear();
    b.position.clear();
    b.device = nullptr;
}

void script(std::uint16_t port, std::vector<std::uint8_t> values) {
    Bus& b = bus();
    const std::lock_guard lock(b.mutex);
    b.script[port] = std::move(values);
    b.position[port] = 0;
}

void attach(Device* device) {
    Bus& b = bus();
    const std::lock_guard lock(b.mutex);
    b.device = device;
}

std::vector<Access> trace() {
    Bus& b = bus();
    const std::lock_guard lock(b.mutex);
    return b.trace;
}

void clear_trace() {
    Bus& b = bus();
    const std::lock_guard lock(b.mutex);
    b.trace.clear();
}

}  // namespace testbus

namespace novra3 {

std::uint8_t lireport(std::uint16_t adresse) {
    testbus::Bus& b = testbus::bus();
    std::uint8_t value = 0;
    testbus::Device* device = nullptr;
    {
        const std::lock_guard lock(b.mutex);
        device = b.device;
        if (device == nullptr) {
            const auto it = b.script.find(adresse);
            if (it != b.script.end() && !it->second.empty()) {
                std::size_t& at = b.position[adresse];
                value = it->second[at];
                if (at + 1 < it->second.size()) ++at;
            }
            b.trace.push_back(testbus::read(adresse, value));
            return value;
        }
    }
    // The device runs outside the bus lock so that it may yield between accesses.
    value = device->read(adresse);
    const std::lock_guard lock(b.mutex);
    b.trace.push_back(testbus::read(adresse, value));
    return value;
}

void ecrireport(std::uint16_t adresse, std::uint8_t valeur) {
    testbus::Bus& b = testbus::bus();
    testbus::Device* device = nullptr;
    {
        const std::lock_guard lock(b.mutex);
        b.trace.push_back(testbus::write(adresse, valeur));
        device = b.device;
    }
    if (device != nullptr) device->write(adresse, valeur);
}

}  // namespace novra3
