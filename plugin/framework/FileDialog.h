// The system's Open File dialog.
#pragma once

#include <string>

struct COpenFileRequest {
    std::string strInitialDir;  // empty: the system's choice
    std::string strInitialName; // file name shown at first
    std::string strFilter;      // "Name|pattern|...|" with "|" between the parts
    std::string strTitle;
    unsigned long nFlags = 0; // OFN_* flags
};

// Shows the dialog owned by the active window; true with the full path chosen,
// false (and an empty path) when the user cancelled.
bool RunOpenFileDialog(const COpenFileRequest& request, std::string& strChosen);
