// The one door to the card. The backend is chosen at build time: the direct
// build inlines the IN/OUT instructions, the others link their own definitions.
#pragma once

#include <cstdint>

namespace novra3 {

#if NOVRA3_PORTS_DIRECT

// The host must already hold I/O permission for the card's ports.
inline std::uint8_t lireport(std::uint16_t adresse) {
    std::uint8_t valeur;
    __asm__ __volatile__("inb %w1, %b0" : "=a"(valeur) : "Nd"(adresse));
    return valeur;
}

inline void ecrireport(std::uint16_t adresse, std::uint8_t valeur) {
    __asm__ __volatile__("outb %b0, %w1" : : "a"(valeur), "Nd"(adresse));
}

#else

std::uint8_t lireport(std::uint16_t adresse);
void ecrireport(std::uint16_t adresse, std::uint8_t valeur);

#endif

}  // namespace novra3
