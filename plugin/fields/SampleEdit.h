// The edit control that shows the copy text in the Define Variable Data
// Fields dialog: a double-click selects the comma-separated item of its line
// under the caret, not a word, ready for Add... or Edit....
#pragma once

#include <windows.h>

// Makes the dialog's edit control one of these.
void MakeSampleEdit(HWND hEdit);
