// Start-up, shut-down and the dispatch of the host's selectors.
#pragma once

#include "WorkingState.h"
#include "plugin/channel/HostParamBlock.h"

#include <cstdint>

// The clipboard format under which placeholders travel to the host.
constexpr const char* EpsClipboardFormatName = "Encapsulated PostScript";

// Start-up fills the working state from the publication; shut-down saves it
// there and releases it.
uint16_t Startup(HostParamBlock* pBlock, CWorkingState& state);
uint16_t Shutdown(HostParamBlock* pBlock, CWorkingState& state);
// Answers one call of the host on the working state: selector in `code`,
// command number in `command`.
uint16_t Dispatch(HostParamBlock* pBlock, CWorkingState& state);
