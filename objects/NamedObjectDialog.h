// The Named Object dialog: the name of a named object, its text attributes or
// its graphic placement, and the data field that fills it.
#pragma once

#include <windows.h>

struct CNamedObject;

// Runs the dialog over the owner on the named object; true when it ended
// with OK, and only then is the named object changed (its name, attributes
// and data field), the name kept in the publication's list of object names
// and made the last object name.
bool EditNamedObject(HWND hOwner, CNamedObject* pObject);
