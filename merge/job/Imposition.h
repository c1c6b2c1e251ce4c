// Cards on press sheets: how many go across and down a sheet, where each
// card's trim box lies on each side of the sheet, which copy goes in which
// slot, and where the crop marks go. The cards lie in a grid centred on the
// sheet, a bleed around each and a gutter between their bleeds; slots are
// counted across from the top left. On a duplex sheet the backs are turned
// over the sheet's vertical middle (work and turn), so each card's back
// lies exactly behind its front. Cut and stacked, the sheets give piles that
// are each in copy order and follow one another: pile 1 holds the first
// copies, pile 2 the next; only the last sheet has empty slots.
#pragma once

#include "merge/job/Ticket.h"

#include <cstddef>
#include <string>
#include <vector>

// A crop mark: a line from (dX0, dY0) to (dX1, dY1), in points.
struct CMark {
    double dX0;
    double dY0;
    double dX1;
    double dY1;
};

// The most cards on a sheet: cut and stacked, each pile is read by a reader
// of its own.
constexpr int MaxSlots = 400;

// Crop marks: this far outside the bleed, this long, this thick.
constexpr double MarkOffset = 3;
constexpr double MarkLength = 15;
constexpr double MarkWeight = 0.25;

// A card's page drawn in its slot: the page's origin on the sheet, so that
// the card's trim box (centred on the page) lands on the slot's, and the
// clip of the card's bleed box (left, bottom, width, height).
struct CCardPlace {
    double dX;
    double dY;
    double adClip[4];
};

struct CSheetPlan {
    double dWidth = 0; // the sheet, points
    double dHeight = 0;
    double dCardWidth = 0; // a card's trim box
    double dCardHeight = 0;
    int nColumns = 1;
    int nRows = 1;
    double dBleed = 0;
    double dGutter = 0;
    bool bMarks = false;
    bool bDuplex = false;
    StackOrder order = StackOrder::CutStack;
    int nSides = 1; // the sheet's output pages: a copy's pages, and a blank back if need be
    size_t nCopies = 0;
    size_t nSheets = 0;

    int Slots() const { return nColumns * nRows; }
    // The lower left corner of the trim box of the slot on the side (from 0);
    // odd sides are backs when the sheet is duplex.
    void TrimCorner(int nSlot, int nSide, double& dX, double& dY) const;
    // Where a page of the size is drawn in the slot on the side.
    CCardPlace Place(int nSlot, int nSide, double dPageWidth, double dPageHeight) const;
    // The copy (from 0 among those merged) in the slot of the sheet, or -1.
    long CopyAt(size_t nSheet, int nSlot) const;
    // The first copy of the slot's pile (cut and stack).
    long PileStart(int nSlot) const;
    // The slots the last sheet leaves empty.
    long EmptySlots() const;
    // The crop marks of the side: at every trim line, outside the grid.
    std::vector<CMark> Marks(int nSide) const;
};

// Lays cards of the size, of nPages pages each, on the ticket's sheet: the
// grid it asks, or (auto) the most cards that fit, the sheet turned when
// that holds more (or only then holds the grid asked); without a sheet, one
// just large enough. False with a message when the grid does not fit or
// holds more than MaxSlots cards.
bool PlanSheets(const CJobTicket& ticket, double dCardWidth, double dCardHeight, size_t nPages,
                size_t nCopies, CSheetPlan& plan, std::string& strError);
