// The Name Variable Data Field dialog: the name and options of the current
// field pDF, whose place and counts come from the selection.
#pragma once

#include <windows.h>

// Runs the dialog over the parent on pDF (which must have an extent); true on
// OK, with pDF named and set and pLastFieldName its name. Opening may already
// have turned pDF to Lines + Count (the single-line rule), whatever the end.
bool RunNameFieldDialog(HWND hParent);
