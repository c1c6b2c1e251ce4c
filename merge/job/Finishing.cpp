#include "merge/job/Finishing.h"

#include <algorithm>

namespace {

std::string Points(double dValue) {
    char szText[32];
    snprintf(szText, sizeof szText, "%g", dValue);
    return szText;
}

} // namespace

bool FinishingSquare(const CJobTicket& ticket, double dWidth, double dHeight,
                     const CSheetPlan* pSheets, CRectangle& square, std::string& strError) {
    double dSize = ticket.dFinishingSize;
    square = ticket.bFinishingPlaced
                 ? CRectangle{ticket.dFinishingX, ticket.dFinishingY, dSize, dSize}
                 : CRectangle{FinishingInset, FinishingInset, dSize, dSize};
    std::string strWhere = pSheets != nullptr ? "the press sheet" : "the page";
    if (square.dX + dSize > dWidth || square.dY + dSize > dHeight) {
        strError = "the finishing code: a " + Points(dSize) + " pt code at " + Points(square.dX) +
                   "," + Points(square.dY) + " runs off " + strWhere + " of " + Points(dWidth) +
                   " by " + Points(dHeight) + " pt (finishing-place X,Y,SIZE)";
        return false;
    }
    if (pSheets == nullptr) {
        return true;
    }
    // The cards' grid is centred on the sheet, their crop marks around it.
    const CSheetPlan& plan = *pSheets;
    double dAround = plan.bMarks ? MarkOffset + MarkLength : 0;
    double dGridWidth =
        plan.nColumns * (plan.dCardWidth + 2 * plan.dBleed) + (plan.nColumns - 1) * plan.dGutter;
    double dGridHeight =
        plan.nRows * (plan.dCardHeight + 2 * plan.dBleed) + (plan.nRows - 1) * plan.dGutter;
    double dLeft = (plan.dWidth - dGridWidth) / 2 - dAround;
    double dBottom = (plan.dHeight - dGridHeight) / 2 - dAround;
    double dRight = plan.dWidth - dLeft;
    double dTop = plan.dHeight - dBottom;
    bool bApart = square.dX + dSize <= dLeft || square.dY + dSize <= dBottom ||
                  square.dX >= dRight || square.dY >= dTop;
    if (!bApart) {
        strError = "the finishing code: a " + Points(dSize) + " pt code at " + Points(square.dX) +
                   "," + Points(square.dY) + " lies over the cards" +
                   (plan.bMarks ? " or their crop marks" : "") +
                   " (fewer cards a sheet, a smaller code, or finishing-place X,Y,SIZE)";
        return false;
    }
    return true;
}

std::string CardFinishingText(const CRunPlace& place) {
    return "copy " + std::to_string(place.nCopy) + "/" + std::to_string(place.nCopies) + " page " +
           std::to_string(place.nPage) + "/" + std::to_string(place.nPages);
}

std::string SheetFinishingText(long nSheet, int nSide, int nSides, std::vector<long> copies) {
    copies.erase(std::remove(copies.begin(), copies.end(), 0), copies.end());
    std::sort(copies.begin(), copies.end());
    copies.erase(std::unique(copies.begin(), copies.end()), copies.end());
    std::string strCopies;
    for (size_t i = 0; i < copies.size();) {
        size_t nEnd = i + 1;
        long nStep = nEnd < copies.size() ? copies[nEnd] - copies[i] : 0;
        while (nEnd + 1 < copies.size() && copies[nEnd + 1] - copies[nEnd] == nStep) {
            ++nEnd;
        }
        strCopies += strCopies.empty() ? "" : ",";
        if (nEnd - i >= 2) {
            strCopies += std::to_string(copies[i]) + ".." + std::to_string(copies[nEnd]) +
                         (nStep != 1 ? ":" + std::to_string(nStep) : "");
            i = nEnd + 1;
        } else {
            strCopies += std::to_string(copies[i]);
            ++i;
        }
    }
    return "sheet " + std::to_string(nSheet) + " side " + std::to_string(nSide) + "/" +
           std::to_string(nSides) + " copies " + (strCopies.empty() ? "none" : strCopies);
}
