#include "ItemList.h"

#include "DataDefinition.h"
#include "Instructions.h"
#include "core/AreaDefinition.h"

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
    ++m_nChanges;
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
    ++m_nChanges;
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

// The first item of the name, through the index, which is built again from
// the list when it is out of step.
template <typename T>
T* FindThroughIndex(const CItemList& list, CNameIndex& index, const CSmallString& name) {
    if (!index.InStep(list.Changes())) {
        index.Reset();
        list.ForEachItem([&](void* pItem) { index.Add(pItem); });
        index.MarkInStep(list.Changes());
    }
    return static_cast<T*>(index.Find(name));
}

// Appends a copy of the item and records it in the index, if the index was
// in step before; -1 when the copy cannot be made.
template <typename T> int AppendIndexed(CItemList& list, CNameIndex& index, const T& item) {
    bool bInStep = index.InStep(list.Changes());
    if (list.Append(const_cast<T*>(&item), CopyOf<T>) != 0) {
        return -1;
    }
    if (bInStep) {
        index.Add(list.Last());
        index.MarkInStep(list.Changes());
    }
    return 0;
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

template <typename T> const CSmallString& NameOf(const void* pItem) {
    return static_cast<const T*>(pItem)->strName;
}

} // namespace

CDataDefinitionList::CDataDefinitionList() : m_index(NameOf<CDataDefinition>) {}

CDataDefinitionList::~CDataDefinitionList() {
    CDataDefinitionList::RemoveAll();
}

int CDataDefinitionList::AddCopy(const CDataDefinition& record) {
    return AppendIndexed(*this, m_index, record);
}

CDataDefinition* CDataDefinitionList::FindByName(const CSmallString& name) {
    return FindThroughIndex<CDataDefinition>(*this, m_index, name);
}

void CDataDefinitionList::RemoveAll() {
    Clear(Delete<CDataDefinition>);
}

CAreaDefinitionList::CAreaDefinitionList() : m_index(NameOf<CAreaDefinition>) {}

CAreaDefinitionList::~CAreaDefinitionList() {
    CAreaDefinitionList::RemoveAll();
}

int CAreaDefinitionList::AddCopy(const CAreaDefinition& area) {
    return AppendIndexed(*this, m_index, area);
}

CAreaDefinition* CAreaDefinitionList::FindByName(const CSmallString& name) {
    return FindThroughIndex<CAreaDefinition>(*this, m_index, name);
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

void CInstructionList::ForEachInstruction(
    const std::function<void(const CInstruction&)>& visit) const {
    ForEachItem([&](const void* pItem) {
        visit(*static_cast<const CInstructionCell*>(pItem)->pInstruction);
    });
}

CInstruction* CInstructionList::NextInstruction() {
    auto* pCell = static_cast<CInstructionCell*>(Next());
    return pCell != nullptr ? pCell->pInstruction : nullptr;
}
