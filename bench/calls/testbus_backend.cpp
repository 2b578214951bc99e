#include "calls/backend.h"
#include "test_bus.h"

namespace bench {

const char* backend_title() {
#if NOVRA3_REC
    return "calls over the test bus, rec library";
#else
    return "calls over the test bus, plain library";
#endif
}

// The bus records every access; clearing keeps the trace's storage, so the
// calls allocate nothing once the first block has run.
void tidy() { testbus::clear_trace(); }

}  // namespace bench
