// A control's pop-up help: a small bordered window of text inside the dialog,
// just below the control, in the colours of tooltips, gone at the next click
// or key.
#pragma once

#include <windows.h>

#include <string>

// Shows the text below the control (at the mouse without one) in the window;
// an earlier pop-up goes first. True when it is shown.
bool ShowHelpPopup(HWND hOwner, HWND hControl, const std::string& strText);

// Closes the pop-up, if one is shown.
void CloseHelpPopup();
