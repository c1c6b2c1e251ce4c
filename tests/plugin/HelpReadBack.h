// Help as the user sees it: each help request of the plug-in handed to the
// real engine, and what that showed read back from the screen (the help
// window's caption, or the pop-up's text).
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct CShownHelp {
    UINT nCommand;
    ULONG_PTR nContext;
    std::string strShown; // empty when nothing came up
};

// Reads help back for as long as it lives; closes the help at the end.
class CHelpReadBack {
  public:
    CHelpReadBack();
    CHelpReadBack(const CHelpReadBack&) = delete;
    CHelpReadBack& operator=(const CHelpReadBack&) = delete;
    ~CHelpReadBack();

    const std::vector<CShownHelp>& Shown() const;
    // The requests alone: command and context.
    std::vector<std::pair<UINT, ULONG_PTR>> Requests() const;
};
