#include "core/delay.h"

namespace novra3 {

// Kept out of line (own file, no inlining) so every loop iteration is a call.
__attribute__((noinline)) void rien() { __asm__ __volatile__(""); }

}  // namespace novra3
