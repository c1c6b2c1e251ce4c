// Moving the publication's stored state in and out of the working state.
#pragma once

#include "WorkingState.h"
#include "plugin/channel/HostParamBlock.h"

#include <cstdint>

// At start-up: reads what the publication holds into the working state.
// Returns StatusFailed, with the error text in the block, when the sample
// data file can neither be loaded nor chosen again.
uint16_t LoadPublicationState(HostParamBlock* pBlock, CWorkingState& state);

// At shut-down: writes the working state into the publication. When start-up
// could not read the stored data field run, the run is written only once the
// fields differ from those start-up had, so that strings the host could not
// hand over are not deleted.
uint16_t SavePublicationState(HostParamBlock* pBlock, CWorkingState& state);
