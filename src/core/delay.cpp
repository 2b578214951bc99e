#include "core/delay.h"

#include "core/chrono.h"

namespace novra3 {

std::uint32_t bouclesparus = 0;

namespace {
constexpr std::uint32_t kCalibrationCalls = 1000000;
}

void boucler(std::uint32_t fois) {
    for (std::uint32_t i = fois; i != 0; --i) rien();
}

std::int32_t delay_iterations(std::int32_t us) {
    const std::int64_t n = static_cast<std::int64_t>(us) * static_cast<std::int64_t>(bouclesparus);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
}

void attendre(std::int32_t us) {
    const std::int32_t n = delay_iterations(us);
    if (n > 0) boucler(static_cast<std::uint32_t>(n));
}

void calibrer_delai() {
    const auto d = static_cast<std::uint32_t>(microsecondes());
    boucler(kCalibrationCalls);
    const auto f = static_cast<std::uint32_t>(microsecondes());
    std::uint32_t duree = f - d;
    if (duree == 0) duree = 1;  // a clock that did not move would divide by zero
    bouclesparus = kCalibrationCalls / duree;
}

}  // namespace novra3
