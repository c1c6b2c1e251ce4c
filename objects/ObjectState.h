// State of the named-object commands: the name of the named object last
// chosen, and the clipboard format in which placeholders are handed over.
#pragma once

extern char* pLastObjectName;
extern unsigned nEpsClipboardFormat;
