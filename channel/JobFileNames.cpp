#include "JobFileNames.h"

#include "HostRequests.h"
#include "framework/PathParts.h"
#include "model/OwnedText.h"

#include <windows.h>

char* pDocDefPath = nullptr;

namespace {

std::string LowerCase(std::string strText) {
    if (!strText.empty()) {
        CharLowerA(&strText[0]);
    }
    return strText;
}

} // namespace

void ComputeJobFileNames(HostParamBlock* pBlock, std::string& strDocDefPath,
                         std::string& strPostScriptPath) {
    std::string strPublication;
    if (Request::QueryPublicationPath(pBlock, strPublication) != StatusOk) {
        return;
    }
    CPathParts parts = SplitPath(strPublication);
    std::string strBase = parts.strDrive + parts.strFolder + parts.strName;
    strDocDefPath = LowerCase(strBase + ".ddf");
    strPostScriptPath = LowerCase(strBase + ".ps");
    ReplaceOwnedText(pDocDefPath, strDocDefPath.c_str());
}
