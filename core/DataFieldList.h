// The publication's data fields, kept in order of start offset: a circular
// singly linked list with a sentinel node and a cursor for iteration.
#pragma once

#include "DataField.h"

#include <cstdint>

class CDataFieldList {
  public:
    CDataFieldList();
    CDataFieldList(const CDataFieldList&) = delete;
    CDataFieldList& operator=(const CDataFieldList&) = delete;
    ~CDataFieldList();

    int IsEmpty() const { return m_nCount == 0; }
    int16_t Count() const { return m_nCount; }

    // Links the field in after every field whose start is not greater than its own.
    int Insert(CDataField* pField);
    // Removes the first field with the name and hands it to the caller.
    CDataField* Unlink(const char* pName);
    // Removes and frees every field that starts after the offset.
    void RemoveAfter(int32_t nOffset);
    // Frees the named field and inserts the new one; without such a field
    // nothing changes and the new field stays the caller's.
    int Replace(const char* pName, CDataField* pField);
    int Contains(const char* pName) const { return Find(pName) != nullptr; }
    CDataField* Find(const char* pName) const;

    void Rewind() { m_pCursor = m_pSentinel->pNext; }
    CDataField* Next();

    // 1 when the bytes a..b (inclusive) overlap no field but the one left out.
    int IsRangeFree(const char* pLeaveOut, int32_t a, int32_t b) const;

  private:
    struct Node {
        CDataField* pField;
        Node* pNext;
    };
    // Unlinks the node after pPrevious and returns its field.
    CDataField* UnlinkAfter(Node* pPrevious);

    Node* m_pSentinel;
    Node* m_pCursor;
    int16_t m_nCount;
};
