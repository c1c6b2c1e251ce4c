#include "merge/output/WritePass.h"

#include "merge/job/CopyWalk.h"
#include "merge/pages/PageBuilder.h"

bool WritePass(CJob& job, CFontMetrics& metrics, int nFirst, int nLast, const CSheetPlan* pSheets,
               const std::vector<IPageWriter*>& writers, const std::function<void(int)>& progress,
               std::string& strError) {
    size_t nPages = pSheets != nullptr ? pSheets->nSheets * static_cast<size_t>(pSheets->nSides)
                                       : static_cast<size_t>(nLast - nFirst + 1) * job.pages.size();
    for (IPageWriter* pWriter : writers) {
        if (!pWriter->Begin(nPages, strError)) {
            return false;
        }
    }
    CPageBuilder builder(job, metrics, pSheets);
    CShownUnit unit;
    auto write = [&]() {
        for (IPageWriter* pWriter : writers) {
            if (!pWriter->Unit(unit, strError)) {
                return false;
            }
        }
        return true;
    };
    auto writeCopy = [&](const CDataCopy& copy) {
        return builder.Copy(copy, unit, strError) && write();
    };
    auto writeSheet = [&](size_t nSheet, const std::vector<const CDataCopy*>& slots) {
        return builder.Sheet(nSheet, slots, unit, strError) && write();
    };
    if (pSheets != nullptr
            ? !ForEachSheet(job, *pSheets, nFirst, writeSheet, progress, strError)
            : !ForEachCopyInRange(job, nFirst, nLast, writeCopy, progress, strError)) {
        return false;
    }
    for (IPageWriter* pWriter : writers) {
        if (!pWriter->Finish(strError)) {
            return false;
        }
    }
    return true;
}
