/*
 * An emulated NOVRA3 card for hosts that run the shipped Linux libraries.
 *
 * Without I/O permission every IN or OUT raises SIGSEGV; the handler decodes
 * the instruction, serves or records the access and resumes after it. The
 * handler allocates nothing: scripts and the trace live in fixed arrays.
 * Ports outside the card's window 0x300-0x31F are traced and read as 0xFF.
 */
#ifndef TRAP_CARD_H
#define TRAP_CARD_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum { TRAP_CARD_READ = 0, TRAP_CARD_WRITE = 1 };
enum { TRAP_CARD_TRACE_CAPACITY = 4096, TRAP_CARD_QUEUE_CAPACITY = 64 };

struct trap_card_access {
    uint8_t kind; /* TRAP_CARD_READ or TRAP_CARD_WRITE */
    uint8_t value;
    uint16_t port;
};

/* Installs the SIGSEGV handler; safe to call again. Returns 0, or -1 if sigaction failed. */
int trap_card_install(void);

/* Empties the trace and the read queues, every port reads 0x00, card mode off. */
void trap_card_reset(void);

/* What a port reads once its queue is empty. */
void trap_card_set_read(uint16_t port, uint8_t value);

/* Reads served in order before the port falls back to its set value. Returns 0, or -1 if too many. */
int trap_card_queue_reads(uint16_t port, const uint8_t* values, size_t count);

/* Card mode: the logic output latch 0x311 reads back what was last written to it. */
void trap_card_set_card_mode(int on);

/* The accesses since the last reset or clear, oldest first. */
size_t trap_card_trace_size(void);
const struct trap_card_access* trap_card_trace(void);
/* Nonzero when accesses were lost because the trace was full. */
int trap_card_trace_overflowed(void);
void trap_card_clear_trace(void);

#ifdef __cplusplus
}
#endif

#endif /* TRAP_CARD_H */
