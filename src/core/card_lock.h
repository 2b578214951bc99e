// One lock for the card: a conversion, a read-modify-write of the output latch
// and an output write with its remembered value each run whole.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <mutex>
#endif

namespace novra3 {

#ifdef _WIN32
// A critical section works on every Windows version the card's PCs run.
class CardLock {
public:
    CardLock() { InitializeCriticalSection(&section_); }
    ~CardLock() { DeleteCriticalSection(&section_); }
    CardLock(const CardLock&) = delete;
    CardLock& operator=(const CardLock&) = delete;
    void lock() { EnterCriticalSection(&section_); }
    void unlock() { LeaveCriticalSection(&section_); }

private:
    CRITICAL_SECTION section_;
};
#else
using CardLock = std::mutex;
#endif

extern CardLock card_lock;

class CardGuard {
public:
    CardGuard() { card_lock.lock(); }
    ~CardGuard() { card_lock.unlock(); }
    CardGuard(const CardGuard&) = delete;
    CardGuard& operator=(const CardGuard&) = delete;
};

}  // namespace novra3
