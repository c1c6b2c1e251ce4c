#include "Help.h"

#include "App.h"
#include "core/PathParts.h"

namespace {
HelpEngine fnEngine = WinHelpA;
} // namespace

HelpEngine SetHelpEngine(HelpEngine engine) {
    HelpEngine previous = fnEngine;
    fnEngine = engine != nullptr ? engine : WinHelpA;
    return previous;
}

std::string HelpFilePath() {
    char szPath[MAX_PATH + 1] = {};
    GetModuleFileNameA(AppInstance(), szPath, MAX_PATH);
    CPathParts parts = SplitPath(szPath);
    return parts.strDrive + parts.strFolder + "nebvdata.hlp";
}

bool OpenHelp(HWND hOwner, UINT nCommand, DWORD nContext) {
    std::string strFile = HelpFilePath();
    return fnEngine(hOwner, strFile.c_str(), nCommand, nContext) != FALSE;
}
