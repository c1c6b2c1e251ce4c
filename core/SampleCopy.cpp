#include "SampleCopy.h"

#include <cstring>

char* CutCopyText(const char* pText, size_t nText, int nStart, int nEnd) {
    size_t nUsable = pText != nullptr ? strnlen(pText, nText) : 0;
    size_t nFrom = nStart < 0 ? 0 : static_cast<size_t>(nStart);
    size_t nTo = nEnd < 0 ? 0 : static_cast<size_t>(nEnd);
    if (nFrom > nUsable) {
        nFrom = nUsable;
    }
    if (nTo > nUsable) {
        nTo = nUsable;
    }
    size_t nLength = nTo > nFrom ? nTo - nFrom : 0;
    char* pCopy = new char[nLength + 1];
    if (nLength > 0) {
        memcpy(pCopy, pText + nFrom, nLength);
    }
    pCopy[nLength] = '\0';
    return pCopy;
}
