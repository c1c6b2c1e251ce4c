// The command Produce Variable Data Job: prints the publication to disk and writes its document
// definition file.
#pragma once

#include "plugin/channel/HostParamBlock.h"
#include "plugin/channel/JobFileNames.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/objects/ObjectState.h"

#include <cstdint>

// Prints the publication to disk, walks its pages for the named objects
// (whose data fields are looked for in the field state's list; the last
// object and field names follow the objects read) and writes the document
// definition, its data section from the list and the sample's copy text.
uint16_t ProduceJob(HostParamBlock* pBlock, CFieldState& fields, const CSampleState& sample,
                    CObjectState& objects, CJobFileState& jobFiles);
