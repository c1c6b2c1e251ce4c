#include "Help.h"

#include "App.h"
#include "Replaceable.h"
#include "core/PathParts.h"

namespace {
CReplaceable<HelpEngine> engine(WinHelpA);
} // namespace

HelpEngine SetHelpEngine(HelpEngine fnEngine) {
    return engine.Set(fnEngine);
}

std::string HelpFilePath() {
    char szPath[MAX_PATH + 1] = {};
    GetModuleFileNameA(AppInstance(), szPath, MAX_PATH);
    CPathParts parts = SplitPath(szPath);
    return parts.strDrive + parts.strFolder + "nebvdata.hlp";
}

bool OpenHelp(HWND hOwner, UINT nCommand, DWORD nContext) {
    std::string strFile = HelpFilePath();
    return (*engine)(hOwner, strFile.c_str(), nCommand, nContext) != FALSE;
}
