#include "DocDefFile.h"

#include "DocDef.h"
#include "DocDefState.h"
#include "fields/SampleState.h"
#include "framework/PathParts.h"
#include "model/DataField.h"
#include "model/DataFieldList.h"
#include "plugin/HostRequests.h"
#include "plugin/Messages.h"
#include "resources/StringIds.h"

#include <windows.h>

#include <cstring>
#include <sstream>

namespace {

std::string LowerCase(std::string strText) {
    if (!strText.empty()) {
        CharLowerA(&strText[0]);
    }
    return strText;
}

} // namespace

int WriteDocDefFile(char* pPath, const char*) {
    std::ostringstream text;
    CharLowerA(pPath);
    HFILE hFile = _lcreat(pPath, 0);
    if (hFile == HFILE_ERROR) {
        ShowFormattedMessage(IDS_JOB_OUTPUT_FAILED, pPath);
        DiscardDocDef();
        return 0;
    }
    if (pDocDef != nullptr) {
        if (pDFList != nullptr && !pDFList->IsEmpty() && pCopyText != nullptr &&
            BuildDataDefinitions(pCopyText, strlen(pCopyText), *pDocDef) == 0) {
            ShowFrameworkMessage(IDS_DOCDEF_ERROR);
        }
        WriteDocDef(*pDocDef, text);
        // Lines end with CR LF in the file; nothing after the last line feed.
        std::string strText = text.str();
        std::string strFile;
        size_t nLineStart = 0;
        for (size_t nFeed = strText.find('\n'); nFeed != std::string::npos;
             nFeed = strText.find('\n', nLineStart)) {
            strFile.append(strText, nLineStart, nFeed - nLineStart);
            strFile += "\r\n";
            nLineStart = nFeed + 1;
        }
        _hwrite(hFile, strFile.data(), static_cast<long>(strFile.size()));
        DiscardDocDef();
    }
    _lclose(hFile);
    return 1;
}

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
    char* pPath = DuplicateText(strDocDefPath.c_str());
    delete[] pDocDefPath;
    pDocDefPath = pPath;
}
