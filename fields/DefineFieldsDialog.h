// The Define Variable Data Fields dialog, in which the user marks the data
// fields in the copy text, names, edits and removes them, and chooses the
// sample file and its copy.
#pragma once

#include <windows.h>

// Runs the dialog over the parent; true when it ended with Close. An
// exception raised inside is shown as ZTM5043, ZTM5044 or ZTM5045 and the
// result is false. Fields added, edited or removed stay so either way.
bool RunDefineFieldsDialog(HWND hParent);

// Empties the list box (combo box) and adds the name of every data field of
// pDFList in list order; nothing when there is no list.
void FillFieldList(HWND hList);
void FillFieldCombo(HWND hCombo);
