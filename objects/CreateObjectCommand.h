// The command Create Variable Data Object: turns the selected text block or graphic into a named
// object.
#pragma once

#include "channel/HostParamBlock.h"

#include <cstdint>

uint16_t CreateVariableDataObject(HostParamBlock* pBlock);
