// The command Produce Variable Data Job: prints the publication to disk and writes its document
// definition file.
#pragma once

#include "channel/HostParamBlock.h"

#include <cstdint>

uint16_t ProduceJob(HostParamBlock* pBlock);
