// A named object: a page object turned into a variable data area, with the
// name of the data field that fills it.
#pragma once

#include "AreaDefinition.h"

#include <cstddef>

class CDataFieldList;

// Longest data field name a named object holds, NUL excluded.
constexpr size_t MaxDataFieldName = 49;

struct CNamedObject {
    CAreaDefinition* pArea;
    char szDataField[MaxDataFieldName + 1];
};

// A new named object with a new area definition and no data field.
CNamedObject* NewNamedObject();
// Destroys the area definition and the named object; null does nothing.
void FreeNamedObject(CNamedObject* pObject);

void GetBounds(float& fLeft, float& fTop, float& fWidth, float& fHeight,
               const CNamedObject* pObject);
void SetBounds(float fLeft, float fTop, float fWidth, float fHeight, CNamedObject* pObject);
// Stores the alignment when above 0, the font when given, each number when
// not negative; the rest keep their values.
void SetTextAttributes(int32_t nAlignment, const char* pFont, float fSize, float fSpacing,
                       float fFirstX, float fFirstY, CNamedObject* pObject);
void SetColor(float fCyan, float fMagenta, float fYellow, float fBlack, CNamedObject* pObject);
// Kind graphic when the flag is not 0, text otherwise.
void SetGraphic(int nFlag, CNamedObject* pObject);
int IsGraphic(const CNamedObject* pObject);
// Copies the name into the buffer: at most nSize - 1 characters and a NUL.
void GetAreaName(char* pBuffer, size_t nSize, const CNamedObject* pObject);
void SetFileAndPage(const char* pFile, const char* pPage, CNamedObject* pObject);
// 1 when the data field list exists and holds a field of that name.
int DataFieldExists(const CDataFieldList* pFields, const char* pName);
