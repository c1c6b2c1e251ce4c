#include "SampleState.h"

char* pSampleFile = nullptr;
int16_t nCopyStart = -1;
int16_t nCopyEnd = -1;
char* pCopyText = nullptr;
