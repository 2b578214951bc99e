// Calls into the library as a host of each convention does, through the
// assembly thunk, and reports everything the call left behind.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>

namespace win32test {

enum class Convention {
    register_args,  // integers and pointers in EAX, EDX, ECX; doubles pushed left to right; callee pops
    stdcall,        // everything pushed right to left; callee pops
};

// Export names starting with "std" use stdcall, all others the register convention.
Convention convention_of(const char* entry);

struct Arg {
    enum class Kind { word, real, single };
    Kind kind;
    std::uint64_t bits;
};

inline Arg integer(std::int32_t v) { return {Arg::Kind::word, static_cast<std::uint32_t>(v)}; }
Arg pointer(const void* p);
Arg real(double v);
Arg real_bits(std::uint64_t bits);  // for NaNs of a chosen kind
Arg single(float v);
Arg single_bits(std::uint32_t bits);

std::string to_string(const Arg& arg);

// What one call left in the registers, on the stack and in the x87 unit.
struct CallOutcome {
    std::uint32_t eax = 0;
    std::uint32_t ebx = 0, esi = 0, edi = 0, ebp = 0;
    std::int32_t esp_shift = 0;  // ESP after the call minus ESP before the arguments were pushed
    std::uint32_t pushed_bytes = 0;
    std::uint16_t control_word = 0;  // as the call left it
    std::uint16_t status_word = 0;
    int fpu_depth = 0;  // registers in use on the x87 stack
    std::array<std::uint8_t, 10> st0{};
    std::uint32_t fault = 0;  // exception code that ended the call, 0 if it returned

    std::int32_t integer() const { return static_cast<std::int32_t>(eax); }
    const char* text() const { return reinterpret_cast<const char*>(eax); }
    const double* double_pointer() const { return reinterpret_cast<const double*>(eax); }
    // ST(0) when it holds exactly a double (or a single), with no excess precision.
    std::optional<double> exact_double() const;
    std::optional<float> exact_single() const;
};

// The control word a host gets from this runtime: 64-bit precision, nearest, all masked.
inline constexpr std::uint16_t kDefaultControlWord = 0x037F;

CallOutcome call(const void* entry, Convention convention, std::span<const Arg> args,
                 std::uint16_t control_word = kDefaultControlWord);
inline CallOutcome call(const void* entry, Convention convention, std::initializer_list<Arg> args,
                        std::uint16_t control_word = kDefaultControlWord) {
    return call(entry, convention, std::span<const Arg>(args.begin(), args.size()), control_word);
}

}  // namespace win32test
