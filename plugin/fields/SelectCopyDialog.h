// The Select Data for One Copy dialog: the user shows where the first
// complete copy lies in the sample file.
#pragma once

#include "FieldState.h"

#include <windows.h>

#include <cstdint>
#include <string>

// What the dialog is opened with and, on OK, what it gives back.
struct CCopySelection {
    std::string strFileName; // the sample file to show (lower-case path)
    std::string strCopyText; // on OK: the text of the selected copy
    int16_t nStart = -1;     // the copy selected before (or -1); on OK the new one
    int16_t nEnd = -1;
    int16_t nFieldsEnd = -1; // where the copy the fields were marked in ends (or -1)
};

// Runs the dialog over the parent; true on OK. On OK the state's data field
// list may have been cut (all fields, or those past a shorter copy, the field
// worked on with them); on Cancel nothing changes anywhere.
bool RunSelectCopyDialog(HWND hParent, CCopySelection& selection, CFieldState& fields);
