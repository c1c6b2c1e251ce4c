// The sample of the variable data input file: its path, where the first
// complete copy lies in it, and the text of that copy.
#pragma once

#include <cstdint>

extern char* pSampleFile;
extern int16_t nCopyStart;
extern int16_t nCopyEnd;
extern char* pCopyText;
