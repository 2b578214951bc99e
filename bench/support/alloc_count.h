// Heap allocations made anywhere in this program since it started: the
// benchmark binaries replace operator new and wrap the malloc family.
#pragma once

#include <cstdint>

namespace bench {

std::uint64_t allocations();

}  // namespace bench
