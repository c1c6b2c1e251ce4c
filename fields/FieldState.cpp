#include "FieldState.h"

CDataFieldList* pDFList = nullptr;
CDataField* pDF = nullptr;

void CFieldState::Reset() {
    pList = nullptr;
    pField = nullptr;
    pLastName = nullptr;
}

void CFieldState::Release() {
    delete[] pLastName;
    delete pList;
    delete pField;
    Reset();
}
