#include "checks.h"

#include <bit>
#include <cstdio>

#include "extended.h"
#include "thunk_layout.h"

namespace win32test {

namespace {

std::string hex(std::uint32_t v) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v));
    return text;
}

}  // namespace

std::string describe_double(double v) {
    char text[64];
    std::snprintf(text, sizeof text, "%.17g (0x%016llX)", v,
                  static_cast<unsigned long long>(std::bit_cast<std::uint64_t>(v)));
    return text;
}

::testing::AssertionResult kept_convention(const CallOutcome& out, ResultKind kind, std::uint16_t host_control_word) {
    if (out.fault != 0) return ::testing::AssertionFailure() << "the call raised exception " << hex(out.fault);
    auto failure = ::testing::AssertionFailure();
    bool ok = true;
    const struct {
        const char* name;
        std::uint32_t expected, actual;
    } saved[] = {{"EBX", SENTINEL_EBX, out.ebx},
                 {"ESI", SENTINEL_ESI, out.esi},
                 {"EDI", SENTINEL_EDI, out.edi},
                 {"EBP", SENTINEL_EBP, out.ebp}};
    for (const auto& r : saved) {
        if (r.expected != r.actual) {
            failure << r.name << " was " << hex(r.expected) << " before the call and " << hex(r.actual) << " after; ";
            ok = false;
        }
    }
    if (out.esp_shift != 0) {
        failure << "ESP moved by " << out.esp_shift << " bytes across the call (" << out.pushed_bytes
                << " bytes of arguments pushed, the callee must remove them all); ";
        ok = false;
    }
    const int depth = kind == ResultKind::word ? 0 : 1;
    if (out.fpu_depth != depth) {
        failure << "x87 stack held " << out.fpu_depth << " values after the call, expected " << depth << "; ";
        ok = false;
    }
    if (out.control_word != host_control_word) {
        failure << "x87 control word " << hex(out.control_word) << " after the call, the host had "
                << hex(host_control_word) << "; ";
        ok = false;
    }
    if (ok) return ::testing::AssertionSuccess();
    return failure;
}

::testing::AssertionResult returned_double(const CallOutcome& out, double expected) {
    if (out.fault != 0) return ::testing::AssertionFailure() << "the call raised exception " << hex(out.fault);
    const std::optional<double> actual = out.exact_double();
    if (!actual) {
        return ::testing::AssertionFailure() << "expected " << describe_double(expected) << ", ST(0) held "
                                             << to_string(out.st0) << ", which is no double (excess precision)";
    }
    if (std::bit_cast<std::uint64_t>(*actual) != std::bit_cast<std::uint64_t>(expected)) {
        return ::testing::AssertionFailure()
               << "expected " << describe_double(expected) << ", got " << describe_double(*actual);
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult returned_single(const CallOutcome& out, float expected) {
    if (out.fault != 0) return ::testing::AssertionFailure() << "the call raised exception " << hex(out.fault);
    const std::optional<float> actual = out.exact_single();
    if (!actual) {
        return ::testing::AssertionFailure() << "expected the single " << describe_double(expected) << ", ST(0) held "
                                             << to_string(out.st0) << ", which is no single (excess precision)";
    }
    if (std::bit_cast<std::uint32_t>(*actual) != std::bit_cast<std::uint32_t>(expected)) {
        return ::testing::AssertionFailure()
               << "expected the single " << describe_double(expected) << ", got " << describe_double(*actual);
    }
    return ::testing::AssertionSuccess();
}

}  // namespace win32test
