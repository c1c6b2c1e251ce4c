// The font mapping file beside the plug-in: its output fonts fill the Named
// Object dialog's font list, and host font names are mapped to them.
#pragma once

#include "FontMapState.h"

#include <windows.h>

#include <string>

// Finds the mapping file in the folder of the loaded plug-in and loads it
// into the state; true when the mapping text is held afterwards.
bool LocateFontMap(CFontMapState& state);

// The mapping text for the Named Object dialog: located unless held already;
// when it cannot be found, ZTM5002 tells the user and false is returned.
bool RequireFontMap(CFontMapState& state);

// Loads the mapping file unless a mapping text is held already; true when the
// text is held afterwards. A file that exists but cannot be read whole shows
// ZTM5012.
bool LoadFontMap(CFontMapState& state, const char* pPath);

// Fills the (sorted) list with the output font names, each once whatever its
// case. A word too long for the file format shows ZTM5009; the names read up
// to it stay.
void FillFontList(const CFontMapState& state, HWND hList);

// The font to show for the requested host font name: the listed name itself
// when the list holds it in any case, otherwise the output font of the first
// pair for exactly that host name. False when neither.
bool MapFontName(const CFontMapState& state, std::string& strResult, HWND hList,
                 const char* pRequested);
