// The pages of one copy: the master's pages in the order the job's
// instructions take them, each with the values set on it. The Merge lines
// before an IncludePages set their values on the pages it takes.
#pragma once

#include "core/AreaDefinition.h"
#include "core/DocDef.h"

#include <string>
#include <vector>

struct CNumbering;

// A value set on a page: the data field's, in the area; or one the run
// computes (pNumbering), when pField may be null.
struct CPlannedMerge {
    std::string strField;
    const CAreaDefinition* pArea;
    const CDataDefinition* pField;
    size_t nOrdinal; // the field's place among the data definitions that are no fillers
    // The value set nearest above in a block of line areas (the address
    // block), the index of its merge on the page, or -1; and the distance
    // between the two areas' tops, by which this one moves up when that one
    // is an optional field left empty.
    int nAbove = -1;
    double dPitch = 0;
    const CNumbering* pNumbering = nullptr;
};

// One page to draw: the master page and the values set on it.
struct CPlannedPage {
    int nMasterPage;
    double dWidth;
    double dHeight;
    std::vector<CPlannedMerge> merges;
    bool bClosesUp = false; // an optional field's line area has areas below it
};

// Pages and page sizes a job may ask for: at most this many pages per copy,
// sizes from 1 to 14,400 points (200 inches) a side.
constexpr size_t MaxPagesPerCopy = 10000;
constexpr double MaxPageSide = 14400;

// Every Merge of the job, in order, with its field's place.
std::vector<CPlannedMerge> JobMerges(const CDocDef& docDef);

// The PostScript master the job's first IncludePages names.
std::string MasterNamed(const CDocDef& docDef);

// The pages of a copy; false with a message naming the instruction when a
// page range is not one of the master's nMasterPages pages, a page size is out
// of bounds, or the pages are too many.
bool PlanPages(const CDocDef& docDef, int nMasterPages, std::vector<CPlannedPage>& pages,
               std::string& strError);

// The master pages the pages draw, each once, in ascending order.
std::vector<int> MasterPagesUsed(const std::vector<CPlannedPage>& pages);

// Checks the numbers of every area where they enter the merge: finite,
// positions and sizes within the bounds of a page, a font size above 0;
// false with a message naming the area.
bool CheckAreaNumbers(const CDocDef& docDef, std::string& strError);
