#include "DocDefState.h"

CDocDef* pDocDef = nullptr;

CDocDef& TheDocDef() {
    if (pDocDef == nullptr) {
        pDocDef = new CDocDef;
    }
    return *pDocDef;
}

void DiscardDocDef() {
    delete pDocDef;
    pDocDef = nullptr;
}
