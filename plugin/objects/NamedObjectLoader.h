// Rebuilding the named object of a placeholder on a page, and the rectangle of
// a selected page object.
#pragma once

#include "ObjectState.h"
#include "core/HostRecords.h"
#include "plugin/channel/HostParamBlock.h"
#include "plugin/fields/FieldState.h"

#include <cstdint>

struct CNamedObject;

// Results of LoadNamedObject besides StatusFailed.
constexpr uint16_t NamedObjectLoaded = 0;
constexpr uint16_t NotANamedObject = 1;

// Selects the page object and rebuilds its named object: 0 with a data field
// of the field state's list; 1 when the object is not a named object; 7212
// when its data field is not in the list or its stored strings do not read
// (ZTM5015 shown), or the host cannot report the selection. A named object
// read leaves its name and its data field's as the states' last names.
uint16_t LoadNamedObject(HostParamBlock* pBlock, CNamedObject* pObject, int32_t nObjectNumber,
                         CFieldState& fields, CObjectState& objects);

// Sets the named object's rectangle (points, relative to its page) from the
// selection, and writes the upright bounding box's left and top (twips) back
// into the record.
void ComputeObjectRectangle(HostParamBlock* pBlock, CSelectionRecord& selection,
                            CNamedObject* pObject);
