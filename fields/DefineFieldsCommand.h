// The command Define Variable Data Fields: marks the data fields in the sample data file.
#pragma once

#include "channel/HostParamBlock.h"

#include <cstdint>

uint16_t DefineDataFields(HostParamBlock* pBlock);
