#include "thunk.h"

#include <windows.h>

#include <bit>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "extended.h"
#include "thunk_layout.h"

namespace win32test {

namespace {

struct ThunkFrame {
    const void* target;
    std::uint32_t eax, edx, ecx;
    const std::uint32_t* pushes;
    std::uint32_t push_count;
    std::uint32_t control_word;
    std::uint32_t out_eax, out_edx, out_ebx, out_esi, out_edi, out_ebp;
    std::uint32_t esp_before, esp_after;
    std::uint8_t env[28];
    std::uint8_t st0[10];
    std::uint8_t padding[2];
    std::uint32_t fault;
};

static_assert(offsetof(ThunkFrame, eax) == FRAME_EAX);
static_assert(offsetof(ThunkFrame, pushes) == FRAME_PUSHES);
static_assert(offsetof(ThunkFrame, control_word) == FRAME_CONTROL_WORD);
static_assert(offsetof(ThunkFrame, out_eax) == FRAME_OUT_EAX);
static_assert(offsetof(ThunkFrame, out_ebp) == FRAME_OUT_EBP);
static_assert(offsetof(ThunkFrame, esp_before) == FRAME_ESP_BEFORE);
static_assert(offsetof(ThunkFrame, env) == FRAME_ENV);
static_assert(offsetof(ThunkFrame, st0) == FRAME_ST0);
static_assert(offsetof(ThunkFrame, fault) == FRAME_FAULT);
static_assert(sizeof(ThunkFrame) == FRAME_SIZE);

extern "C" void win32test_call(ThunkFrame* frame);
extern "C" void win32test_call_recover();

ThunkFrame* volatile active_frame = nullptr;

// Last in the vectored list: an exception that nothing else handled ends the
// call, which then reports it, instead of ending the test program.
LONG CALLBACK on_fault(EXCEPTION_POINTERS* info) {
    const DWORD code = info->ExceptionRecord->ExceptionCode;
    ThunkFrame* frame = active_frame;
    if (frame == nullptr || (code & 0xC0000000u) != 0xC0000000u) return EXCEPTION_CONTINUE_SEARCH;
    frame->fault = code;
    active_frame = nullptr;
    info->ContextRecord->FloatSave.StatusWord &= ~0x80FFu;  // no pending x87 exception on resuming
    info->ContextRecord->Eip = reinterpret_cast<DWORD>(&win32test_call_recover);
    return EXCEPTION_CONTINUE_EXECUTION;
}

void install_fault_handler() {
    static const bool installed = AddVectoredExceptionHandler(0, on_fault) != nullptr;
    (void)installed;
}

std::uint16_t word_at(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

Convention convention_of(const char* entry) {
    return std::strncmp(entry, "std", 3) == 0 ? Convention::stdcall : Convention::register_args;
}

Arg pointer(const void* p) { return {Arg::Kind::word, reinterpret_cast<std::uint32_t>(p)}; }
Arg real(double v) { return {Arg::Kind::real, std::bit_cast<std::uint64_t>(v)}; }
Arg real_bits(std::uint64_t bits) { return {Arg::Kind::real, bits}; }
Arg single(float v) { return {Arg::Kind::single, std::bit_cast<std::uint32_t>(v)}; }
Arg single_bits(std::uint32_t bits) { return {Arg::Kind::single, bits}; }

std::string to_string(const Arg& arg) {
    char text[48];
    switch (arg.kind) {
        case Arg::Kind::word:
            std::snprintf(text, sizeof text, "%d", static_cast<int>(static_cast<std::uint32_t>(arg.bits)));
            break;
        case Arg::Kind::real:
            if ((arg.bits & 0x7FF0000000000000u) == 0x7FF0000000000000u && (arg.bits << 12) != 0) {
                std::snprintf(text, sizeof text, "%s (0x%016llX)", (arg.bits >> 51 & 1) ? "qNaN" : "sNaN",
                              static_cast<unsigned long long>(arg.bits));
            } else {
                std::snprintf(text, sizeof text, "%.17g", std::bit_cast<double>(arg.bits));
            }
            break;
        case Arg::Kind::single:
            if ((arg.bits & 0x7F800000u) == 0x7F800000u && (arg.bits & 0x7FFFFFu) != 0) {
                std::snprintf(text, sizeof text, "%s (0x%08X)", (arg.bits >> 22 & 1) ? "qNaN" : "sNaN",
                              static_cast<unsigned>(arg.bits));
                break;
            }
            std::snprintf(text, sizeof text, "%.9gf",
                          static_cast<double>(std::bit_cast<float>(static_cast<std::uint32_t>(arg.bits))));
            break;
    }
    return text;
}

std::optional<double> CallOutcome::exact_double() const {
    const auto bits = double_bits_of(st0);
    if (!bits) return std::nullopt;
    return std::bit_cast<double>(*bits);
}

std::optional<float> CallOutcome::exact_single() const {
    const auto bits = single_bits_of(st0);
    if (!bits) return std::nullopt;
    return std::bit_cast<float>(*bits);
}

CallOutcome call(const void* entry, Convention convention, std::span<const Arg> args, std::uint16_t control_word) {
    install_fault_handler();
    std::vector<std::uint32_t> pushes;
    std::vector<std::uint32_t> registers;
    // A double goes on the stack high word first, so it lies in memory low word first.
    const auto push = [&pushes](const Arg& arg) {
        if (arg.kind == Arg::Kind::real) pushes.push_back(static_cast<std::uint32_t>(arg.bits >> 32));
        pushes.push_back(static_cast<std::uint32_t>(arg.bits));
    };
    if (convention == Convention::register_args) {
        for (const Arg& arg : args) {
            if (arg.kind == Arg::Kind::word && registers.size() < 3) {
                registers.push_back(static_cast<std::uint32_t>(arg.bits));
            } else {
                push(arg);
            }
        }
    } else {
        for (auto it = args.rbegin(); it != args.rend(); ++it) push(*it);
    }
    registers.resize(3, 0);

    ThunkFrame frame{};
    frame.target = entry;
    frame.eax = registers[0];
    frame.edx = registers[1];
    frame.ecx = registers[2];
    frame.pushes = pushes.data();
    frame.push_count = static_cast<std::uint32_t>(pushes.size());
    frame.control_word = control_word;
    active_frame = &frame;
    win32test_call(&frame);
    active_frame = nullptr;

    CallOutcome out;
    out.fault = frame.fault;
    out.eax = frame.out_eax;
    out.ebx = frame.out_ebx;
    out.esi = frame.out_esi;
    out.edi = frame.out_edi;
    out.ebp = frame.out_ebp;
    out.esp_shift = static_cast<std::int32_t>(frame.esp_after - frame.esp_before);
    out.pushed_bytes = 4 * frame.push_count;
    out.control_word = word_at(frame.env);
    out.status_word = word_at(frame.env + 4);
    const std::uint16_t tags = word_at(frame.env + 8);
    for (int r = 0; r < 8; ++r) out.fpu_depth += ((tags >> (2 * r)) & 3) != 3 ? 1 : 0;
    std::memcpy(out.st0.data(), frame.st0, sizeof frame.st0);
    return out;
}

}  // namespace win32test
