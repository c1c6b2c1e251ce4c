// The publication's data fields as the commands work on them.
#pragma once

#include "core/DataFieldList.h"

// The exported list of the publication's data fields and the field the
// dialogs are working on: the host reads them by these names. They are the
// plug-in's field state below, set only through it.
extern "C" CDataFieldList* pDFList;
extern "C" CDataField* pDF;

class CFieldState {
  public:
    // A state of its own, as a test builds it.
    CFieldState() : pList(m_pOwnList), pField(m_pOwnField) {}
    // The plug-in's state: its list and field are the exported pointers, so
    // that the host sees them at every moment.
    struct Exported {};
    explicit CFieldState(Exported);
    CFieldState(const CFieldState&) = delete;
    CFieldState& operator=(const CFieldState&) = delete;
    ~CFieldState() { Release(); }

    // Sets everything to null without freeing anything.
    void Reset();
    // Frees the list, the field and the name, then resets.
    void Release();

    CDataFieldList*& pList;
    CDataField*& pField;       // a copy, never a member of the list
    char* pLastName = nullptr; // of the data field last named or chosen

  private:
    CDataFieldList* m_pOwnList = nullptr;
    CDataField* m_pOwnField = nullptr;
};
