// A selection in the copy text becoming a data field: the extent stays inside
// the text and holds exactly the selected bytes, the field prepared from it
// keeps it, and a double-click's comma item lies inside its line.
#include "FuzzInput.h"
#include "core/FieldSelection.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    CFuzzInput input(pData, nSize);
    int32_t s = input.TakeNumber() % 4096;
    int32_t e = input.TakeNumber() % 4096;
    int32_t nColumn = input.TakeNumber() % 4096;
    std::string strCopy = input.TakeString();
    const char* pCopy = strCopy.c_str();
    int32_t nLength = static_cast<int32_t>(strCopy.size());

    int32_t nEnd = EndBeforeLineBreak(pCopy, s, e);
    FUZZ_CHECK(nEnd == e || nEnd == e - 2, "a line break is only dropped from the end");
    std::string strDelimiter = DelimiterAt(pCopy, nEnd);
    FUZZ_CHECK(!strDelimiter.empty(), "a delimiter is named");
    CSampleExtent* pExtent = ExtentOfSelection(pCopy, s, nEnd);
    if (pExtent != nullptr) {
        FUZZ_CHECK(0 <= pExtent->nStart && pExtent->nStart < pExtent->nEnd &&
                       pExtent->nEnd <= nLength,
                   "the extent lies inside the copy");
        FUZZ_CHECK(pExtent->nCharCount == pExtent->nEnd - pExtent->nStart, "it counts its bytes");
        FUZZ_CHECK(strCopy.compare(static_cast<size_t>(pExtent->nStart),
                                   static_cast<size_t>(pExtent->nCharCount), pExtent->pSample) == 0,
                   "its sample is the selected bytes");
        NeedsLineUnits(*pExtent);
        CDataField* pField = nullptr;
        PrepareNewField(pField, pExtent);
        FUZZ_CHECK(pField != nullptr && pField->pExtent == pExtent, "the field takes the extent");
        // A second selection over the field worked on.
        PrepareNewField(pField, ExtentOfSelection(pCopy, 0, nLength));
        delete pField;
    }
    std::string strLine = input.Rest();
    int32_t nStart = 0;
    int32_t nItemEnd = 0;
    CommaItemAt(strLine, nColumn, nStart, nItemEnd);
    int32_t nLineLength = static_cast<int32_t>(strLine.size());
    FUZZ_CHECK(0 <= nStart && nStart <= nLineLength && 0 <= nItemEnd && nItemEnd <= nLineLength,
               "the comma item lies inside its line");
    return 0;
}
