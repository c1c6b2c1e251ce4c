#include "DataFieldList.h"

#include <cstring>

namespace {
bool SameName(const CDataField* pField, const char* pName) {
    return pField->pName != nullptr && pName != nullptr && strcmp(pField->pName, pName) == 0;
}
} // namespace

CDataFieldList::CDataFieldList() : m_pSentinel(new Node{nullptr, nullptr}), m_nCount(0) {
    m_pSentinel->pNext = m_pSentinel;
    m_pCursor = m_pSentinel;
}

CDataFieldList::~CDataFieldList() {
    Node* pNode = m_pSentinel->pNext;
    while (pNode != m_pSentinel) {
        Node* pNext = pNode->pNext;
        delete pNode->pField;
        delete pNode;
        pNode = pNext;
    }
    delete m_pSentinel;
}

int CDataFieldList::Insert(CDataField* pField) {
    Node* pPrevious = m_pSentinel;
    while (pPrevious->pNext != m_pSentinel &&
           pPrevious->pNext->pField->GetStart() <= pField->GetStart()) {
        pPrevious = pPrevious->pNext;
    }
    pPrevious->pNext = new Node{pField, pPrevious->pNext};
    ++m_nCount;
    return 1;
}

CDataField* CDataFieldList::UnlinkAfter(Node* pPrevious) {
    Node* pNode = pPrevious->pNext;
    if (m_pCursor == pNode) {
        m_pCursor = pNode->pNext;
    }
    pPrevious->pNext = pNode->pNext;
    CDataField* pField = pNode->pField;
    delete pNode;
    --m_nCount;
    return pField;
}

CDataField* CDataFieldList::Unlink(const char* pName) {
    for (Node* pPrevious = m_pSentinel; pPrevious->pNext != m_pSentinel;
         pPrevious = pPrevious->pNext) {
        if (SameName(pPrevious->pNext->pField, pName)) {
            return UnlinkAfter(pPrevious);
        }
    }
    return nullptr;
}

void CDataFieldList::RemoveAfter(int32_t nOffset) {
    Node* pPrevious = m_pSentinel;
    while (pPrevious->pNext != m_pSentinel) {
        if (pPrevious->pNext->pField->GetStart() > nOffset) {
            delete UnlinkAfter(pPrevious);
        } else {
            pPrevious = pPrevious->pNext;
        }
    }
}

int CDataFieldList::Replace(const char* pName, CDataField* pField) {
    CDataField* pOld = Unlink(pName);
    if (pOld == nullptr) {
        return 0;
    }
    delete pOld;
    Insert(pField);
    return 1;
}

CDataField* CDataFieldList::Find(const char* pName) const {
    for (Node* pNode = m_pSentinel->pNext; pNode != m_pSentinel; pNode = pNode->pNext) {
        if (SameName(pNode->pField, pName)) {
            return pNode->pField;
        }
    }
    return nullptr;
}

CDataField* CDataFieldList::Next() {
    if (m_pCursor == m_pSentinel) {
        return nullptr;
    }
    CDataField* pField = m_pCursor->pField;
    m_pCursor = m_pCursor->pNext;
    return pField;
}

int CDataFieldList::IsRangeFree(const char* pLeaveOut, int32_t a, int32_t b) const {
    for (Node* pNode = m_pSentinel->pNext; pNode != m_pSentinel && pNode->pField->GetStart() <= b;
         pNode = pNode->pNext) {
        const CDataField* pField = pNode->pField;
        if (pLeaveOut != nullptr && SameName(pField, pLeaveOut)) {
            continue;
        }
        int32_t nFirst = pField->GetStart();
        int32_t nLast = pField->GetEnd() - 1;
        bool bOverlap =
            (a >= nFirst && a <= nLast) || (b >= nFirst && b <= nLast) || (nFirst > a && nLast < b);
        if (bOverlap) {
            return 0;
        }
    }
    return 1;
}
