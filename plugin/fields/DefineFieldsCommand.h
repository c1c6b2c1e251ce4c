// The command Define Variable Data Fields: marks the data fields in the sample data file.
#pragma once

#include "FieldState.h"
#include "SampleState.h"
#include "plugin/channel/HostParamBlock.h"
#include "plugin/channel/JobFileNames.h"

#include <cstdint>

// Refreshes the job file names (the dialog finds the publication's folder
// through them), runs the dialog on the field and sample state over the
// host's active window and returns 0 whatever its outcome.
uint16_t DefineDataFields(HostParamBlock* pBlock, CFieldState& fields, CSampleState& sample,
                          CJobFileState& jobFiles);
