#include "StoredFields.h"

#include "DataFieldList.h"
#include "Delimiters.h"
#include "LineReader.h"
#include "OwnedText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

namespace {

// A text as one stored word: "NULL" for none, also for an empty text, which
// as no word at all would move the words after it out of their places.
const char* OrNone(const char* pText) {
    return pText != nullptr && *pText != '\0' ? pText : NoneWord;
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
    // When that is too long, the next-line text is cut first, then a delimiter
    // longer than any delimiter keyword, then the name, then the rest of the
    // delimiter; each keeps at least one character, so that every value still
    // reads back in its place.
    size_t nLength =
        strName.size() + strlen(szNumbers) + strDelimiter.size() + 1 + strNextLine.size() + 1;
    const std::pair<std::string*, size_t> cuts[] = {{&strNextLine, 1},
                                                    {&strDelimiter, LongestDelimiterWord()},
                                                    {&strName, 1},
                                                    {&strDelimiter, 1}};
    for (const auto& cut : cuts) {
        std::string& strText = *cut.first;
        if (nLength > MaxStoredFieldLine && strText.size() > cut.second) {
            size_t nCut = std::min(nLength - MaxStoredFieldLine, strText.size() - cut.second);
            strText.resize(strText.size() - nCut);
            nLength -= nCut;
        }
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
        RethrowReadFailures(in);
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
