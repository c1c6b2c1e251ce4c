// The EPS placeholder that stands on the page for a named object: handed to
// the host through the clipboard, pasted, moved into place and tagged with the
// named object's private strings.
#pragma once

#include "plugin/channel/HostParamBlock.h"
#include "plugin/channel/JobFileNames.h"

#include <cstdint>

struct CNamedObject;

// Replaces the selected object by the named object's placeholder at left and
// top (twips), handed over in the clipboard format. 0 when done, 7212 on
// failure (nothing written to the page).
uint16_t CreatePlaceholder(HostParamBlock* pBlock, CNamedObject* pObject, int32_t nLeft,
                           int32_t nTop, CJobFileState& jobFiles, unsigned nClipboardFormat);

// Makes x and y (points, of the host's pasteboard) relative to their page and
// sets the page number when the object lies on the left page of a two-page
// spread. 0, or 7212 when a host query failed.
uint16_t FindObjectPage(HostParamBlock* pBlock, float& fX, float& fY, int16_t& nPage);
