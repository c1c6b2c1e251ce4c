#include "DataField.h"

#include "OwnedText.h"

bool IsValidName(const char* pText) {
    if (pText == nullptr || *pText == '\0' || *pText == ';' || *pText == '[') {
        return false;
    }
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(pText); *p; ++p) {
        if (*p <= 32) {
            return false;
        }
    }
    return true;
}

CSampleExtent::CSampleExtent(int32_t nStartValue, int32_t nEndValue, int32_t nChars, int32_t nLines,
                             char* pSampleText, char* pDelimiter, char* pNextLineText)
    : nStart(nStartValue), nEnd(nEndValue), nCharCount(nChars), nLineCount(nLines),
      pSample(pSampleText), pCharDelimiter(pDelimiter), pNextLine(pNextLineText) {}

CSampleExtent::CSampleExtent(const CSampleExtent& other)
    : nStart(other.nStart), nEnd(other.nEnd), nCharCount(other.nCharCount),
      nLineCount(other.nLineCount), pSample(DuplicateText(other.pSample)),
      pCharDelimiter(DuplicateText(other.pCharDelimiter)),
      pNextLine(DuplicateText(other.pNextLine)) {}

CSampleExtent::~CSampleExtent() {
    delete[] pSample;
    delete[] pCharDelimiter;
    delete[] pNextLine;
}

CDataField::CDataField(const char* pNameText, int32_t nUnitsValue, int32_t nLengthValue,
                       int32_t nTypeValue, int32_t bStrip, int32_t bRef,
                       CSampleExtent* pExtentValue)
    : pName(DuplicateText(pNameText)), nUnits(nUnitsValue), nLength(nLengthValue),
      nType(nTypeValue), bStripSpaces(bStrip), bReference(bRef), pExtent(pExtentValue) {}

CDataField::CDataField(const CDataField& other)
    : pName(DuplicateText(other.pName)), nUnits(other.nUnits), nLength(other.nLength),
      nType(other.nType), bStripSpaces(other.bStripSpaces), bReference(other.bReference),
      pExtent(other.pExtent ? new CSampleExtent(*other.pExtent) : nullptr) {}

CDataField::~CDataField() {
    delete[] pName;
    delete pExtent;
}

void CDataField::SetName(const char* pText) {
    if (pText == nullptr) {
        return;
    }
    ReplaceOwnedText(pName, pText);
}
