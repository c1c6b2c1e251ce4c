// What a page of the merged output shows, computed once per page as a list
// of what to draw, which each writer only serialises: the master's page,
// each value as its area shows it (text in runs placed on the page, a code's
// bars, a picture and where it lands), and on a press sheet's side the cards
// each moved to its slot and clipped at its bleed, then the crop marks; last
// the finishing code.
#pragma once

#include "core/AreaDefinition.h"
#include "merge/job/Imposition.h"
#include "merge/job/Pictures.h"
#include "merge/layout/Codes.h"
#include "merge/layout/Placement.h"

#include <string>
#include <vector>

// A line of text placed on the page: its start on the baseline, in points
// from the page's bottom left.
struct CShownLine {
    double dX = 0;
    double dY = 0;
    double dWordSpace = 0; // extra space after each blank (Justify)
    std::u32string strText;
};

enum class ShownKind { Text, Code, Picture };

// A value as its area shows it, in the area's colour (and a text in its
// font).
struct CShownValue {
    ShownKind kind = ShownKind::Text;
    const CAreaDefinition* pArea = nullptr;
    // Text: the size it is set in and its lines that hold characters.
    double dSize = 0;
    std::vector<CShownLine> lines;
    // Code: its bars on the page.
    std::vector<CRectangle> bars;
    // Picture: which, where it lands, and what names it in a message
    // ("copy 3, field Photo").
    const CPicture* pPicture = nullptr;
    CPlacement placement;
    std::string strSource;
};

// A copy's page: its master page and its values; on a sheet, where it goes.
struct CShownCard {
    int nMasterPage = 0;
    CCardPlace place{};
    std::vector<CShownValue> values;
};

// A page of the output: a copy's page (one card, where the page is) or a
// sheet's side (its cards placed, then its marks).
struct CShownPage {
    std::string strName; // "12.1": copy 12, master page 1; "S3.2": sheet 3, side 2
    double dWidth = 0;
    double dHeight = 0;
    bool bSheet = false;
    std::vector<CShownCard> cards;
    std::vector<CMark> marks;
    CShownValue finishing; // the finishing code (a code, in black), or no bars
};

// A copy named in the PDF's document parts: its number and the values of
// the fields the ticket names as its recipient (UTF-8).
struct CRecipient {
    long nCopy = 0;
    std::vector<std::pair<std::string, std::string>> fields;
};

// The pages of one copy, or of one sheet: a document part of the output.
struct CShownUnit {
    bool bSheet = false;
    long nNumber = 0;             // the copy's number, or the sheet's (from 1)
    std::vector<long> slotCopies; // a sheet's copies by slot, 0 for an empty slot
    std::vector<CShownPage> pages;
    std::vector<CRecipient> recipients; // the copy, or a sheet's copies in slot order
};
