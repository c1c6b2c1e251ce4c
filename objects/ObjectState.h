// State of the named-object commands: the names of the publication's named
// objects, the name of the named object last chosen, and the clipboard format
// in which placeholders are handed over.
#pragma once

#include "ObjectNameList.h"

extern CStringList* pObjectNameList;
extern char* pLastObjectName;
extern unsigned nEpsClipboardFormat;
