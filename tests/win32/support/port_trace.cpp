#include "port_trace.h"

#include <cstdio>

namespace win32test {

std::string to_string(const PortAccess& access) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%03X %c %02X", access.port, access.kind == PortAccess::Kind::write ? '>' : '<',
                  access.value);
    return text;
}

std::string to_string(const PortTrace& trace) {
    if (trace.empty()) return "(no port access)";
    std::string text;
    for (const PortAccess& access : trace) {
        if (!text.empty()) text += ", ";
        text += to_string(access);
    }
    return text;
}

void PrintTo(const PortAccess& access, std::ostream* os) { *os << to_string(access); }

}  // namespace win32test
