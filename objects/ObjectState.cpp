#include "ObjectState.h"

char* pLastObjectName = nullptr;
unsigned nEpsClipboardFormat = 0;
