// The document definition file of a job.
#pragma once

#include "core/DataFieldList.h"
#include "core/DocDef.h"

// Writes the job's document definition to the file at the path, which is
// lower-cased in place first, its data section made from the data fields
// and the copy text they were marked in (none without both). 1 written; 0
// when the file could not be created or not be written whole (ZTM5040
// shown, and no file left behind). A failed conversion of the data fields
// shows ZTM5048 and the file is still written.
int WriteDocDefFile(char* pPath, CDocDef& docDef, CDataFieldList* pFields, const char* pCopyText);
