// The names of the publication's named objects, learnt from its pages when
// the host could not list them whole at start-up (a catalogue's list does not
// fit one reply): so that the Named Object dialog's unique-name check knows
// every name, whatever the publication's size.
#pragma once

#include "core/ObjectNameList.h"
#include "plugin/channel/HostParamBlock.h"

#include <cstdint>

// Walks every page and adds the name string of each placeholder to the list
// (once each); the page that was current and the selected object (its number
// on that page) are restored. StatusOk when every page was read.
uint16_t LearnObjectNames(HostParamBlock* pBlock, int16_t nSelectedNumber, CStringList& names);
