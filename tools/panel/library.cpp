#include "library.h"

#include <array>
#include <filesystem>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif

namespace panel {

namespace {

constexpr std::array<const char*, 58> kExports{
    "stdrsbdouble", "stdnsbdouble", "stdsbdouble", "stdnebdouble", "stdebdouble", "stdrsadouble", "stdnsadouble",
    "stdsadouble",  "stdneadouble", "stdeadouble", "stdrsas",      "stdsas",      "stdeas",       "stddetail",
    "stdtitre",     "stdrsb",       "stdrsad",     "stdnsb",       "stdsb",       "stdneb",       "stdeb",
    "stdnsad",      "stdsad",       "stdnsa",      "stdsa",        "stdnead",     "stdead",       "stdnea",
    "stdea",        "rsbdouble",    "nsbdouble",   "sbdouble",     "nebdouble",   "ebdouble",     "rsadouble",
    "nsadouble",    "sadouble",     "neadouble",   "eadouble",     "psad",        "pead",         "detail",
    "titre",        "rsb",          "nsb",         "sb",           "neb",         "eb",           "rsad",
    "rsa",          "nsad",         "sad",         "nsa",          "sa",          "nead",         "ead",
    "nea",          "ea",
};

#ifdef __i386__
constexpr const char* kPrefix = "std";
#else
constexpr const char* kPrefix = "";
#endif

#ifdef _WIN32
// The system's reason, in UTF-8 whatever the user's code page.
std::string last_error_text() {
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out;
    if (length > 0) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        out.resize(static_cast<std::size_t>(size));
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), size, nullptr, nullptr);
        LocalFree(text);
    }
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out.empty() ? "error " + std::to_string(code) : out;
}

std::string executable_path() {
    std::string path(MAX_PATH, '\0');
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    return path;
}
#else
std::string executable_path() {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/exe", error).string();
}
#endif

template <typename Function>
void resolve(Function& slot, void* address) {
    // Through the generic function pointer type, which casts to any other.
    slot = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

}  // namespace

Library::Library(const std::string& path) : path_(path) {
#ifdef _WIN32
    std::string native = path;
    for (char& c : native) {
        if (c == '/') c = '\\';
    }
    handle_ = reinterpret_cast<void*>(LoadLibraryA(native.c_str()));
    if (handle_ == nullptr) throw Failure(kExitFailure, "cannot load the library " + path + ": " + last_error_text());
#else
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        throw Failure(kExitFailure, "cannot load the library " + path + ": " + (reason ? reason : "unknown reason"));
    }
#endif
    std::vector<std::string> absent;
    const auto bind = [&](auto& slot, const char* base) {
        const std::string name = std::string(kPrefix) + base;
        void* address = find(name);
        if (address == nullptr) absent.push_back(name);
        resolve(slot, address);
    };
    bind(entry_.titre, "titre");
    bind(entry_.detail, "detail");
    bind(entry_.ea, "ea");
    bind(entry_.nea, "nea");
    bind(entry_.ead, "ead");
    bind(entry_.nead, "nead");
    bind(entry_.sa, "sa");
    bind(entry_.nsa, "nsa");
    bind(entry_.sad, "sad");
    bind(entry_.nsad, "nsad");
    bind(entry_.rsad, "rsad");
    bind(entry_.eb, "eb");
    bind(entry_.neb, "neb");
    bind(entry_.sb, "sb");
    bind(entry_.nsb, "nsb");
    bind(entry_.rsb, "rsb");
    if (!absent.empty()) {
        unload();
        std::string list;
        for (const std::string& name : absent) list += (list.empty() ? "" : ", ") + name;
        throw Failure(kExitFailure, path + " is not a NOVRA3 library: it lacks the entry points " + list);
    }
}

Library::~Library() { unload(); }

void Library::unload() {
    if (handle_ == nullptr) return;
#ifdef _WIN32
    FreeLibrary(reinterpret_cast<HMODULE>(handle_));
#else
    dlclose(handle_);
#endif
    handle_ = nullptr;
}

void* Library::find(const std::string& name) const {
#ifdef _WIN32
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name.c_str()));
#else
    return dlsym(handle_, name.c_str());
#endif
}

std::vector<std::string> Library::missing_exports() const {
    std::vector<std::string> missing;
    for (const char* name : kExports) {
        if (find(name) == nullptr) missing.emplace_back(name);
    }
    return missing;
}

std::size_t Library::export_count() { return kExports.size(); }

std::string default_library_path() {
    const std::filesystem::path here = std::filesystem::path(executable_path()).parent_path();
    const std::filesystem::path beside = here / NOVRA3_PANEL_LIBRARY_NAME;
    if (std::filesystem::exists(beside)) return beside.string();
    return (here / NOVRA3_PANEL_LIBRARY_DIR / NOVRA3_PANEL_LIBRARY_NAME).lexically_normal().string();
}

}  // namespace panel
