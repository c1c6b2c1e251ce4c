#include "ItemList.h"

#include "DataDefinition.h"
#include "Instructions.h"
#include "model/AreaDefinition.h"

#include <new>

CItemList::~CItemList() {
    Clear();
}

int CItemList::Append(void* pItem, CopyFn copy) {
    void* pStored = copy != nullptr ? copy(pItem) : pItem;
    if (pStored == nullptr) {
        return -1;
    }
    Node* pNode = new (std::nothrow) Node{pStored, nullptr};
    if (pNode == nullptr) {
        return -1;
    }
    if (m_pTail == nullptr) {
        m_pHead = pNode;
    } else {
        m_pTail->pNext = pNode;
    }
    m_pTail = pNode;
    ++m_nCount;
    return 0;
}

void* CItemList::Next() {
    if (m_pCursor == nullptr) {
        return nullptr;
    }
    void* pItem = m_pCursor->pItem;
    m_pCursor = m_pCursor->pNext;
    return pItem;
}

void CItemList::Clear(FreeFn free) {
    Node* pNode = m_pHead;
    while (pNode != nullptr) {
        Node* pNext = pNode->pNext;
        if (free != nullptr) {
            free(pNode->pItem);
        }
        delete pNode;
        pNode = pNext;
    }
    m_pHead = m_pTail = m_pCursor = nullptr;
    m_nCount = 0;
}

void* CItemList::Find(const void* pKey, CompareFn compare) const {
    for (Node* pNode = m_pHead; pNode != nullptr; pNode = pNode->pNext) {
        bool bMatch = compare != nullptr ? compare(pNode->pItem, pKey) == 0 : pNode->pItem == pKey;
        if (bMatch) {
            return pNode->pItem;
        }
    }
    return nullptr;
}

namespace {

template <typename T> void* CopyOf(const void* pItem) {
    return new (std::nothrow) T(*static_cast<const T*>(pItem));
}

template <typename T> void Delete(void* pItem) {
    delete static_cast<T*>(pItem);
}

struct CInstructionCell {
    CInstruction* pInstruction;
};

void ReleaseCell(void* pItem) {
    auto* pCell = static_cast<CInstructionCell*>(pItem);
    pCell->pInstruction->Release();
    delete pCell->pInstruction;
    delete pCell;
}

} // namespace

CDataDefinitionList::~CDataDefinitionList() {
    CDataDefinitionList::RemoveAll();
}

int CDataDefinitionList::AddCopy(const CDataDefinition& record) {
    return Append(const_cast<CDataDefinition*>(&record), CopyOf<CDataDefinition>);
}

void CDataDefinitionList::RemoveAll() {
    Clear(Delete<CDataDefinition>);
}

CAreaDefinitionList::~CAreaDefinitionList() {
    CAreaDefinitionList::RemoveAll();
}

int CAreaDefinitionList::AddCopy(const CAreaDefinition& area) {
    return Append(const_cast<CAreaDefinition*>(&area), CopyOf<CAreaDefinition>);
}

void CAreaDefinitionList::RemoveAll() {
    Clear(Delete<CAreaDefinition>);
}

CInstructionList::~CInstructionList() {
    CInstructionList::RemoveAll();
}

int CInstructionList::AddCopy(CInstruction* pInstruction) {
    auto* pCell = new (std::nothrow) CInstructionCell{pInstruction};
    if (pCell == nullptr || Append(pCell) != 0) {
        delete pCell;
        return -1;
    }
    return 0;
}

void CInstructionList::RemoveAll() {
    Clear(ReleaseCell);
}

CInstruction* CInstructionList::NextInstruction() {
    auto* pCell = static_cast<CInstructionCell*>(Next());
    return pCell != nullptr ? pCell->pInstruction : nullptr;
}
