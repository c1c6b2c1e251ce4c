#include "ObjectState.h"

CStringList* pObjectNameList = nullptr;
bool bObjectNamesUnread = false;
char* pLastObjectName = nullptr;
unsigned nEpsClipboardFormat = 0;
