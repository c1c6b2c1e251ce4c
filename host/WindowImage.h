// A picture of one window as the screen shows it, for the demo and for
// looking at dialogs.
#pragma once

#include <windows.h>

#include <string>

// Writes the window's part of the screen to a 24-bit BMP file; false when it
// cannot be read or written.
bool SaveWindowImage(HWND hWindow, const std::string& strFile);
