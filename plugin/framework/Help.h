// The one door to the help engine: every help request of the plug-in passes
// here. The help file lies beside the plug-in: the compiled HTML Help file
// nebvdata.chm, shown by HTML Help at the page of a dialog's topic, a
// control's pop-up text shown over the control; or, where only a WinHelp file
// is there, nebvdata.hlp through WinHelp; where neither is, a message names
// the file looked for and where.
#pragma once

#include <windows.h>

#include <string>

// A help request: HELP_CONTEXT for a dialog's topic, HELP_CONTEXTPOPUP for a
// control's pop-up; true when help was shown.
using HelpEngine = bool (*)(HWND hOwner, UINT nCommand, DWORD nContext);

// Replaces the engine, so that a test can read what is asked; returns the one
// it replaces. Null puts the real one, OpenHelpFile, back.
HelpEngine SetHelpEngine(HelpEngine engine);

// Opens help, owned by the window.
bool OpenHelp(HWND hOwner, UINT nCommand, DWORD nContext);

// The real engine: the help file beside the plug-in.
bool OpenHelpFile(HWND hOwner, UINT nCommand, DWORD nContext);

enum class HelpFileKind { Html, WinHelp, None };

struct CHelpFile {
    HelpFileKind kind;
    std::string strPath; // with None, the .chm looked for
};

// The help file beside the plug-in.
CHelpFile FindHelpFile();

// Closes the help windows the plug-in opened (the HTML Help window and a
// pop-up): at shut-down.
void CloseHelp();
