// HTML Help, the engine of the compiled help file: hhctrl.ocx, loaded the
// first time help is asked for and let go at shut-down.
#pragma once

#include <windows.h>

#include <string>

// Shows the page ("FILE.chm::/page.htm") in the help window, owned by the
// window, with the caption; the help window, or null when HTML Help is not
// there or cannot show the page.
HWND ShowHtmlTopic(HWND hOwner, const std::string& strUrl, const std::string& strCaption);

// Closes every help window and lets HTML Help go.
void CloseHtmlHelp();
