// The one door to the help engine: every help request of the plug-in passes
// here, so that tests can read what would have been opened instead of
// starting a help viewer.
#pragma once

#include <windows.h>

#include <string>

// What opens help: WinHelpA, unless a test puts its own in.
using HelpEngine = BOOL(WINAPI*)(HWND hOwner, LPCSTR pFile, UINT nCommand, ULONG_PTR nContext);

// Replaces the engine; returns the one it replaces. Null restores WinHelpA.
HelpEngine SetHelpEngine(HelpEngine engine);

// The plug-in's help file, beside the plug-in.
std::string HelpFilePath();

// Opens the plug-in's help file, owned by the window: HELP_CONTEXT for a
// topic, HELP_CONTEXTPOPUP for a pop-up.
bool OpenHelp(HWND hOwner, UINT nCommand, DWORD nContext);
