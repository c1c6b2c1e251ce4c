// The Named Object dialog: the name of a named object, its text attributes or
// its graphic placement, and the data field that fills it.
#pragma once

#include "ObjectState.h"
#include "plugin/channel/JobFileNames.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/fonts/FontMapState.h"

#include <windows.h>

struct CNamedObject;

// The parts of the working state the named-object commands work on.
struct CNamedObjectParts {
    CObjectState& objects;  // the names and the last name
    CFieldState& fields;    // the data fields to choose from, the last field name
    CSampleState& sample;   // for the Define Variable Data Fields dialog opened from here
    CFontMapState& fontMap; // the font list
    CJobFileState& jobFiles;
};

// Runs the dialog over the owner on the named object, its data field chosen
// from the fields and its font from the font mapping; true when it ended
// with OK, and only then is the named object changed (its name, attributes
// and data field), the name kept in the list of names and made the last name
// (and the field the last field name).
bool EditNamedObject(HWND hOwner, CNamedObject* pObject, const CNamedObjectParts& parts);
