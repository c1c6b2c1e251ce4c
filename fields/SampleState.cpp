#include "SampleState.h"

#include "model/OwnedText.h"

char* pSampleFile = nullptr;
int16_t nCopyStart = -1;
int16_t nCopyEnd = -1;
char* pCopyText = nullptr;

void SetSampleFileName(const char* pPath) {
    bool bReplaces = pSampleFile != nullptr;
    ReplaceOwnedText(pSampleFile, pPath);
    if (bReplaces) {
        delete[] pCopyText;
        pCopyText = nullptr;
        nCopyStart = -1;
        nCopyEnd = -1;
    }
}

void SetCopyStart(int nStart) {
    nCopyStart = static_cast<int16_t>(nStart);
}

void SetCopyEnd(int nEnd) {
    nCopyEnd = static_cast<int16_t>(nEnd);
}
