#include "ObjectState.h"

void CObjectState::Reset() {
    pNames = nullptr;
    bNamesUnread = false;
    pLastName = nullptr;
}

void CObjectState::Release() {
    delete pNames;
    delete[] pLastName;
    Reset();
}
