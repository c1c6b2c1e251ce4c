// State of the named-object commands: the names of the publication's named
// objects, the name of the named object last chosen, and the clipboard format
// in which placeholders are handed over.
#pragma once

#include "ObjectNameList.h"

extern CStringList* pObjectNameList;
// True when the host could not list the named objects at start-up: their
// names are learnt from the pages before a name is next checked.
extern bool bObjectNamesUnread;
extern char* pLastObjectName;
extern unsigned nEpsClipboardFormat;
