#include "ObjectNameList.h"

#include "core/OwnedText.h"

#include <cstring>

CStringList::~CStringList() {
    for (size_t i = 0; i < m_nCount; ++i) {
        delete[] m_ppItems[i];
    }
    delete[] m_ppItems;
}

void CStringList::Add(const char* pText) {
    if (m_nCount == m_nCapacity) {
        char** ppGrown = new char*[m_nCapacity + GrowBy];
        for (size_t i = 0; i < m_nCount; ++i) {
            ppGrown[i] = m_ppItems[i];
        }
        delete[] m_ppItems;
        m_ppItems = ppGrown;
        m_nCapacity += GrowBy;
    }
    m_ppItems[m_nCount++] = DuplicateText(pText != nullptr ? pText : "");
}

int CStringList::Contains(const char* pText) const {
    for (size_t i = 0; i < m_nCount; ++i) {
        if (pText != nullptr && strcmp(m_ppItems[i], pText) == 0) {
            return 1;
        }
    }
    return 0;
}

void CStringList::Remove(const char* pText) {
    for (size_t i = 0; i < m_nCount; ++i) {
        if (pText != nullptr && strcmp(m_ppItems[i], pText) == 0) {
            delete[] m_ppItems[i];
            for (size_t j = i + 1; j < m_nCount; ++j) {
                m_ppItems[j - 1] = m_ppItems[j];
            }
            --m_nCount;
            return;
        }
    }
}
