#include "NameIndex.h"

#include "SmallString.h"

#include <cstring>

namespace {
// Names are compared on their first 255 characters.
constexpr size_t MaxComparedName = 255;
constexpr size_t FirstSize = 64;
} // namespace

uint32_t CNameIndex::Hash(const char* pName) {
    // FNV-1a over the compared characters.
    uint32_t nHash = 2166136261u;
    for (size_t i = 0; i < MaxComparedName && pName[i] != '\0'; ++i) {
        nHash = (nHash ^ static_cast<unsigned char>(pName[i])) * 16777619u;
    }
    return nHash;
}

size_t CNameIndex::SlotOf(const char* pName, uint32_t nHash) const {
    size_t nMask = m_slots.size() - 1;
    for (size_t i = nHash & nMask;; i = (i + 1) & nMask) {
        const CSlot& slot = m_slots[i];
        if (slot.pItem == nullptr ||
            (slot.nHash == nHash &&
             strncmp(m_nameOf(slot.pItem).Text(), pName, MaxComparedName) == 0)) {
            return i;
        }
    }
}

void CNameIndex::Reset() {
    m_bInStep = false;
    m_slots.assign(FirstSize, CSlot{0, nullptr});
    m_nUsed = 0;
}

void CNameIndex::Grow() {
    std::vector<CSlot> old(m_slots.size() * 2, CSlot{0, nullptr});
    old.swap(m_slots);
    size_t nMask = m_slots.size() - 1;
    for (const CSlot& slot : old) {
        if (slot.pItem != nullptr) {
            size_t i = slot.nHash & nMask;
            while (m_slots[i].pItem != nullptr) {
                i = (i + 1) & nMask;
            }
            m_slots[i] = slot;
        }
    }
}

void CNameIndex::Add(void* pItem) {
    if (m_slots.empty()) {
        Reset();
    }
    if ((m_nUsed + 1) * 2 > m_slots.size()) {
        Grow();
    }
    const char* pName = m_nameOf(pItem).Text();
    uint32_t nHash = Hash(pName);
    CSlot& slot = m_slots[SlotOf(pName, nHash)];
    if (slot.pItem == nullptr) {
        slot = CSlot{nHash, pItem};
        ++m_nUsed;
    }
}

void CNameIndex::MarkInStep(uint32_t nChanges) {
    m_nChanges = nChanges;
    m_bInStep = true;
}

void* CNameIndex::Find(const CSmallString& name) const {
    if (m_slots.empty()) {
        return nullptr;
    }
    return m_slots[SlotOf(name.Text(), Hash(name.Text()))].pItem;
}
