#include "ObjectState.h"

CStringList* pObjectNameList = nullptr;
char* pLastObjectName = nullptr;
unsigned nEpsClipboardFormat = 0;
