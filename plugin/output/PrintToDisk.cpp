#include "PrintToDisk.h"

#include "core/StringIds.h"
#include "core/Units.h"
#include "plugin/channel/HostRequests.h"
#include "plugin/framework/Messages.h"

#include <windows.h>

#include <utility>

namespace {
constexpr int WarningStyle = MB_OK | MB_ICONEXCLAMATION;
const char* const Transverse = ".Transverse";
} // namespace

std::string TransversePaperName(const std::string& strName) {
    size_t nAt = strName.find(Transverse);
    if (nAt != std::string::npos) {
        return strName.substr(0, nAt);
    }
    std::string strTurned = strName + Transverse;
    // A name that would not fit the record is left as it is.
    return strTurned.size() <= MaxPaperName ? strTurned : strName;
}

uint16_t SetViewSetting(HostParamBlock* pBlock, int16_t nValue, int16_t& nPrevious) {
    uint16_t nStatus = Request::QueryViewSetting(pBlock, nPrevious);
    if (nStatus != StatusOk) {
        return nStatus;
    }
    // The caller needs the setting it replaces; a refused change leaves the view as it was.
    IgnoreStatus(Request::CmdSetViewSetting(pBlock, nPrevious, nValue));
    return StatusOk;
}

namespace {

// The print options for printing to disk: every page, one copy, none of the
// host's own marks or extras; with the publication's pages set wide, whether
// the paper is turned. False when the host refuses them.
bool SetOptionsForDisk(HostParamBlock* pBlock, bool& bWide, int16_t (&anOptions2)[10]) {
    CPrintOptions options;
    if (Request::QueryPrintOptions(pBlock, options) != StatusOk) {
        return false;
    }
    bWide = options.anTrailing[5] != 0;
    options.anLeading[0] = 1;
    options.anLeading[1] = 0;
    options.anLeading[2] = 0;
    options.anLeading[3] = 0;
    options.anTrailing[0] = 1;
    options.anTrailing[1] = 0;
    options.anTrailing[5] = 0;
    options.anTrailing[6] = 0;
    options.anTrailing[7] = 0;
    if (Request::CmdSetPrintOptions(pBlock, options) != StatusOk ||
        Request::QueryPrintOptions2(pBlock, anOptions2) != StatusOk) {
        return false;
    }
    anOptions2[7] = 1;
    return Request::CmdSetPrintOptions2(pBlock, anOptions2) == StatusOk;
}

// The paper: turned for wide pages, the whole publication on it; the paper
// the host then holds in paper. False when the host refuses it.
bool SetPaperForDisk(HostParamBlock* pBlock, bool bWide, CPaperRecord& paper) {
    if (Request::QueryPaper(pBlock, paper) != StatusOk) {
        return false;
    }
    if (bWide) {
        if (paper.strName == "Custom") {
            std::swap(paper.anSize[0], paper.anSize[1]);
        } else {
            paper.strName = TransversePaperName(paper.strName);
        }
    }
    paper.anFirstGroup[2] = 0;
    paper.nSingle = 0;
    paper.anLastGroup[0] = 0;
    paper.anLastGroup[1] = 1000;
    return Request::CmdSetPaper(pBlock, paper) == StatusOk &&
           Request::QueryPaper(pBlock, paper) == StatusOk;
}

// The print, step by step; bTold says whether the user has been told why it
// did not happen (or chose that it should not).
uint16_t PrintSteps(HostParamBlock* pBlock, const std::string& strPostScriptPath, bool& bTold) {
    bTold = true;
    int16_t nPostScript = 0;
    if (Request::QueryPrinterIsPostScript(pBlock, nPostScript) != StatusOk || nPostScript != 1) {
        ShowMessage(IDS_NOT_POSTSCRIPT, WarningStyle);
        return StatusFailed;
    }
    std::string strPrinter;
    if (Request::QueryDefaultPrinter(pBlock, strPrinter) != StatusOk) {
        ShowMessage(IDS_NO_DEFAULT_PRINTER, WarningStyle);
        return StatusFailed;
    }
    bTold = false;
    bool bWide = false;
    int16_t anOptions2[10];
    CPaperRecord paper;
    int32_t nWidth = 0;
    int32_t nHeight = 0;
    if (Request::CmdPrintRequest923(pBlock) != StatusOk ||
        !SetOptionsForDisk(pBlock, bWide, anOptions2) || !SetPaperForDisk(pBlock, bWide, paper) ||
        Request::QueryPageSize(pBlock, nWidth, nHeight) != StatusOk) {
        return StatusFailed;
    }
    float fWidth = static_cast<float>(nWidth) * PointsPerTwip;
    float fHeight = static_cast<float>(nHeight) * PointsPerTwip;
    if (anOptions2[1] != 0) {
        fWidth += 54;
        fHeight += 54;
    }
    if (static_cast<int32_t>(fHeight) * 20 > paper.Height() ||
        paper.Width() < static_cast<int32_t>(fWidth) * 20) {
        if (ShowMessage(IDS_PAGE_TOO_LARGE, MB_OKCANCEL | MB_ICONEXCLAMATION) == IDCANCEL) {
            bTold = true;
            return StatusFailed;
        }
    }
    return Request::CmdPrintToFile(pBlock, strPostScriptPath, strPrinter) == StatusOk
               ? StatusOk
               : StatusFailed;
}

} // namespace

uint16_t PrintToDisk(HostParamBlock* pBlock, const std::string& strPostScriptPath) {
    bool bTold = false;
    uint16_t nStatus = PrintSteps(pBlock, strPostScriptPath, bTold);
    if (nStatus != StatusOk && !bTold) {
        // The job goes on without its PostScript: the user must know.
        ShowFormattedMessage(IDS_JOB_OUTPUT_FAILED, strPostScriptPath.c_str());
    }
    return nStatus;
}
