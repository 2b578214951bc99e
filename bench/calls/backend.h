// What the linked library talks to, and the upkeep it needs between timed blocks.
#pragma once

namespace bench {

const char* backend_title();

// Untimed, between blocks of calls: keeps the backend from growing without end.
void tidy();

}  // namespace bench
