#include "calls/backend.h"

namespace bench {

const char* backend_title() { return "calls to the simulated card, plain library"; }

void tidy() {}

}  // namespace bench
