// Start-up, shut-down and the dispatch of the host's selectors.
#pragma once

#include "channel/HostParamBlock.h"

#include <cstdint>

// The clipboard format under which placeholders travel to the host.
constexpr const char* EpsClipboardFormatName = "Encapsulated PostScript";

uint16_t Startup(HostParamBlock* pBlock);
uint16_t Shutdown(HostParamBlock* pBlock);
// Answers one call of the host: selector in `code`, command number in `command`.
uint16_t Dispatch(HostParamBlock* pBlock);
