// Replaces the program's operator new with one that counts down to a failure.
#include "AllocationFaults.h"

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace {
std::atomic<long> nCountdown{0};
std::atomic<bool> bFailed{false};
std::atomic<long> nCount{0};
std::atomic<bool> bPaused{false};
uint32_t nHostCallback = 0;

uint16_t __stdcall ShieldedCallback(HostParamBlock* pBlock) {
    auto callback = reinterpret_cast<uint16_t(__stdcall*)(HostParamBlock*)>(
        static_cast<uintptr_t>(nHostCallback));
    bool bWasPaused = bPaused.exchange(true);
    uint16_t nStatus = callback(pBlock);
    bPaused = bWasPaused;
    return nStatus;
}

void* Allocate(std::size_t nSize) {
    if (!bPaused.load() && (++nCount, nCountdown.load() > 0) && --nCountdown == 0) {
        bFailed = true;
        throw std::bad_alloc();
    }
    if (void* p = std::malloc(nSize != 0 ? nSize : 1)) {
        return p;
    }
    throw std::bad_alloc();
}
} // namespace

void FailAllocation(long nNth) {
    bFailed = false;
    nCount = 0;
    nCountdown = nNth;
}

long AllocationCount() {
    return nCount.load();
}

void ShieldHostFromAllocationFaults(HostParamBlock* pBlock) {
    nHostCallback = pBlock->callback;
    pBlock->callback = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&ShieldedCallback));
}

bool AllocationFailed() {
    return bFailed.load();
}

void* operator new(std::size_t nSize) {
    return Allocate(nSize);
}

void* operator new[](std::size_t nSize) {
    return Allocate(nSize);
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete[](void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

void operator delete[](void* p, std::size_t) noexcept {
    std::free(p);
}
