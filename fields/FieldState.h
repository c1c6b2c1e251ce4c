// The publication's data fields as the commands work on them.
#pragma once

#include "model/DataFieldList.h"

// The exported list of the publication's data fields and the field the dialogs
// are working on (a copy, never a member of the list).
extern "C" CDataFieldList* pDFList;
extern "C" CDataField* pDF;
// The name of the data field last named or chosen.
extern char* pLastFieldName;
