// Channel names composed at compile time: every pointer handed to a host
// stays valid, with its text, until the library is unloaded.
#pragma once

#include <array>
#include <cstddef>

namespace novra3 {

template <std::size_t Capacity>
struct FixedText {
    std::array<char, Capacity> chars{};
    std::size_t size = 0;

    constexpr void append(const char* text) {
        while (*text != '\0' && size + 1 < Capacity) chars[size++] = *text++;
    }
    constexpr void append_decimal(unsigned value) {
        char digits[10]{};
        int count = 0;
        do {
            digits[count++] = static_cast<char>('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0 && size + 1 < Capacity) chars[size++] = digits[--count];
    }
    constexpr const char* c_str() const { return chars.data(); }
};

// prefix followed by 0, 1, … Count - 1 in decimal.
template <std::size_t Count, std::size_t Capacity>
constexpr std::array<FixedText<Capacity>, Count> numbered_names(const char* prefix) {
    std::array<FixedText<Capacity>, Count> names{};
    for (std::size_t i = 0; i < Count; ++i) {
        names[i].append(prefix);
        names[i].append_decimal(static_cast<unsigned>(i));
    }
    return names;
}

}  // namespace novra3
