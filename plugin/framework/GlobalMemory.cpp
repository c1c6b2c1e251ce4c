#include "GlobalMemory.h"

CGlobalBlock& CGlobalBlock::operator=(CGlobalBlock&& other) noexcept {
    if (this != &other) {
        Free();
        m_hBlock = other.Release();
    }
    return *this;
}

CGlobalBlock CGlobalBlock::Allocate(UINT nFlags, size_t nSize) {
    return CGlobalBlock(GlobalAlloc(nFlags, nSize));
}

HGLOBAL CGlobalBlock::Release() {
    HGLOBAL hBlock = m_hBlock;
    m_hBlock = nullptr;
    return hBlock;
}

void CGlobalBlock::Free() {
    if (m_hBlock != nullptr) {
        GlobalFree(m_hBlock);
        m_hBlock = nullptr;
    }
}
