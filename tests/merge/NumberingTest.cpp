// Values the run computes, and the finishing code's text: templates filled
// in, refused with why, and a sheet's copies written as runs.
#include "merge/layout/Numbering.h"
#include "merge/job/Finishing.h"

#include <gtest/gtest.h>

namespace {

TEST(Numbering, TemplatesFilledInAndRefused) {
    CRunPlace place;
    place.nCopy = 12;
    place.nCopies = 1000;
    place.nPage = 2;
    place.nPages = 4;
    place.nSheet = 3;
    place.nSide = 1;
    const std::pair<const char*, const char*> rows[] = {
        {"No. {copy:06}", "No. 000012"},
        {"{copy} of {copies}", "12 of 1000"},
        {"page {page} of {pages}", "page 2 of 4"},
        {"S{sheet}/{side}", "S3/1"},
        {"[{copy:5}]", "[   12]"},
        {"{{copy}} {copy}}}", "{copy} 12}"},
        {"", ""},
        {"{cop}", "{cop}: no such number; did you mean {copy}? (copy, copies, page, pages, sheet, "
                  "side)"},
        {"{copy", "a \"{\" that is not closed (write \"{{\" for the brace itself)"},
        {"a}b", "a \"}\" that closes no \"{\" (write \"}}\" for the brace itself)"},
        {"{copy:0}",
         "{copy:0}: the width after \":\" is a number from 1 to 20 (06 pads with zeros)"},
        {"{copy:21}",
         "{copy:21}: the width after \":\" is a number from 1 to 20 (06 pads with zeros)"},
        {"{copy:}", "{copy:}: the width after \":\" is a number from 1 to 20 (06 pads with zeros)"},
        {"{copy:-3}",
         "{copy:-3}: the width after \":\" is a number from 1 to 20 (06 pads with zeros)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        CNumbering numbering;
        std::string strError;
        bool bRead = ParseNumbering(row.first, numbering, strError);
        EXPECT_EQ(bRead ? Numbered(numbering, place) : strError, row.second);
    }
    CNumbering numbering;
    std::string strError;
    ASSERT_TRUE(ParseNumbering("{copy:020}", numbering, strError));
    place.nCopy = 2147483647;
    EXPECT_EQ(Numbered(numbering, place), "00000000002147483647");
    EXPECT_FALSE(numbering.UsesSheets());
    ASSERT_TRUE(ParseNumbering("{side}", numbering, strError));
    EXPECT_TRUE(numbering.UsesSheets());
}

TEST(Numbering, FinishingTextsNameCopyPageOrTheSheetsCopies) {
    CRunPlace place;
    place.nCopy = 12;
    place.nCopies = 1000;
    place.nPage = 1;
    place.nPages = 2;
    EXPECT_EQ(CardFinishingText(place), "copy 12/1000 page 1/2");
    const std::pair<std::vector<long>, const char*> rows[] = {
        {{3, 103, 203, 303}, "sheet 3 side 1/2 copies 3..303:100"},
        {{1, 2, 3, 4, 0, 0}, "sheet 3 side 1/2 copies 1..4"},
        {{9, 1, 5}, "sheet 3 side 1/2 copies 1..9:4"},
        {{1, 2, 7, 9}, "sheet 3 side 1/2 copies 1,2,7,9"},
        {{4, 3, 2, 1, 10}, "sheet 3 side 1/2 copies 1..4,10"},
        {{0, 0}, "sheet 3 side 1/2 copies none"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(SheetFinishingText(3, 1, 2, row.first), row.second);
    }
}

} // namespace
