// The Name Variable Data Field dialog: the name and options of the field the
// dialogs work on, whose place and counts come from the selection.
#pragma once

#include "FieldState.h"

#include <windows.h>

// Runs the dialog over the parent on the state's field (which must have an
// extent); true on OK, with the field named and set and the state's last
// name its name. Opening may already have turned the field to Lines + Count
// (the single-line rule), whatever the end. A name the state's list holds is
// refused.
bool RunNameFieldDialog(HWND hParent, CFieldState& fields);
