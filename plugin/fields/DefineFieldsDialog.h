// The Define Variable Data Fields dialog, in which the user marks the data
// fields in the copy text, names, edits and removes them, and chooses the
// sample file and its copy.
#pragma once

#include "FieldState.h"
#include "SampleState.h"

#include <windows.h>

// Runs the dialog over the parent on the field and sample state; true when
// it ended with Close. The first choice of a sample file starts beside the
// document definition path, when there is one. An exception raised inside is
// shown as ZTM5043, ZTM5044 or ZTM5045 and the result is false. Fields added,
// edited or removed stay so either way.
bool RunDefineFieldsDialog(HWND hParent, CFieldState& fields, CSampleState& sample,
                           const char* pDocDefPath);

// Empties the list box (combo box) and adds the name of every data field of
// the list in list order; nothing when there is no list.
void FillFieldList(HWND hList, CDataFieldList* pList);
void FillFieldCombo(HWND hCombo, CDataFieldList* pList);
