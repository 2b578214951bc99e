// Load on Linux: the dynamic loader runs this once the runtime is up.
// Unloading touches nothing: outputs keep their last state.
#include "core/load.h"

namespace {

__attribute__((constructor)) void on_load() { novra3::charger(); }

}  // namespace
