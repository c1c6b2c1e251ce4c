#include "SampleState.h"

#include "core/OwnedText.h"

void CSampleState::Reset() {
    pFile = nullptr;
    nCopyStart = -1;
    nCopyEnd = -1;
    pCopyText = nullptr;
}

void CSampleState::Release() {
    delete[] pFile;
    delete[] pCopyText;
    Reset();
}

void CSampleState::SetFileName(const char* pPath) {
    bool bReplaces = pFile != nullptr;
    ReplaceOwnedText(pFile, pPath);
    if (bReplaces) {
        delete[] pCopyText;
        pCopyText = nullptr;
        nCopyStart = -1;
        nCopyEnd = -1;
    }
}
