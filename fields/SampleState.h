// The sample of the variable data input file: its path, where the first
// complete copy lies in it, and the text of that copy.
#pragma once

#include <cstdint>

extern char* pSampleFile;
extern int16_t nCopyStart;
extern int16_t nCopyEnd;
extern char* pCopyText;

// The state loader's setters: a new file name that replaces a remembered one
// drops the copy and its offsets.
void SetSampleFileName(const char* pPath);
void SetCopyStart(int nStart);
void SetCopyEnd(int nEnd);
