#include "ProduceJobCommand.h"

#include "DocDefFile.h"
#include "JobFilesDialog.h"
#include "PrintToDisk.h"
#include "core/NamedObject.h"
#include "core/StringIds.h"
#include "core/Units.h"
#include "plugin/channel/HostRequests.h"
#include "plugin/framework/Catalogue.h"
#include "plugin/framework/Messages.h"
#include "plugin/objects/NamedObjectLoader.h"

#include <windows.h>

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

// The walk over the pages, and the document definition it builds: the
// job's own, gone with it.
struct CJobWalk {
    CFieldState& fields;
    CObjectState& objects;
    CDocDef docDef;
    bool bFound = false;
    bool bFailed = false;
    // Where each name was met first: its page and object number. A second
    // object of the same name would replace the first one's area and leave
    // both Merge lines on one box.
    std::unordered_map<std::string, std::pair<int, int16_t>> named;
};

// True when the name is new or met again on the same object; otherwise the
// user is told (ZTM5049) which two pages hold it.
bool NameOfItsOwn(CJobWalk& walk, const char* pName, int nPage, int16_t nNumber) {
    auto met = walk.named.emplace(pName, std::make_pair(nPage, nNumber));
    if (met.second || met.first->second == std::make_pair(nPage, nNumber)) {
        return true;
    }
    std::string strMessage = FormatCatalogueString(
        IDS_DUPLICATE_OBJECT_NAME,
        {pName, std::to_string(met.first->second.first), std::to_string(nPage)});
    MessageBoxA(GetActiveWindow(), strMessage.c_str(), LoadCatalogueString(IDS_CAPTION).c_str(),
                MB_OK | MB_ICONEXCLAMATION);
    return false;
}

// Adds the named objects of the current page and the page itself; false when
// the page's objects cannot be listed.
bool AddPage(HostParamBlock* pBlock, int nPage, const std::string& strPostScript, float dx,
             float dy, float fPaperWidth, float fPaperHeight, CJobWalk& walk) {
    std::vector<CPageObject> objects;
    if (Request::QueryPageObjects(pBlock, objects) != StatusOk) {
        return false;
    }
    const std::string strPage = std::to_string(nPage);
    for (const CPageObject& object : objects) {
        if (object.nKind != PlaceholderKind) {
            continue;
        }
        CNamedObject* pObject = NewNamedObject();
        uint16_t nResult =
            LoadNamedObject(pBlock, pObject, object.nNumber, walk.fields, walk.objects);
        if (nResult == NamedObjectLoaded &&
            !NameOfItsOwn(walk, pObject->pArea->strName.Text(), nPage, object.nNumber)) {
            FreeNamedObject(pObject);
            walk.bFailed = true;
            return true;
        }
        if (nResult == NamedObjectLoaded) {
            float fLeft, fTop, fWidth, fHeight;
            GetBounds(fLeft, fTop, fWidth, fHeight, pObject);
            SetBounds(fLeft + dx, fTop + dy, fWidth, fHeight, pObject);
            SetFileAndPage(strPostScript.c_str(), strPage.c_str(), pObject);
            AddAreaAndMerge(walk.docDef, pObject);
            walk.bFound = true;
        } else if (nResult == StatusFailed) {
            FreeNamedObject(pObject);
            walk.bFound = true;
            walk.bFailed = true;
            return true;
        }
        FreeNamedObject(pObject);
    }
    AddIncludePages(walk.docDef, strPage.c_str(), strPostScript.c_str(),
                    static_cast<double>(static_cast<int32_t>(fPaperWidth)),
                    static_cast<double>(static_cast<int32_t>(fPaperHeight)), 0);
    return true;
}

// The publication's page size and the paper's, in points; the paper is
// taken as the page when the host gives none.
uint16_t PageAndPaper(HostParamBlock* pBlock, float& fWidth, float& fHeight, float& fPaperWidth,
                      float& fPaperHeight) {
    int32_t nPageWidth = 0;
    int32_t nPageHeight = 0;
    uint16_t nStatus = Request::QueryPageSize(pBlock, nPageWidth, nPageHeight);
    if (nStatus != StatusOk) {
        return nStatus;
    }
    fWidth = static_cast<float>(nPageWidth) * PointsPerTwip;
    fHeight = static_cast<float>(nPageHeight) * PointsPerTwip;
    fPaperWidth = fWidth;
    fPaperHeight = fHeight;
    CPaperRecord paper;
    if (Request::QueryPaper(pBlock, paper) == StatusOk) {
        fPaperWidth = static_cast<float>(paper.Width()) * PointsPerTwip;
        fPaperHeight = static_cast<float>(paper.Height()) * PointsPerTwip;
    }
    return StatusOk;
}

// Walks the pages from the first, adding each page's objects to the walk's
// document definition; false when a page cannot be read. A page the host
// does not turn to would have its objects read as those of another page: the
// walk stops, failed, and the user is told.
bool WalkPages(HostParamBlock* pBlock, int16_t nPageCount, const std::string& strPostScript,
               float fPaperWidth, float fPaperHeight, float dx, float dy, CJobWalk& walk) {
    auto TurnTo = [&](int32_t nTarget) {
        if (Request::CmdGoToPage(pBlock, nTarget) != StatusOk) {
            ShowFrameworkMessage(IDS_DOCDEF_ERROR);
            walk.bFailed = true;
        }
    };
    TurnTo(1);
    for (int nPage = 1; nPage <= nPageCount && !walk.bFailed; ++nPage) {
        if (!AddPage(pBlock, nPage, strPostScript, dx, dy, fPaperWidth, fPaperHeight, walk)) {
            return false;
        }
        if (walk.bFailed) {
            break;
        }
        if (nPage < nPageCount) {
            TurnTo(Request::NextPage);
        } else {
            // Past the last page there is none to turn to.
            IgnoreStatus(Request::CmdGoToPage(pBlock, Request::NextPage));
        }
    }
    return true;
}

} // namespace

uint16_t ProduceJob(HostParamBlock* pBlock, CFieldState& fields, const CSampleState& sample,
                    CObjectState& objects, CJobFileState& jobFiles) {
    std::string strDocDef;
    std::string strPostScript;
    ComputeJobFileNames(pBlock, jobFiles, strDocDef, strPostScript);
    if (!RunJobFilesDialog(strDocDef, strPostScript)) {
        return StatusOk;
    }
    if (strPostScript.empty()) {
        OutputDebugStringA("Not outputing .ps file!\n");
    } else {
        PrintToDisk(pBlock, strPostScript);
    }
    if (strDocDef.empty()) {
        OutputDebugStringA("Not outputing .ddf file\n");
        return StatusOk;
    }
    int16_t nSavedPage = 0;
    int16_t nPageCount = 0;
    if (Request::QueryCurrentPage(pBlock, nSavedPage) != StatusOk ||
        Request::QueryPageCount(pBlock, nPageCount) != StatusOk) {
        return StatusFailed;
    }
    float fWidth = 0;
    float fHeight = 0;
    float fPaperWidth = 0;
    float fPaperHeight = 0;
    uint16_t nStatus = PageAndPaper(pBlock, fWidth, fHeight, fPaperWidth, fPaperHeight);
    int16_t nPreviousView = 0;
    nStatus = nStatus == StatusOk ? SetViewSetting(pBlock, 0, nPreviousView) : nStatus;
    if (nStatus != StatusOk) {
        return nStatus;
    }
    CJobWalk walk{fields, objects, CDocDef(), false, false, {}};
    if (!WalkPages(pBlock, nPageCount, strPostScript, fPaperWidth, fPaperHeight,
                   (fPaperWidth - fWidth) * 0.5f, (fPaperHeight - fHeight) * 0.5f, walk)) {
        return StatusFailed;
    }
    IgnoreStatus(Request::CmdGoToPage(pBlock, nSavedPage));
    int16_t nIgnored = 0;
    SetViewSetting(pBlock, nPreviousView, nIgnored);
    // A walk stopped before its first object has told the user already.
    if (!walk.bFound && !walk.bFailed) {
        ShowMessage(IDS_NO_VARIABLE_OBJECTS, MB_OK | MB_ICONEXCLAMATION);
    }
    if (!walk.bFailed && walk.bFound) {
        WriteDocDefFile(&strDocDef[0], walk.docDef, fields.pList, sample.pCopyText);
    }
    return StatusOk;
}
