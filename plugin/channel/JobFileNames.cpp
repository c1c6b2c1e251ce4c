#include "JobFileNames.h"

#include "HostRequests.h"
#include "core/OwnedText.h"
#include "core/PathParts.h"

#include <windows.h>

namespace {

std::string LowerCase(std::string strText) {
    if (!strText.empty()) {
        CharLowerA(&strText[0]);
    }
    return strText;
}

} // namespace

void CJobFileState::Release() {
    delete[] pDocDefPath;
    Reset();
}

void ComputeJobFileNames(HostParamBlock* pBlock, CJobFileState& state, std::string& strDocDefPath,
                         std::string& strPostScriptPath) {
    std::string strPublication;
    if (Request::QueryPublicationPath(pBlock, strPublication) != StatusOk) {
        return;
    }
    CPathParts parts = SplitPath(strPublication);
    std::string strBase = parts.strDrive + parts.strFolder + parts.strName;
    strDocDefPath = LowerCase(strBase + ".ddf");
    strPostScriptPath = LowerCase(strBase + ".ps");
    ReplaceOwnedText(state.pDocDefPath, strDocDefPath.c_str());
}
