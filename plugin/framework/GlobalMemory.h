// Movable global memory blocks: one owner frees a block, and a lock gives its
// bytes for as long as the lock lives.
#pragma once

#include <windows.h>

#include <cstddef>

// A global memory block this object owns: freed when it ends, unless it was
// handed on with Release.
class CGlobalBlock {
  public:
    CGlobalBlock() = default;
    // Takes ownership of the block (null for none).
    explicit CGlobalBlock(HGLOBAL hBlock) : m_hBlock(hBlock) {}
    CGlobalBlock(CGlobalBlock&& other) noexcept : m_hBlock(other.Release()) {}
    CGlobalBlock& operator=(CGlobalBlock&& other) noexcept;
    CGlobalBlock(const CGlobalBlock&) = delete;
    CGlobalBlock& operator=(const CGlobalBlock&) = delete;
    ~CGlobalBlock() { Free(); }

    // A new block of the size with the GlobalAlloc flags; empty when none could be had.
    static CGlobalBlock Allocate(UINT nFlags, size_t nSize);

    HGLOBAL Get() const { return m_hBlock; }
    bool IsEmpty() const { return m_hBlock == nullptr; }
    // Hands the block on (to the clipboard, to the host, to a caller); this
    // object is empty afterwards.
    HGLOBAL Release();
    void Free();

  private:
    HGLOBAL m_hBlock = nullptr;
};

// The locked bytes of a global block, unlocked when this ends. The block
// stays its owner's.
template <typename T> class CGlobalLock {
  public:
    explicit CGlobalLock(HGLOBAL hBlock)
        : m_hBlock(hBlock),
          m_pData(hBlock != nullptr ? static_cast<T*>(GlobalLock(hBlock)) : nullptr) {}
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    ~CGlobalLock() {
        if (m_pData != nullptr) {
            GlobalUnlock(m_hBlock);
        }
    }

    bool IsLocked() const { return m_pData != nullptr; }
    T* Data() const { return m_pData; }
    // Size of the block in bytes; 0 when it could not be locked.
    size_t Size() const { return m_pData != nullptr ? GlobalSize(m_hBlock) : 0; }

  private:
    HGLOBAL m_hBlock;
    T* m_pData;
};
