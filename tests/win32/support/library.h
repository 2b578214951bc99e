// The shipped DLLs as a host loads them: by path, then entry points by name
// or ordinal. The export table is read from the loaded image's PE headers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace win32test {

enum class Flavour { plain, rec };

const char* dll_name(Flavour flavour);  // "novra3.dll", "novra3_rec.dll"
inline void PrintTo(Flavour flavour, std::ostream* os) { *os << dll_name(flavour); }
std::string dll_path(Flavour flavour);  // where the build put it, as a Windows path

struct ExportedName {
    std::string name;
    std::uint32_t ordinal;
    std::uint32_t rva;
};

struct ExportTable {
    std::string dll_name;
    std::uint32_t ordinal_base = 0;
    std::vector<std::uint32_t> function_rvas;             // index + base = ordinal
    std::vector<ExportedName> names;                      // in the table's (sorted) order
    std::uint32_t directory_rva = 0, directory_size = 0;  // forwarders point inside it
};

ExportTable read_export_table(HMODULE module);

// Loaded in the constructor, freed in the destructor.
class Library {
public:
    explicit Library(Flavour flavour);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    Flavour flavour() const { return flavour_; }
    HMODULE module() const { return module_; }
    const char* name() const { return dll_name(flavour_); }
    // The address of an export; aborts the test program when it is missing.
    const void* address(const char* entry) const;

private:
    Flavour flavour_;
    HMODULE module_;
};

}  // namespace win32test
