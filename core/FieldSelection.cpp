#include "FieldSelection.h"

#include "core/Delimiters.h"
#include "core/OwnedText.h"
#include "core/StringIds.h"

#include <cstring>
#include <memory>

namespace {

int32_t TextLength(const char* pText) {
    return pText != nullptr ? static_cast<int32_t>(strlen(pText)) : 0;
}

// The bytes from nAt up to the next CR or the end of the text.
std::string LineFrom(const char* pText, int32_t nAt) {
    const char* pLine = pText + nAt;
    const char* pCr = strchr(pLine, '\r');
    return pCr != nullptr ? std::string(pLine, pCr) : std::string(pLine);
}

} // namespace

int32_t EndBeforeLineBreak(const char* pText, int32_t s, int32_t e) {
    if (e - s > 1 && e >= 2 && e - 2 < TextLength(pText) && pText[e - 2] == '\r') {
        return e - 2;
    }
    return e;
}

std::string DelimiterAt(const char* pCopy, int32_t nAt) {
    char c = nAt >= 0 && nAt < TextLength(pCopy) ? pCopy[nAt] : '\0';
    // A line break shows as its CR.
    return c == '\0' ? NoneWord : DelimiterText(c == '\r' ? '\n' : c);
}

std::string NextLineAt(const char* pCopy, int32_t nAt) {
    int32_t nLength = TextLength(pCopy);
    std::string strLine;
    if (nAt >= 0 && nAt < nLength && nLength - nAt > 2) {
        const char* pRest = pCopy + nAt;
        if (pRest[0] == '\r') {
            strLine = LineFrom(pCopy, nAt + 2);
        } else if (const char* pCr = strchr(pRest, '\r')) {
            int32_t nCr = static_cast<int32_t>(pCr - pCopy);
            if (nLength - nCr >= 3) {
                strLine = LineFrom(pCopy, nCr + 2);
            }
        }
    }
    return strLine.empty() ? NoneWord : strLine;
}

CSampleExtent* ExtentOfSelection(const char* pCopy, int32_t s, int32_t e) {
    int32_t nLength = TextLength(pCopy);
    s = s < 0 ? 0 : (s > nLength ? nLength : s);
    e = e > nLength ? nLength : e;
    int32_t nCount = e - s;
    if (nCount <= 0) {
        return nullptr;
    }
    int32_t nLines = 1;
    for (int32_t i = s; i < e; ++i) {
        nLines += pCopy[i] == '\r' ? 1 : 0;
    }
    std::string strSample(pCopy + s, static_cast<size_t>(nCount));
    return new CSampleExtent(s, e, nCount, nLines, DuplicateText(strSample.c_str()),
                             DuplicateText(DelimiterAt(pCopy, e).c_str()),
                             DuplicateText(NextLineAt(pCopy, e).c_str()));
}

bool NeedsLineUnits(const CSampleExtent& extent) {
    const char* pDelimiter = extent.pCharDelimiter != nullptr ? extent.pCharDelimiter : "";
    return strcmp(pDelimiter, DelimiterWord('\n')) == 0 || strcmp(pDelimiter, NoneWord) == 0 ||
           extent.nLineCount > 1;
}

void PrepareNewField(CDataField*& pField, CSampleExtent* pExtent) {
    std::unique_ptr<CSampleExtent> extent(pExtent);
    if (pField == nullptr) {
        pField =
            new CDataField(nullptr, UnitsCharacters, LengthCount, TypeText, 1, 0, extent.release());
        return;
    }
    pField->SetName("");
    pField->nType = TypeText;
    pField->bReference = 0;
    delete pField->pExtent;
    pField->pExtent = extent.release();
    if (pField->nLength != LengthUntil) {
        return;
    }
    if (pField->nUnits == UnitsCharacters && strcmp(pField->GetCharDelimiter(), NoneWord) == 0) {
        pField->nLength = LengthCount;
        pField->nUnits = UnitsLines;
    } else if (pField->nUnits == UnitsLines && strcmp(pField->GetNextLine(), NoneWord) == 0) {
        pField->nLength = LengthCount;
    }
}

void CommaItemAt(const std::string& strLine, int32_t nColumn, int32_t& nStart, int32_t& nEnd) {
    int32_t nLength = static_cast<int32_t>(strLine.size());
    nColumn = nColumn < 0 ? 0 : (nColumn > nLength ? nLength : nColumn);
    int32_t i = nColumn < nLength ? nColumn : nLength - 1;
    while (i >= 0 && strLine[static_cast<size_t>(i)] != ',') {
        --i;
    }
    nStart = i + 1;
    int32_t j = nColumn;
    while (j < nLength && strLine[static_cast<size_t>(j)] != ',') {
        ++j;
    }
    nEnd = j;
}

unsigned DelimiterDisplayId(const char* pDelimiter) {
    if (pDelimiter == nullptr) {
        return 0;
    }
    // No delimiter shows as a line break: the value ends with its line.
    if (strcmp(pDelimiter, NoneWord) == 0) {
        return IDS_DELIM_CRLF;
    }
    for (const CDelimiterWord& word : DelimiterWords) {
        if (strcmp(pDelimiter, word.pWord) == 0) {
            return word.nShownId;
        }
    }
    return 0;
}
