// The photo card job: three data fields (a name, a street and the file name
// of a photo) in a 37-byte copy, and two named objects on page 1 of card.ps,
// printed on US Letter.
#pragma once

#include "core/DataFieldList.h"
#include "core/DocDef.h"
#include "core/NamedObject.h"
#include "core/OwnedText.h"

#include <cstring>
#include <string>

namespace PhotoCardJob {

inline const char* CopyText() {
    return "John Smith\r\n12 Oak Road\r\nphoto1.eps\r\n";
}

inline const char* DocDefText() {
    return "Docdef-Version-1.0\n"
           "[DataDefinition]\n"
           "Name Is TrimmedChars Inline Text At 0 Chars For 10\n"
           "Street Is TrimmedChars Inline Text At 1 Lines For 11\n"
           "Photo Is Chars Reference EPS At 1 Lines For 10\n"
           "DummyNode0 Is Lines Inline Text At 0 Lines For 2\n"
           "[AreaDefinition]\n"
           "NameArea Is Text Left Flow Font Helvetica Size 10 Spacing 12 CMYK 0 0 0 1 On "
           "\"card.ps\" 1 At 72 100 For 200 14 FirstPos -1 -1\n"
           "PhotoArea Is Graphic ScaleToFit On \"card.ps\" 1 At 300 72 For 144 144\n"
           "[DocumentInstructions]\n"
           "Merge NameArea Name\n"
           "Merge PhotoArea Photo\n"
           "IncludePages \"card.ps\" 1 1 612 792 0\n";
}

inline CDataField* Field(const char* pName, int32_t nStart, int32_t nEnd, int32_t nType,
                         int32_t bStrip, int32_t bReference) {
    auto* pExtent = new CSampleExtent(nStart, nEnd, nEnd - nStart, 1, nullptr,
                                      DuplicateText("CRLF"), DuplicateText("NULL"));
    return new CDataField(pName, UnitsCharacters, LengthCount, nType, bStrip, bReference, pExtent);
}

// The three data fields of the job in a new list.
inline CDataFieldList* NewFields() {
    auto* pFields = new CDataFieldList;
    pFields->Insert(Field("Name", 0, 10, TypeText, 1, 0));
    pFields->Insert(Field("Street", 12, 23, TypeText, 1, 0));
    pFields->Insert(Field("Photo", 25, 35, TypeEps, 0, 1));
    return pFields;
}

// Adds the two named objects and the page, as the produce-job command does.
inline void AddPage(CDocDef& docDef) {
    CNamedObject* pName = NewNamedObject();
    pName->pArea->strName = "NameArea";
    SetTextAttributes(0, "Helvetica", 10, 12, -1, -1, pName);
    SetBounds(72, 100, 200, 14, pName);
    SetFileAndPage("card.ps", "1", pName);
    strcpy(pName->szDataField, "Name");
    AddAreaAndMerge(docDef, pName);
    FreeNamedObject(pName);

    CNamedObject* pPhoto = NewNamedObject();
    pPhoto->pArea->strName = "PhotoArea";
    SetGraphic(1, pPhoto);
    SetBounds(300, 72, 144, 144, pPhoto);
    SetFileAndPage("card.ps", "1", pPhoto);
    strcpy(pPhoto->szDataField, "Photo");
    AddAreaAndMerge(docDef, pPhoto);
    FreeNamedObject(pPhoto);

    AddIncludePages(docDef, "1", "card.ps", 612, 792, 0);
}

} // namespace PhotoCardJob
