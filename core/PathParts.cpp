#include "PathParts.h"

CPathParts SplitPath(const std::string& strPath) {
    CPathParts parts;
    size_t nAt = 0;
    if (strPath.size() >= 2 && strPath[1] == ':') {
        parts.strDrive = strPath.substr(0, 2);
        nAt = 2;
    }
    size_t nSlash = strPath.find_last_of("\\/");
    if (nSlash != std::string::npos && nSlash >= nAt) {
        parts.strFolder = strPath.substr(nAt, nSlash + 1 - nAt);
        nAt = nSlash + 1;
    }
    std::string strFile = strPath.substr(nAt);
    size_t nDot = strFile.find_last_of('.');
    if (nDot == std::string::npos) {
        parts.strName = strFile;
    } else {
        parts.strName = strFile.substr(0, nDot);
        parts.strExt = strFile.substr(nDot);
    }
    return parts;
}
