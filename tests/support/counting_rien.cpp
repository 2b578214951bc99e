// The delay loop's empty routine, counting its calls for the tests.
#include <atomic>
#include <cstdint>

#include "core/delay.h"

namespace testbus {
std::atomic<std::uint64_t> rien_calls{0};
}

namespace novra3 {
void rien() { testbus::rien_calls.fetch_add(1, std::memory_order_relaxed); }
}  // namespace novra3
