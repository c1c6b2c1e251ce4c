#include "StoredFields.h"

#include "DataFieldList.h"
#include "OwnedText.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace {

const char* OrNone(const char* pText) {
    return pText != nullptr ? pText : "NULL";
}

// The bytes of the copy text from nStart, nEnd - nStart of them, stopping at
// its NUL and never outside it.
char* CutSample(const char* pCopyText, int32_t nStart, int32_t nEnd) {
    size_t nCopyLength = pCopyText != nullptr ? strlen(pCopyText) : 0;
    size_t nLength = 0;
    if (nStart >= 0 && nEnd > nStart && static_cast<size_t>(nStart) < nCopyLength) {
        nLength = static_cast<size_t>(nEnd - nStart);
        if (nLength > nCopyLength - static_cast<size_t>(nStart)) {
            nLength = nCopyLength - static_cast<size_t>(nStart);
        }
    }
    char* pSample = new char[nLength + 1];
    if (nLength > 0) {
        memcpy(pSample, pCopyText + nStart, nLength);
    }
    pSample[nLength] = '\0';
    return pSample;
}

} // namespace

char* FormatStoredField(const CDataField& field) {
    char szNumbers[128];
    snprintf(szNumbers, sizeof szNumbers, " %d %d %d %d %d %d %d %d %d ", field.nUnits,
             field.nLength, field.nType, field.bStripSpaces, field.bReference, field.GetStart(),
             field.GetEnd(), field.GetCharCount(), field.GetLineCount());
    std::string strName = field.pName != nullptr ? field.pName : "";
    std::string strDelimiter = OrNone(field.GetCharDelimiter());
    std::string strNextLine = OrNone(field.GetNextLine());
    // Name, numbers, delimiter and next-line text, each followed by a blank.
    size_t nFixed = strlen(szNumbers) + strDelimiter.size() + 2;
    size_t nLimit = MaxStoredFieldLine;
    if (strName.size() + nFixed > nLimit - 1) {
        strName.resize(nLimit - 1 - nFixed);
    }
    size_t nRoom = nLimit - (strName.size() + nFixed);
    if (strNextLine.size() > nRoom) {
        strNextLine.resize(nRoom);
    }
    std::string strLine = strName + szNumbers + strDelimiter + ' ' + strNextLine + ' ';
    return DuplicateText(strLine.c_str());
}

char** ToStoredStrings(CDataFieldList* pList) {
    if (pList == nullptr || pList->IsEmpty()) {
        return nullptr;
    }
    char** ppStrings = new char*[static_cast<size_t>(pList->Count()) + 1];
    size_t nIndex = 0;
    pList->Rewind();
    while (const CDataField* pField = pList->Next()) {
        ppStrings[nIndex++] = FormatStoredField(*pField);
    }
    ppStrings[nIndex] = nullptr;
    return ppStrings;
}

CDataFieldList* FromStoredStrings(char** ppStrings, const char* pCopyText) {
    if (ppStrings == nullptr) {
        return nullptr;
    }
    std::unique_ptr<CDataFieldList> list(new CDataFieldList);
    for (char** pp = ppStrings; *pp != nullptr; ++pp) {
        std::istringstream in(*pp);
        std::string strName;
        int32_t anValues[9] = {};
        std::string strDelimiter;
        std::string strNextLine;
        // Damaged strings are read as far as they go; what is missing stays 0
        // or empty.
        in >> strName;
        for (int32_t& nValue : anValues) {
            in >> nValue;
        }
        in >> strDelimiter >> strNextLine;
        int32_t nStart = anValues[5];
        int32_t nEnd = anValues[6];
        auto* pExtent = new CSampleExtent(
            nStart, nEnd, anValues[7], anValues[8], CutSample(pCopyText, nStart, nEnd),
            DuplicateText(strDelimiter.c_str()), DuplicateText(strNextLine.c_str()));
        list->Insert(new CDataField(strName.c_str(), anValues[0], anValues[1], anValues[2],
                                    anValues[3], anValues[4], pExtent));
    }
    return list.release();
}
