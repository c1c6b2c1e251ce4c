// The finishing code: a small DataMatrix on every page of the output that
// tells the inserter, the bindery or the cutter where the page belongs, so
// that a lost or doubled sheet is caught. On a copy's page it reads
// "copy 12/1000 page 1/2" (the copy and the copies the data holds, the page
// and the copy's pages); on a side of a press sheet "sheet 3 side 1/2
// copies 3..1203:100", the copies on the side in ascending order, a run of
// three or more evenly spaced numbers written first..last (":step" when the
// step is not 1).
#pragma once

#include "merge/job/Imposition.h"
#include "merge/job/Ticket.h"
#include "merge/layout/Codes.h"
#include "merge/layout/Numbering.h"

#include <string>
#include <vector>

// How far the default code lies in from the corner of the page or sheet.
constexpr double FinishingInset = 9;

// Where the code goes on a page of the size (or, given the plan, on its
// sheets): the ticket's place, else the page's lower left corner, or on a
// sheet that corner outside the cards and their crop marks. False with a
// message when the code would leave the page or, on a sheet, lie over the
// cards.
bool FinishingSquare(const CJobTicket& ticket, double dWidth, double dHeight,
                     const CSheetPlan* pSheets, CRectangle& square, std::string& strError);

// The code's text on a copy's page.
std::string CardFinishingText(const CRunPlace& place);

// The code's text on a sheet's side: copies as the slots hold them (0 for
// an empty slot).
std::string SheetFinishingText(long nSheet, int nSide, int nSides, std::vector<long> copies);
