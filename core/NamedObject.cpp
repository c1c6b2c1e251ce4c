#include "NamedObject.h"

#include "DataFieldList.h"

#include <cstring>

CNamedObject* NewNamedObject() {
    CNamedObject* pObject = new CNamedObject;
    pObject->pArea = new CAreaDefinition;
    pObject->szDataField[0] = '\0';
    return pObject;
}

void FreeNamedObject(CNamedObject* pObject) {
    if (pObject == nullptr) {
        return;
    }
    delete pObject->pArea;
    delete pObject;
}

void GetBounds(float& fLeft, float& fTop, float& fWidth, float& fHeight,
               const CNamedObject* pObject) {
    fLeft = pObject->pArea->fLeft;
    fTop = pObject->pArea->fTop;
    fWidth = pObject->pArea->fWidth;
    fHeight = pObject->pArea->fHeight;
}

void SetBounds(float fLeft, float fTop, float fWidth, float fHeight, CNamedObject* pObject) {
    pObject->pArea->fLeft = fLeft;
    pObject->pArea->fTop = fTop;
    pObject->pArea->fWidth = fWidth;
    pObject->pArea->fHeight = fHeight;
}

void SetTextAttributes(int32_t nAlignment, const char* pFont, float fSize, float fSpacing,
                       float fFirstX, float fFirstY, CNamedObject* pObject) {
    CAreaDefinition& area = *pObject->pArea;
    if (nAlignment > 0) {
        area.nAlignment = nAlignment;
    }
    if (pFont != nullptr) {
        area.strFont = pFont;
    }
    if (fSize >= 0) {
        area.fSize = fSize;
    }
    if (fSpacing >= 0) {
        area.fSpacing = fSpacing;
    }
    if (fFirstX >= 0) {
        area.fFirstPosX = fFirstX;
    }
    if (fFirstY >= 0) {
        area.fFirstPosY = fFirstY;
    }
}

void SetColor(float fCyan, float fMagenta, float fYellow, float fBlack, CNamedObject* pObject) {
    pObject->pArea->fCyan = fCyan;
    pObject->pArea->fMagenta = fMagenta;
    pObject->pArea->fYellow = fYellow;
    pObject->pArea->fBlack = fBlack;
}

void SetGraphic(int nFlag, CNamedObject* pObject) {
    pObject->pArea->nKind = nFlag != 0 ? KindGraphic : KindText;
}

int IsGraphic(const CNamedObject* pObject) {
    return pObject->pArea->nKind == KindGraphic;
}

void GetAreaName(char* pBuffer, size_t nSize, const CNamedObject* pObject) {
    if (nSize == 0) {
        return;
    }
    const CSmallString& name = pObject->pArea->strName;
    size_t nCopy = static_cast<size_t>(name.Length());
    if (nCopy > nSize - 1) {
        nCopy = nSize - 1;
    }
    memcpy(pBuffer, name.Text(), nCopy);
    pBuffer[nCopy] = '\0';
}

void SetFileAndPage(const char* pFile, const char* pPage, CNamedObject* pObject) {
    pObject->pArea->strFile = pFile;
    pObject->pArea->strPage = pPage;
}

int DataFieldExists(const CDataFieldList* pFields, const char* pName) {
    return pFields != nullptr && pFields->Contains(pName);
}
