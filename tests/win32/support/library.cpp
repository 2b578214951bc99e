#include "library.h"

#include <cstdio>
#include <cstdlib>

namespace win32test {

namespace {

// Build-time Unix paths; Wine reaches the root file system as drive Z:.
std::string windows_path(const char* unix_path) {
    std::string path = unix_path;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

template <typename T>
const T* at(HMODULE module, std::uint32_t rva) {
    return reinterpret_cast<const T*>(reinterpret_cast<const std::uint8_t*>(module) + rva);
}

}  // namespace

const char* dll_name(Flavour flavour) { return flavour == Flavour::plain ? "novra3.dll" : "novra3_rec.dll"; }

std::string dll_path(Flavour flavour) {
    return windows_path(flavour == Flavour::plain ? WIN32TEST_DLL_PLAIN : WIN32TEST_DLL_REC);
}

ExportTable read_export_table(HMODULE module) {
    ExportTable table;
    const auto* dos = at<IMAGE_DOS_HEADER>(module, 0);
    const auto* nt = at<IMAGE_NT_HEADERS32>(module, static_cast<std::uint32_t>(dos->e_lfanew));
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    table.directory_rva = dir.VirtualAddress;
    table.directory_size = dir.Size;
    if (dir.VirtualAddress == 0) return table;
    const auto* exports = at<IMAGE_EXPORT_DIRECTORY>(module, dir.VirtualAddress);
    table.dll_name = at<char>(module, exports->Name);
    table.ordinal_base = exports->Base;
    const auto* functions = at<DWORD>(module, exports->AddressOfFunctions);
    table.function_rvas.assign(functions, functions + exports->NumberOfFunctions);
    const auto* names = at<DWORD>(module, exports->AddressOfNames);
    const auto* name_ordinals = at<WORD>(module, exports->AddressOfNameOrdinals);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        const WORD index = name_ordinals[i];
        const std::uint32_t rva = index < table.function_rvas.size() ? table.function_rvas[index] : 0;
        table.names.push_back({at<char>(module, names[i]), exports->Base + index, rva});
    }
    return table;
}

Library::Library(Flavour flavour) : flavour_(flavour), module_(LoadLibraryA(dll_path(flavour).c_str())) {
    if (module_ == nullptr) {
        std::fprintf(stderr, "cannot load %s (error %lu)\n", dll_path(flavour).c_str(), GetLastError());
        std::abort();
    }
}

Library::~Library() { FreeLibrary(module_); }

const void* Library::address(const char* entry) const {
    const FARPROC p = GetProcAddress(module_, entry);
    if (p == nullptr) {
        std::fprintf(stderr, "%s exports no %s\n", name(), entry);
        std::abort();
    }
    return reinterpret_cast<const void*>(p);
}

}  // namespace win32test
