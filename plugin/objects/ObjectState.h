// State of the named-object commands: the names of the publication's named
// objects, the name of the named object last chosen, and the clipboard format
// in which placeholders are handed over.
#pragma once

#include "core/ObjectNameList.h"

class CObjectState {
  public:
    CObjectState() = default;
    CObjectState(const CObjectState&) = delete;
    CObjectState& operator=(const CObjectState&) = delete;
    ~CObjectState() { Release(); }

    // Sets everything to its initial value without freeing anything (the
    // clipboard format number is kept).
    void Reset();
    // Frees the names and the last name, then resets.
    void Release();

    CStringList* pNames = nullptr;
    // True when the host could not list the named objects at start-up: their
    // names are learnt from the pages before a name is next checked.
    bool bNamesUnread = false;
    char* pLastName = nullptr;
    unsigned nEpsClipboardFormat = 0;
};
