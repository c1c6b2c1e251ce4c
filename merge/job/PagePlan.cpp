#include "merge/job/PagePlan.h"

#include "merge/data/DataCopies.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace {

// A page number as the job writes it: digits only, from 1.
bool PageNumber(const CSmallString& strText, long& nPage) {
    const char* p = strText.Text();
    if (*p == '\0' || strlen(p) > 9 || strspn(p, "0123456789") != strlen(p)) {
        return false;
    }
    nPage = atol(p);
    return nPage >= 1;
}

std::string Number(double dValue) {
    char szText[32];
    snprintf(szText, sizeof szText, "%g", dValue);
    return szText;
}

// The planner the instructions hand themselves to.
class CPagePlan : public IPagePlan {
  public:
    CPagePlan(const std::unordered_map<const CDataDefinition*, size_t>& ordinals, int nMasterPages)
        : m_ordinals(ordinals), m_nMasterPages(nMasterPages) {}

    void IncludePages(const CSmallString& strFile, const CSmallString& strFirst,
                      const CSmallString& strLast, double dWidth, double dHeight, double) override {
        if (strMaster.empty()) {
            strMaster = strFile.Text();
        }
        if (!strError.empty() || m_nMasterPages == 0) {
            return;
        }
        long nFirst = 0;
        long nLast = 0;
        std::string strRange =
            std::string("IncludePages ") + strFirst.Text() + " " + strLast.Text();
        if (!PageNumber(strFirst, nFirst) || !PageNumber(strLast, nLast) || nLast < nFirst ||
            nLast > m_nMasterPages) {
            strError = strRange + ": the PostScript master has pages 1 to " +
                       std::to_string(m_nMasterPages);
            return;
        }
        if (!(dWidth >= 1 && dWidth <= MaxPageSide && dHeight >= 1 && dHeight <= MaxPageSide)) {
            strError = strRange + ": a page of " + Number(dWidth) + " by " + Number(dHeight) +
                       " points is not between 1 and " + Number(MaxPageSide) + " a side";
            return;
        }
        if (static_cast<size_t>(nLast - nFirst + 1) > MaxPagesPerCopy - pages.size()) {
            strError = strRange + ": a copy would have more than " +
                       std::to_string(MaxPagesPerCopy) + " pages";
            return;
        }
        for (long n = nFirst; n <= nLast; ++n) {
            CPlannedPage page{static_cast<int>(n), dWidth, dHeight, {}};
            for (const CPlannedMerge& merge : m_pending) {
                // An area is set on the page it lies on; with one page taken,
                // on that page whatever it says.
                if (nFirst == nLast || atol(merge.pArea->strPage.Text()) == n) {
                    page.merges.push_back(merge);
                }
            }
            pages.push_back(std::move(page));
        }
        m_pending.clear();
    }

    // The job was read whole: every Merge has its area and data definition.
    void Merge(const CSmallString&, const CSmallString& strField, const CAreaDefinition* pArea,
               const CDataDefinition* pField) override {
        auto found = m_ordinals.find(pField);
        m_pending.push_back(
            {strField.Text(), pArea, pField, found != m_ordinals.end() ? found->second : SIZE_MAX});
        merges.push_back(m_pending.back());
    }

    std::vector<CPlannedPage> pages;
    std::vector<CPlannedMerge> merges;
    std::string strMaster; // the file the first IncludePages names
    std::string strError;

  private:
    const std::unordered_map<const CDataDefinition*, size_t>& m_ordinals;
    int m_nMasterPages;
    std::vector<CPlannedMerge> m_pending;
};

CPagePlan Plan(const CDocDef& docDef, int nMasterPages) {
    std::unordered_map<const CDataDefinition*, size_t> ordinals;
    docDef.fields.ForEachRecord([&](const CDataDefinition& record) {
        if (!IsFiller(record)) {
            size_t nOrdinal = ordinals.size();
            ordinals[&record] = nOrdinal;
        }
    });
    CPagePlan plan(ordinals, nMasterPages);
    docDef.instructions.ForEachInstruction(
        [&](const CInstruction& instruction) { instruction.Apply(plan); });
    return plan;
}

} // namespace

std::vector<CPlannedMerge> JobMerges(const CDocDef& docDef) {
    return Plan(docDef, 0).merges;
}

std::string MasterNamed(const CDocDef& docDef) {
    return Plan(docDef, 0).strMaster;
}

bool PlanPages(const CDocDef& docDef, int nMasterPages, std::vector<CPlannedPage>& pages,
               std::string& strError) {
    CPagePlan plan = Plan(docDef, nMasterPages);
    pages = std::move(plan.pages);
    strError = plan.strError;
    if (strError.empty() && pages.empty()) {
        strError = "the job takes no page of the PostScript master";
    }
    return strError.empty();
}

bool CheckAreaNumbers(const CDocDef& docDef, std::string& strError) {
    docDef.areas.ForEachArea([&](const CAreaDefinition& area) {
        if (!strError.empty()) {
            return;
        }
        auto Within = [](float f, double dLow, double dHigh) {
            return std::isfinite(f) && f >= dLow && f <= dHigh;
        };
        const char* pBad =
            !Within(area.fLeft, -MaxPageSide, MaxPageSide) ||
                    !Within(area.fTop, -MaxPageSide, MaxPageSide)
                ? "its position"
            : !Within(area.fWidth, 0, MaxPageSide) || !Within(area.fHeight, 0, MaxPageSide)
                ? "its size"
            : area.nKind == KindText && !Within(area.fSize, 0.1, 1000)         ? "its font size"
            : area.nKind == KindText && !Within(area.fSpacing, 0, MaxPageSide) ? "its leading"
                                                                               : nullptr;
        if (pBad != nullptr) {
            strError =
                std::string("area ") + area.strName.Text() + ": " + pBad + " is out of bounds";
        }
    });
    return strError.empty();
}

std::vector<int> MasterPagesUsed(const std::vector<CPlannedPage>& pages) {
    std::vector<int> used;
    for (const CPlannedPage& page : pages) {
        used.push_back(page.nMasterPage);
    }
    std::sort(used.begin(), used.end());
    used.erase(std::unique(used.begin(), used.end()), used.end());
    return used;
}
