#include "MergeWriter.h"

#include "TextLayout.h"

#include <cstdio>
#include <cstdlib>
#include <set>
#include <sstream>

namespace {

std::string Number(double dValue) {
    char szNumber[32];
    snprintf(szNumber, sizeof szNumber, "%.2f", dValue);
    return szNumber;
}

// A PostScript string literal of the text; bytes outside printable ASCII
// are written as octal escapes.
std::string Literal(const std::string& strText) {
    std::string strOut = "(";
    for (unsigned char c : strText) {
        if (c == '(' || c == ')' || c == '\\') {
            strOut += '\\';
            strOut += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            char szOctal[8];
            snprintf(szOctal, sizeof szOctal, "\\%03o", c);
            strOut += szOctal;
        } else {
            strOut += static_cast<char>(c);
        }
    }
    return strOut + ")";
}

// The text between two DSC comment lines, without them; empty when absent.
std::string Between(const std::string& strText, const std::string& strBegin,
                    const std::string& strEnd) {
    size_t nBegin = strText.find("\n" + strBegin);
    if (nBegin == std::string::npos) {
        return "";
    }
    nBegin = strText.find('\n', nBegin + 1);
    size_t nEnd = strText.find("\n" + strEnd, nBegin);
    if (nBegin == std::string::npos || nEnd == std::string::npos) {
        return "";
    }
    return strText.substr(nBegin + 1, nEnd - nBegin);
}

// A value set on a page: the data field's, in the area.
struct CPlannedMerge {
    std::string strField;
    const CAreaDefinition* pArea;
    const CDataDefinition* pField;
};

// One page to draw: the master page and the values set on it.
struct CPlannedPage {
    int nMasterPage;
    double dWidth;
    double dHeight;
    std::vector<CPlannedMerge> merges;
};

// The page plan the job's instructions hand themselves to, in order: the
// Merge lines before an IncludePages set their values on the pages it takes.
class CPagePlan : public IPagePlan {
  public:
    void IncludePages(const CSmallString&, const CSmallString& strFirst,
                      const CSmallString& strLast, double dWidth, double dHeight, double) override {
        int nFirst = atoi(strFirst.Text());
        int nLast = atoi(strLast.Text());
        for (int n = nFirst; n <= nLast; ++n) {
            CPlannedPage page{n, dWidth, dHeight, {}};
            for (const CPlannedMerge& merge : m_pending) {
                // An area is set on the page it lies on; with one page taken,
                // on that page whatever it says.
                if (nFirst == nLast || atoi(merge.pArea->strPage.Text()) == n) {
                    page.merges.push_back(merge);
                }
            }
            pages.push_back(page);
        }
        m_pending.clear();
    }
    // The job was read whole: every Merge has its area and data definition.
    void Merge(const CSmallString&, const CSmallString& strField, const CAreaDefinition* pArea,
               const CDataDefinition* pField) override {
        m_pending.push_back({strField.Text(), pArea, pField});
    }

    std::vector<CPlannedPage> pages;

  private:
    std::vector<CPlannedMerge> m_pending;
};

std::vector<CPlannedPage> PlanPages(const CDocDef& docDef) {
    CPagePlan plan;
    CDocDef& lists = const_cast<CDocDef&>(docDef);
    lists.instructions.Rewind();
    while (const CInstruction* pInstruction = lists.instructions.NextInstruction()) {
        pInstruction->Apply(plan);
    }
    return plan.pages;
}

void SetText(const CAreaDefinition& area, const std::string& strValue, double dPaperHeight,
             CFontMetrics& metrics, std::string& strOut) {
    CTextLayout layout = LayOutText(area, strValue, metrics);
    strOut += "/" + std::string(area.strFont.Text()) + " findfont " + Number(area.fSize) +
              " scalefont setfont " + Number(area.fCyan) + " " + Number(area.fMagenta) + " " +
              Number(area.fYellow) + " " + Number(area.fBlack) + " setcmykcolor\n";
    for (const CSetLine& line : layout.lines) {
        if (line.strText.empty()) {
            continue;
        }
        double dX = area.fLeft + line.dX;
        double dY = dPaperHeight - (area.fTop + line.dBaseline);
        strOut += Number(dX) + " " + Number(dY) + " moveto ";
        if (line.dWordSpace > 0) {
            strOut += Number(line.dWordSpace) + " 0 32 " + Literal(line.strText) + " widthshow\n";
        } else {
            strOut += Literal(line.strText) + " show\n";
        }
    }
}

// Places the EPS file in the area: scaled to fit inside it keeping its
// proportions, or (ScaleAndTrim) scaled to fill it and clipped to it.
bool PlaceEps(const CAreaDefinition& area, const std::string& strPath, double dPaperHeight,
              std::string& strOut, std::string& strError) {
    std::string strEps;
    bool bRead = ReadFile(strPath, strEps);
    size_t nAt = strEps.find("%%BoundingBox:");
    double adBox[4];
    if (!bRead || nAt == std::string::npos ||
        sscanf(strEps.c_str() + nAt + 14, "%lf %lf %lf %lf", &adBox[0], &adBox[1], &adBox[2],
               &adBox[3]) != 4 ||
        adBox[2] <= adBox[0] || adBox[3] <= adBox[1]) {
        strError = strPath + ": not an EPS file with a bounding box";
        return false;
    }
    double dEpsWidth = adBox[2] - adBox[0];
    double dEpsHeight = adBox[3] - adBox[1];
    double dScaleX = area.fWidth / dEpsWidth;
    double dScaleY = area.fHeight / dEpsHeight;
    bool bTrim = area.nPlacement == PlaceScaleAndTrim;
    double dScale = bTrim ? std::max(dScaleX, dScaleY) : std::min(dScaleX, dScaleY);
    double dBottom = dPaperHeight - (area.fTop + area.fHeight);
    // Centred in the area.
    double dX = area.fLeft + (area.fWidth - dEpsWidth * dScale) / 2;
    double dY = dBottom + (area.fHeight - dEpsHeight * dScale) / 2;
    strOut += "/NebEpsState save def /NebOperands count 1 sub def /NebDicts countdictstack def\n"
              "userdict begin /showpage {} def 0 setgray 0 setlinecap 1 setlinewidth "
              "0 setlinejoin 10 setmiterlimit [] 0 setdash newpath\n";
    if (bTrim) {
        strOut += Number(area.fLeft) + " " + Number(dBottom) + " " + Number(area.fWidth) + " " +
                  Number(area.fHeight) + " rectclip\n";
    }
    strOut += Number(dX) + " " + Number(dY) + " translate " + Number(dScale) + " " +
              Number(dScale) + " scale " + Number(-adBox[0]) + " " + Number(-adBox[1]) +
              " translate\n%%BeginDocument: " + strPath + "\n" + strEps +
              (strEps.empty() || strEps.back() != '\n' ? "\n" : "") +
              "%%EndDocument\ncount NebOperands sub {pop} repeat "
              "countdictstack NebDicts sub {end} repeat NebEpsState restore\n";
    return true;
}

} // namespace

bool ReadMasterPages(const std::string& strText, CMasterPages& master, std::string& strError) {
    master = CMasterPages();
    master.strProlog = Between(strText, "%%BeginProlog", "%%EndProlog");
    master.strSetup = Between(strText, "%%BeginSetup", "%%EndSetup");
    size_t nPage = strText.find("\n%%Page:");
    while (nPage != std::string::npos) {
        size_t nBody = strText.find('\n', nPage + 1);
        if (nBody == std::string::npos) {
            break;
        }
        size_t nNext = strText.find("\n%%Page:", nBody);
        size_t nEnd = nNext != std::string::npos ? nNext : strText.find("\n%%Trailer", nBody);
        if (nEnd == std::string::npos) {
            nEnd = strText.size();
        }
        master.pages.push_back(strText.substr(nBody + 1, nEnd - nBody));
        nPage = nNext;
    }
    if (master.pages.empty()) {
        strError = "the PostScript master has no %%Page: comment";
        return false;
    }
    return true;
}

bool WriteMerged(const CJob& job, const CMasterPages& master, int nFirst, int nLast,
                 CFontMetrics& metrics, std::string& strOut, std::string& strError,
                 const std::function<void(int nDone)>& progress) {
    std::vector<CPlannedPage> plan = PlanPages(job.docDef);
    if (plan.empty()) {
        strError = "the job takes no page of the PostScript master";
        return false;
    }
    std::set<int> used;
    std::set<std::string> fonts;
    for (const CPlannedPage& page : plan) {
        if (page.nMasterPage < 1 || static_cast<size_t>(page.nMasterPage) > master.pages.size()) {
            strError = "the job takes page " + std::to_string(page.nMasterPage) +
                       ", which the PostScript master does not have";
            return false;
        }
        used.insert(page.nMasterPage);
        for (const CPlannedMerge& merge : page.merges) {
            if (merge.pArea->nKind == KindText) {
                fonts.insert(merge.pArea->strFont.Text());
            }
        }
    }
    int nCopies = nLast - nFirst + 1;
    strOut = "%!PS-Adobe-3.0\n%%Creator: nebmerge\n%%Title: " + job.strDocDefFile + "\n";
    strOut += "%%Pages: " + std::to_string(static_cast<size_t>(nCopies) * plan.size()) + "\n";
    strOut += "%%BoundingBox: 0 0 " + std::to_string(static_cast<int>(plan[0].dWidth)) + " " +
              std::to_string(static_cast<int>(plan[0].dHeight)) + "\n";
    std::string strFonts;
    for (const std::string& strFont : fonts) {
        strFonts += (strFonts.empty() ? "font " : " ") + strFont;
    }
    if (!strFonts.empty()) {
        strOut += "%%DocumentNeededResources: " + strFonts + "\n";
    }
    strOut += "%%EndComments\n%%BeginProlog\n" + master.strProlog;
    // Each master page once, drawn for every copy.
    for (int nPage : used) {
        strOut += "/NebMasterPage" + std::to_string(nPage) + " {\n" +
                  master.pages[static_cast<size_t>(nPage - 1)] + "} def\n";
    }
    // The master's setup, then the paper the job's pages are printed on.
    strOut += "%%EndProlog\n%%BeginSetup\n" + master.strSetup + "<< /PageSize [" +
              Number(plan[0].dWidth) + " " + Number(plan[0].dHeight) +
              "] >> setpagedevice\n%%EndSetup\n";
    int nOutPage = 0;
    for (int nCopy = nFirst; nCopy <= nLast; ++nCopy) {
        const CDataCopy& copy = job.copies[static_cast<size_t>(nCopy - 1)];
        for (const CPlannedPage& page : plan) {
            ++nOutPage;
            strOut += "%%Page: " + std::to_string(nCopy) + "." + std::to_string(page.nMasterPage) +
                      " " + std::to_string(nOutPage) + "\n";
            strOut += "save /showpage {} def NebMasterPage" + std::to_string(page.nMasterPage) +
                      " restore\nsave\n";
            for (const CPlannedMerge& merge : page.merges) {
                const CFieldValue* pValue = copy.Value(merge.strField);
                if (pValue == nullptr || pValue->strText.empty()) {
                    continue;
                }
                const CAreaDefinition& area = *merge.pArea;
                if (area.nKind == KindGraphic || merge.pField->nStorage == StorageReference) {
                    if (!PlaceEps(area, BesideFile(job.strDataFile, pValue->strText), page.dHeight,
                                  strOut, strError)) {
                        strError = "copy " + std::to_string(nCopy) + ", field " + pValue->strField +
                                   ": " + strError;
                        return false;
                    }
                } else {
                    SetText(area, pValue->strText, page.dHeight, metrics, strOut);
                }
            }
            strOut += "restore\nshowpage\n";
        }
        if (progress) {
            progress(nCopy - nFirst + 1);
        }
    }
    strOut += "%%Trailer\n%%EOF\n";
    return true;
}
