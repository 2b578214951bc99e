/* The SIGSEGV handler runs inside the library's IN/OUT: it only touches the
 * fixed arrays below, under a spin flag, so threads that reach the card at the
 * same time are served one after the other. */
#define _GNU_SOURCE
#include "trap_card.h"

#include <signal.h>
#include <stdatomic.h>
#include <string.h>
#include <ucontext.h>

enum {
    kWindowBase = 0x300,
    kWindowSize = 0x20,
    kLatchPort = 0x311,
    kOutsideWindow = 0xFF,
    kSegvFromKernel = 0x80, /* SI_KERNEL: a general-protection fault, not a page fault */
};

struct port_script {
    uint8_t value;
    uint8_t queued;
    uint8_t next;
    uint8_t queue[TRAP_CARD_QUEUE_CAPACITY];
};

static struct port_script scripts[kWindowSize];
static struct trap_card_access trace[TRAP_CARD_TRACE_CAPACITY];
static size_t trace_size;
static int trace_overflowed;
static int card_mode;
static atomic_flag busy = ATOMIC_FLAG_INIT;

static void lock(void) {
    while (atomic_flag_test_and_set_explicit(&busy, memory_order_acquire)) {
    }
}

static void unlock(void) { atomic_flag_clear_explicit(&busy, memory_order_release); }

static struct port_script* script_of(uint16_t port) {
    if (port < kWindowBase || port >= kWindowBase + kWindowSize) return NULL;
    return &scripts[port - kWindowBase];
}

static void record(uint8_t kind, uint16_t port, uint8_t value) {
    if (trace_size == TRAP_CARD_TRACE_CAPACITY) {
        trace_overflowed = 1;
        return;
    }
    trace[trace_size].kind = kind;
    trace[trace_size].port = port;
    trace[trace_size].value = value;
    ++trace_size;
}

static uint8_t card_read(uint16_t port) {
    struct port_script* s = script_of(port);
    uint8_t value = kOutsideWindow;
    if (s != NULL) value = s->next < s->queued ? s->queue[s->next++] : s->value;
    record(TRAP_CARD_READ, port, value);
    return value;
}

static void card_write(uint16_t port, uint8_t value) {
    if (card_mode && port == kLatchPort) script_of(port)->value = value;
    record(TRAP_CARD_WRITE, port, value);
}

/* Anything but a byte IN or OUT is a real fault: let it kill the process. */
static void give_up(void) {
    struct sigaction dfl;
    memset(&dfl, 0, sizeof dfl);
    dfl.sa_handler = SIG_DFL;
    sigaction(SIGSEGV, &dfl, NULL);
}

static void on_segv(int signo, siginfo_t* info, void* context) {
    (void)signo;
    if (info->si_code != kSegvFromKernel) {
        give_up();
        return;
    }
    greg_t* regs = ((ucontext_t*)context)->uc_mcontext.gregs;
    const uint8_t* ip = (const uint8_t*)regs[REG_RIP];
    const uint16_t dx = (uint16_t)regs[REG_RDX];
    const greg_t al_cleared = regs[REG_RAX] & ~(greg_t)0xFF;
    const uint8_t al = (uint8_t)regs[REG_RAX];
    lock();
    switch (ip[0]) {
        case 0xEC: /* in al, dx */
            regs[REG_RAX] = al_cleared | card_read(dx);
            regs[REG_RIP] += 1;
            break;
        case 0xEE: /* out dx, al */
            card_write(dx, al);
            regs[REG_RIP] += 1;
            break;
        case 0xE4: /* in al, imm8 */
            regs[REG_RAX] = al_cleared | card_read(ip[1]);
            regs[REG_RIP] += 2;
            break;
        case 0xE6: /* out imm8, al */
            card_write(ip[1], al);
            regs[REG_RIP] += 2;
            break;
        default:
            give_up();
            break;
    }
    unlock();
}

int trap_card_install(void) {
    struct sigaction sa;
    memset(&sa, 0, sizeof sa);
    sa.sa_sigaction = on_segv;
    sa.sa_flags = SA_SIGINFO;
    sigemptyset(&sa.sa_mask);
    return sigaction(SIGSEGV, &sa, NULL) == 0 ? 0 : -1;
}

void trap_card_reset(void) {
    lock();
    memset(scripts, 0, sizeof scripts);
    trace_size = 0;
    trace_overflowed = 0;
    card_mode = 0;
    unlock();
}

void trap_card_set_read(uint16_t port, uint8_t value) {
    lock();
    struct port_script* s = script_of(port);
    if (s != NULL) s->value = value;
    unlock();
}

int trap_card_queue_reads(uint16_t port, const uint8_t* values, size_t count) {
    int result = -1;
    lock();
    struct port_script* s = script_of(port);
    if (s != NULL && count <= (size_t)(TRAP_CARD_QUEUE_CAPACITY - s->queued)) {
        memcpy(s->queue + s->queued, values, count);
        s->queued = (uint8_t)(s->queued + count);
        result = 0;
    }
    unlock();
    return result;
}

void trap_card_set_card_mode(int on) {
    lock();
    card_mode = on;
    unlock();
}

size_t trap_card_trace_size(void) { return trace_size; }

const struct trap_card_access* trap_card_trace(void) { return trace; }

int trap_card_trace_overflowed(void) { return trace_overflowed; }

void trap_card_clear_trace(void) {
    lock();
    trace_size = 0;
    trace_overflowed = 0;
    unlock();
}
