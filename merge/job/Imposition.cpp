#include "merge/job/Imposition.h"

#include "merge/job/PagePlan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The room the crop marks take beyond the grid on each side.
double MarkRoom(bool bMarks) {
    return bMarks ? MarkOffset + MarkLength : 0;
}

// The extent of n cards with their bleeds and the gutters between.
double GridExtent(int nCards, double dCard, double dBleed, double dGutter) {
    return nCards * (dCard + 2 * dBleed) + (nCards - 1) * dGutter;
}

// How many cards fit across the room.
int CardsIn(double dRoom, double dCard, double dBleed, double dGutter) {
    double dCount = std::floor((dRoom + dGutter + 1e-6) / (dCard + 2 * dBleed + dGutter));
    return static_cast<int>(std::max(0.0, std::min(dCount, 100.0)));
}

std::string Text(double dValue) {
    char szText[32];
    snprintf(szText, sizeof szText, "%g", std::round(dValue * 100) / 100);
    return szText;
}

} // namespace

void CSheetPlan::TrimCorner(int nSlot, int nSide, double& dX, double& dY) const {
    int nColumn = nSlot % nColumns;
    int nRow = nSlot / nColumns;
    double dGridWidth = GridExtent(nColumns, dCardWidth, dBleed, dGutter);
    double dGridHeight = GridExtent(nRows, dCardHeight, dBleed, dGutter);
    dX = (dWidth - dGridWidth) / 2 + dBleed + nColumn * (dCardWidth + 2 * dBleed + dGutter);
    double dTop =
        (dHeight + dGridHeight) / 2 - dBleed - nRow * (dCardHeight + 2 * dBleed + dGutter);
    dY = dTop - dCardHeight;
    if (bDuplex && nSide % 2 == 1) {
        dX = dWidth - dX - dCardWidth;
    }
}

CCardPlace CSheetPlan::Place(int nSlot, int nSide, double dPageWidth, double dPageHeight) const {
    double dX = 0;
    double dY = 0;
    TrimCorner(nSlot, nSide, dX, dY);
    return {dX + (dCardWidth - dPageWidth) / 2,
            dY + (dCardHeight - dPageHeight) / 2,
            {dX - dBleed, dY - dBleed, dCardWidth + 2 * dBleed, dCardHeight + 2 * dBleed}};
}

long CSheetPlan::EmptySlots() const {
    return static_cast<long>(nSheets * static_cast<size_t>(Slots()) - nCopies);
}

long CSheetPlan::PileStart(int nSlot) const {
    // The piles that lack a card on the last sheet are the last ones.
    return nSlot * static_cast<long>(nSheets) - std::max(0L, nSlot - (Slots() - EmptySlots()));
}

long CSheetPlan::CopyAt(size_t nSheet, int nSlot) const {
    long nCopy = static_cast<long>(nSheet) * Slots() + nSlot;
    if (order == StackOrder::CutStack) {
        bool bEmpty = nSheet + 1 == nSheets && nSlot >= Slots() - EmptySlots();
        nCopy = bEmpty ? -1 : PileStart(nSlot) + static_cast<long>(nSheet);
    }
    return nCopy >= 0 && static_cast<size_t>(nCopy) < nCopies ? nCopy : -1;
}

std::vector<CMark> CSheetPlan::Marks(int nSide) const {
    std::vector<CMark> marks;
    if (!bMarks) {
        return marks;
    }
    double dLeft = 0;
    double dBottom = 0;
    double dRight = 0;
    double dTop = 0;
    TrimCorner(0, nSide, dLeft, dTop);
    TrimCorner(Slots() - 1, nSide, dRight, dBottom);
    // The grid's bleed edges, whichever way the back is turned.
    double dGridLeft = std::min(dLeft, dRight) - dBleed;
    double dGridRight = std::max(dLeft, dRight) + dCardWidth + dBleed;
    double dGridBottom = dBottom - dBleed;
    double dGridTop = dTop + dCardHeight + dBleed;
    for (int nColumn = 0; nColumn < nColumns; ++nColumn) {
        double dX = 0;
        double dY = 0;
        TrimCorner(nColumn, nSide, dX, dY);
        for (double dLine : {dX, dX + dCardWidth}) {
            marks.push_back(
                {dLine, dGridTop + MarkOffset, dLine, dGridTop + MarkOffset + MarkLength});
            marks.push_back(
                {dLine, dGridBottom - MarkOffset, dLine, dGridBottom - MarkOffset - MarkLength});
        }
    }
    for (int nRow = 0; nRow < nRows; ++nRow) {
        double dX = 0;
        double dY = 0;
        TrimCorner(nRow * nColumns, nSide, dX, dY);
        for (double dLine : {dY, dY + dCardHeight}) {
            marks.push_back(
                {dGridLeft - MarkOffset, dLine, dGridLeft - MarkOffset - MarkLength, dLine});
            marks.push_back(
                {dGridRight + MarkOffset, dLine, dGridRight + MarkOffset + MarkLength, dLine});
        }
    }
    return marks;
}

namespace {

// The sheet's size a grid of the cards needs, with bleeds, gutters and
// room for the marks.
void Needed(const CJobTicket& ticket, double dCardWidth, double dCardHeight, int nColumns,
            int nRows, double& dWidth, double& dHeight) {
    const double dRoom = 2 * MarkRoom(ticket.bMarks);
    dWidth = GridExtent(nColumns, dCardWidth, ticket.dBleed, ticket.dGutter) + dRoom;
    dHeight = GridExtent(nRows, dCardHeight, ticket.dBleed, ticket.dGutter) + dRoom;
}

// As many as fit of a grid of small cards may be more than a sheet takes:
// the grid within it that holds the most cards.
void MostWithinLimit(int& nColumns, int& nRows) {
    if (nColumns * nRows <= MaxSlots) {
        return;
    }
    int nBestColumns = 1;
    int nBestRows = 1;
    for (int nTry = 1; nTry <= std::min(nColumns, MaxSlots); ++nTry) {
        int nTryRows = std::min(nRows, MaxSlots / nTry);
        if (nTry * nTryRows > nBestColumns * nBestRows) {
            nBestColumns = nTry;
            nBestRows = nTryRows;
        }
    }
    nColumns = nBestColumns;
    nRows = nBestRows;
}

// The grid on the ticket's sheet, as given or turned, whichever holds more
// cards (the grid asked, or as many as fit); false with a message when
// neither holds it.
bool GridOnSheet(const CJobTicket& ticket, CSheetPlan& plan, std::string& strError) {
    const double dRoom = 2 * MarkRoom(ticket.bMarks);
    double dNeededWidth = 0;
    double dNeededHeight = 0;
    int nBest = 0;
    for (bool bTurned : {false, true}) {
        double dWidth = bTurned ? ticket.dSheetHeight : ticket.dSheetWidth;
        double dHeight = bTurned ? ticket.dSheetWidth : ticket.dSheetHeight;
        int nColumns = ticket.nColumns;
        int nRows = ticket.nRows;
        if (nColumns == 0) {
            nColumns = CardsIn(dWidth - dRoom, plan.dCardWidth, ticket.dBleed, ticket.dGutter);
            nRows = CardsIn(dHeight - dRoom, plan.dCardHeight, ticket.dBleed, ticket.dGutter);
            MostWithinLimit(nColumns, nRows);
        }
        Needed(ticket, plan.dCardWidth, plan.dCardHeight, nColumns, nRows, dNeededWidth,
               dNeededHeight);
        if (nColumns * nRows > nBest && dNeededWidth <= dWidth + 1e-6 &&
            dNeededHeight <= dHeight + 1e-6) {
            nBest = nColumns * nRows;
            plan.nColumns = nColumns;
            plan.nRows = nRows;
            plan.dWidth = dWidth;
            plan.dHeight = dHeight;
        }
    }
    if (nBest > 0) {
        return true;
    }
    Needed(ticket, plan.dCardWidth, plan.dCardHeight, std::max(ticket.nColumns, 1),
           std::max(ticket.nRows, 1), dNeededWidth, dNeededHeight);
    strError = (ticket.nColumns == 0 ? std::string("not one card")
                                     : std::to_string(ticket.nColumns) + " by " +
                                           std::to_string(ticket.nRows) + " cards") +
               " of " + Text(plan.dCardWidth) + " by " + Text(plan.dCardHeight) +
               " points (with bleed, gutter and marks " + Text(dNeededWidth) + " by " +
               Text(dNeededHeight) + ")" + (ticket.nColumns == 0 ? " fits" : " do not fit") +
               " on a sheet of " + Text(ticket.dSheetWidth) + " by " + Text(ticket.dSheetHeight) +
               " points, either way up";
    return false;
}

} // namespace

bool PlanSheets(const CJobTicket& ticket, double dCardWidth, double dCardHeight, size_t nPages,
                size_t nCopies, CSheetPlan& plan, std::string& strError) {
    plan.dCardWidth = dCardWidth;
    plan.dCardHeight = dCardHeight;
    plan.dBleed = ticket.dBleed;
    plan.dGutter = ticket.dGutter;
    plan.bMarks = ticket.bMarks;
    plan.bDuplex = ticket.bDuplex;
    plan.order = ticket.order;
    plan.nSides = static_cast<int>(nPages + (ticket.bDuplex && nPages % 2 == 1 ? 1 : 0));
    plan.nCopies = nCopies;
    if (ticket.dSheetWidth == 0) {
        // No sheet: one just large enough for the grid asked, or one card.
        plan.nColumns = std::max(ticket.nColumns, 1);
        plan.nRows = std::max(ticket.nRows, 1);
        Needed(ticket, dCardWidth, dCardHeight, plan.nColumns, plan.nRows, plan.dWidth,
               plan.dHeight);
    } else if (!GridOnSheet(ticket, plan, strError)) {
        return false;
    }
    if (plan.Slots() > MaxSlots) {
        strError = std::to_string(plan.nColumns) + " by " + std::to_string(plan.nRows) +
                   " cards on a sheet are more than " + std::to_string(MaxSlots);
        return false;
    }
    if (plan.dWidth > MaxPageSide || plan.dHeight > MaxPageSide) {
        strError = "a sheet of " + Text(plan.dWidth) + " by " + Text(plan.dHeight) +
                   " points is larger than " + Text(MaxPageSide) + " a side";
        return false;
    }
    plan.nSheets =
        (nCopies + static_cast<size_t>(plan.Slots()) - 1) / static_cast<size_t>(plan.Slots());
    return true;
}
