// Texts for the terminal and for scripts: the library's Windows-1252 in UTF-8,
// columns aligned by characters, JSON strings, numbers with a dot.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace panel {

// A NUL-terminated Windows-1252 text as UTF-8; nullptr gives "".
std::string from_windows_1252(const char* text);

// Characters (code points) in a UTF-8 text.
std::size_t display_width(std::string_view utf8);

// A JSON string literal, quotes included.
std::string json_string(std::string_view utf8);

// Numbers always written with a dot, whatever the locale.
std::string fixed(double value, int decimals);
std::string shortest(double value);

// Whole texts only: "2.5" or "-1", not "2.5V"; nan and inf are refused.
std::optional<double> parse_finite(std::string_view text);
std::optional<int> parse_int(std::string_view text);

// Rows of columns; numbers right-aligned, texts left-aligned.
class Table {
public:
    enum class Align { kLeft, kRight };
    struct Column {
        std::string heading;
        Align align;
    };

    explicit Table(std::vector<Column> columns) : columns_(std::move(columns)) {}
    void add(std::vector<std::string> cells) { rows_.push_back(std::move(cells)); }
    // One line per row after the headings, each ending in '\n'.
    std::string render(std::string_view indent = "") const;

private:
    std::vector<Column> columns_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace panel
