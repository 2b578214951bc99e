#include "core/interface.h"

#include "core/ports.h"
#include "core/registers.h"

namespace novra3 {

std::array<std::int32_t, 24> tableports{};

void initinterface() {
    for (std::size_t i = 0; i < reg::kSides.size(); ++i) {
        const reg::Side& s = reg::kSides[i];
        tableports[i * 3] = s.control;
        tableports[i * 3 + 1] = s.direction;
        tableports[i * 3 + 2] = s.data;
    }
    for (const reg::PortWrite& w : reg::kSetupSequence) ecrireport(w.port, w.value);
}

}  // namespace novra3
