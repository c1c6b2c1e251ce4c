// The sample of the variable data input file: its path, where the first
// complete copy lies in it, and the text of that copy.
#pragma once

#include <cstdint>

class CSampleState {
  public:
    CSampleState() = default;
    CSampleState(const CSampleState&) = delete;
    CSampleState& operator=(const CSampleState&) = delete;
    ~CSampleState() { Release(); }

    // Sets everything to its initial value without freeing anything.
    void Reset();
    // Frees the path and the copy text, then resets.
    void Release();

    // The state loader's setters: a new file name that replaces a remembered
    // one drops the copy and its offsets.
    void SetFileName(const char* pPath);
    void SetCopyStart(int nStart) { nCopyStart = static_cast<int16_t>(nStart); }
    void SetCopyEnd(int nEnd) { nCopyEnd = static_cast<int16_t>(nEnd); }

    char* pFile = nullptr;
    int16_t nCopyStart = -1;
    int16_t nCopyEnd = -1;
    char* pCopyText = nullptr;
};
