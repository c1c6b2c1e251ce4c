// Splitting a Windows path into drive, folder, base name and extension, for
// paths of any length.
#pragma once

#include <string>

struct CPathParts {
    std::string strDrive;  // "C:" or empty
    std::string strFolder; // up to and including the last "\" or "/"
    std::string strName;   // the file name without its extension
    std::string strExt;    // from the last "." of the file name on, or empty
};

CPathParts SplitPath(const std::string& strPath);
