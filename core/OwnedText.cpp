#include "OwnedText.h"

#include <cstring>

char* DuplicateText(const char* pText) {
    if (pText == nullptr) {
        return nullptr;
    }
    size_t nLength = strlen(pText);
    char* pCopy = new char[nLength + 1];
    memcpy(pCopy, pText, nLength + 1);
    return pCopy;
}

void ReplaceOwnedText(char*& pOwned, const char* pText) {
    char* pCopy = DuplicateText(pText);
    delete[] pOwned;
    pOwned = pCopy;
}
