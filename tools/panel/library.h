// A NOVRA3 library loaded at run time and reached by the names it exports,
// as any host does.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "novra3.h"

namespace panel {

// Why the panel stops, with the exit code that goes with it.
class Failure : public std::runtime_error {
public:
    Failure(int exit_code, const std::string& message) : std::runtime_error(message), exit_code_(exit_code) {}
    int exit_code() const { return exit_code_; }

private:
    int exit_code_;
};

inline constexpr int kExitFailure = 1;  // the library or a file could not be used
inline constexpr int kExitUsage = 2;    // the command line asked for something that does not exist
inline constexpr int kExitInterrupted = 130;

// The entry points the panel calls. On 32-bit x86 the base entry points take
// their arguments in registers, so there the panel calls their stdcall twins;
// elsewhere both families are plain C functions of the same types.
struct EntryPoints {
    decltype(&::stdtitre) titre;
    decltype(&::stddetail) detail;
    decltype(&::stdea) ea;
    decltype(&::stdnea) nea;
    decltype(&::stdead) ead;
    decltype(&::stdnead) nead;
    decltype(&::stdsa) sa;
    decltype(&::stdnsa) nsa;
    decltype(&::stdsad) sad;
    decltype(&::stdnsad) nsad;
    decltype(&::stdrsad) rsad;
    decltype(&::stdeb) eb;
    decltype(&::stdneb) neb;
    decltype(&::stdsb) sb;
    decltype(&::stdnsb) nsb;
    decltype(&::stdrsb) rsb;
};

class Library {
public:
    // Loading runs the library's start-up (about a second). Throws Failure.
    explicit Library(const std::string& path);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    const std::string& path() const { return path_; }
    const EntryPoints& call() const { return entry_; }

    // The names of the 58 exports that this file lacks.
    std::vector<std::string> missing_exports() const;
    static std::size_t export_count();

private:
    void* find(const std::string& name) const;
    void unload();

    std::string path_;
    void* handle_ = nullptr;
    EntryPoints entry_{};
};

// The simulated rec library of this build: beside the panel when installed
// together, else where the build tree puts it.
std::string default_library_path();

}  // namespace panel
