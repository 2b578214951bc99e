/* A library that faults while it loads, as a direct-access library does in a
 * process without I/O permission. */
#include <signal.h>

__attribute__((constructor)) static void fault_at_load(void) { raise(SIGSEGV); }
