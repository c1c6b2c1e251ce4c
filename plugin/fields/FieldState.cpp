#include "FieldState.h"

CDataFieldList* pDFList = nullptr;
CDataField* pDF = nullptr;

CFieldState::CFieldState(Exported) : pList(pDFList), pField(pDF) {}

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
