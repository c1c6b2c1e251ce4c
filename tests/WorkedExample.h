// The job of the document definition's worked example: three data fields in a
// 37-byte copy and two named objects on page 1 of card.ps, printed on US Letter.
#pragma once

#include "fields/SampleState.h"
#include "model/DataFieldList.h"
#include "model/NamedObject.h"
#include "output/DocDef.h"

#include <cstring>
#include <string>

namespace WorkedExample {

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

// Sets the copy text and the three data fields of the publication.
inline void SetFields() {
    delete[] pCopyText;
    pCopyText = DuplicateText(CopyText());
    delete pDFList;
    pDFList = new CDataFieldList;
    pDFList->Insert(Field("Name", 0, 10, TypeText, 1, 0));
    pDFList->Insert(Field("Street", 12, 23, TypeText, 1, 0));
    pDFList->Insert(Field("Photo", 25, 35, TypeEps, 0, 1));
}

// Adds the two named objects and the page, as the produce-job command does.
inline void AddPage() {
    CNamedObject* pName = NewNamedObject();
    pName->pArea->strName = "NameArea";
    SetTextAttributes(0, "Helvetica", 10, 12, -1, -1, pName);
    SetBounds(72, 100, 200, 14, pName);
    SetFileAndPage("card.ps", "1", pName);
    strcpy(pName->szDataField, "Name");
    AddAreaAndMerge(pName);
    FreeNamedObject(pName);

    CNamedObject* pPhoto = NewNamedObject();
    pPhoto->pArea->strName = "PhotoArea";
    SetGraphic(1, pPhoto);
    SetBounds(300, 72, 144, 144, pPhoto);
    SetFileAndPage("card.ps", "1", pPhoto);
    strcpy(pPhoto->szDataField, "Photo");
    AddAreaAndMerge(pPhoto);
    FreeNamedObject(pPhoto);

    AddIncludePages("1", "card.ps", 612, 792, 0);
}

inline void Clear() {
    DiscardDocDef();
    delete pDFList;
    pDFList = nullptr;
    delete[] pCopyText;
    pCopyText = nullptr;
}

} // namespace WorkedExample
