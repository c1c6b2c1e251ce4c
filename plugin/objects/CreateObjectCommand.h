// The command Create Variable Data Object: turns the selected text block or
// graphic into a named object.
#pragma once

#include "NamedObjectDialog.h"
#include "plugin/channel/HostParamBlock.h"

#include <cstdint>

struct CNamedObject;

// Reads the selected object into a named object, lets the user name it in the
// Named Object dialog and, on OK, replaces it by a placeholder. Always 0.
uint16_t CreateVariableDataObject(HostParamBlock* pBlock, const CNamedObjectParts& parts);

// A new named object from the selected object, or null (after the refusal's
// message, for a refused kind) when there is not exactly one object selected
// or its kind is refused. Gives the object number and the object's left, top,
// right and bottom in twips (left and top those of its upright box). A
// placeholder's names become the last object and field names.
CNamedObject* BuildNamedObjectFromSelection(HostParamBlock* pBlock, int16_t& nObjectNumber,
                                            int32_t (&anBox)[4], CObjectState& objects,
                                            CFieldState& fields);
