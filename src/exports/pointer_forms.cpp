// Results handed back through a pointer. Each thread has its own cells, so a
// host thread's result is never overwritten by another thread.
#include "exports/arguments.h"

namespace {

thread_local double pead_cell = 0.0;
thread_local double psad_cell = 0.0;

}  // namespace

extern "C" {

const double* NOVRA3_REGISTER pead(int n) {
    pead_cell = ead(n);
    return &pead_cell;
}

const double* NOVRA3_REGISTER psad(int n, const double* pv) {
    psad_cell = novra3::sad_bits(n, novra3::bits_at(pv));
    return &psad_cell;
}

}  // extern "C"
