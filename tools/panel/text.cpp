#include "text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace panel {

namespace {

// 0x80-0x9F of Windows-1252; 0 where the code page leaves a byte undefined.
constexpr std::array<char32_t, 32> kHighControls{
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void append_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace

std::string from_windows_1252(const char* text) {
    std::string out;
    if (text == nullptr) return out;
    for (const char* p = text; *p != '\0'; ++p) {
        const auto byte = static_cast<unsigned char>(*p);
        char32_t c = byte;
        if (byte >= 0x80 && byte < 0xA0) {
            c = kHighControls[byte - 0x80];
            if (c == 0) c = 0xFFFD;
        }
        append_utf8(out, c);
    }
    return out;
}

std::size_t display_width(std::string_view utf8) {
    std::size_t width = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++width;
    }
    return width;
}

std::string json_string(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

// The panel never calls setlocale, so printf keeps the "C" locale's dot.
std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string shortest(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

std::optional<double> parse_finite(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<int> parse_int(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    if (text.empty() || result.ec != std::errc{} || result.ptr != end) return std::nullopt;
    return value;
}

std::string Table::render(std::string_view indent) const {
    std::vector<std::size_t> widths;
    for (const Column& c : columns_) widths.push_back(display_width(c.heading));
    for (const auto& row : rows_) {
        for (std::size_t i = 0; i < row.size() && i < widths.size(); ++i) {
            widths[i] = std::max(widths[i], display_width(row[i]));
        }
    }
    std::string out;
    const auto line = [&](const std::vector<std::string>& cells) {
        std::string text(indent);
        for (std::size_t i = 0; i < columns_.size(); ++i) {
            const std::string& cell = i < cells.size() ? cells[i] : std::string();
            const std::string pad(widths[i] - display_width(cell), ' ');
            if (i > 0) text += "  ";
            text += columns_[i].align == Align::kRight ? pad + cell : cell + pad;
        }
        while (!text.empty() && text.back() == ' ') text.pop_back();
        out += text;
        out += '\n';
    };
    std::vector<std::string> headings;
    for (const Column& c : columns_) headings.push_back(c.heading);
    line(headings);
    for (const auto& row : rows_) line(row);
    return out;
}

}  // namespace panel
