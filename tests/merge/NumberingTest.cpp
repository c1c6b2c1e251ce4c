// Values the run computes, and the finishing code's text: templates filled
// in, refused with why, and a sheet's copies written as runs; computed
// values checked for every copy with the count of copies known.
#include "merge/layout/Numbering.h"
#include "MergeRun.h"
#include "merge/job/Finishing.h"

#include <gtest/gtest.h>

namespace {

TEST(Numbering, TemplatesFilledInAndRefused) {
    CRunPlace place{12, 1000, 2, 4, 3, 1};
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
    EXPECT_EQ(CardFinishingText(CRunPlace{12, 1000, 1, 2, 0, 0}), "copy 12/1000 page 1/2");
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

class ComputedValues : public merge_test::MergedOutput {
  protected:
    // The check's report of the job's data with the options.
    std::string Checked(const std::string& strOptions, int nExit) const {
        std::string strReport;
        EXPECT_EQ(
            Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --check " + strOptions,
                  strReport),
            nExit)
            << merge_test::ReadText(Path("stderr.txt"));
        return strReport;
    }
};

// CenterArea holds 33 characters of its Courier: 32 and the count of copies
// fit while the data holds fewer than 10 copies, and not one copy fits with
// 10, though each copy alone would have.
TEST_F(ComputedValues, CheckedForEveryCopyWithTheCountKnown) {
    const std::string strValue = "--value 'CenterArea=" + std::string(32, 'x') + "{copies}'";
    EXPECT_EQ(Checked(strValue, 0), "3 copies, 0 problems\n");
    std::string strData;
    for (int nCopy = 1; nCopy <= 10; ++nCopy) {
        strData += "Copy " + std::to_string(nCopy) + "\tNote\tpicture.eps\r\n";
    }
    merge_test::WriteText(Path("data.txt"), strData);
    std::string strReport = Checked(strValue, 1);
    EXPECT_NE(strReport.find(Path("data.txt") +
                             ":1: copy 1, field CenterArea, byte 0: text does not fit: "
                             "runs 4.0 pt past the width of area CenterArea\n"),
              std::string::npos)
        << strReport;
    EXPECT_NE(strReport.find("10 copies, 10 problems (10 text does not fit)"), std::string::npos);
    // Only the copies merged are checked; a code no value can make is the
    // problem of each.
    EXPECT_EQ(Checked("--copies 9-10 --code CenterArea=ean13 --value 'CenterArea={copy:012}'", 1),
              Path("data.txt") +
                  ":9: copy 9, field CenterArea, byte 200: invalid code: area CenterArea: "
                  "\"000000000009\": an EAN-13 is 13 digits with its check digit\n" +
                  Path("data.txt") +
                  ":10: copy 10, field CenterArea, byte 225: invalid code: area CenterArea: "
                  "\"000000000010\": an EAN-13 is 13 digits with its check digit\n"
                  "10 copies, 2 problems (2 invalid code)\n");
    // {sheet} and {side} need sheets; a literal the data's encoding lacks.
    EXPECT_EQ(Checked("--value 'NameArea={side}'", 2), "");
    EXPECT_EQ(merge_test::ReadText(Path("stderr.txt")),
              "nebmerge: the job ticket: value NameArea: {sheet} and {side} count press sheets, "
              "and the job has none (--sheet)\n");
    EXPECT_EQ(Checked("--value 'NameArea=\xE2\x84\x96 {copy}'", 2), "");
    EXPECT_EQ(merge_test::ReadText(Path("stderr.txt")),
              "nebmerge: the job ticket: value NameArea: a character the data's encoding "
              "Windows-1252 does not have\n");
    // An area no Merge sets, on a master page the job does not take.
    std::string strJob = merge_test::ReadText(Path("job.ddf"));
    strJob.insert(strJob.find("[DocumentInstructions]"),
                  "Extra Is Text Left AsIs Font Courier Size 10 Spacing 12 CMYK 0 0 0 1 On "
                  "\"c:\\jobs\\master.ps\" 2 At 72 400 For 200 20 FirstPos -1 -1\r\n");
    merge_test::WriteText(Path("job.ddf"),
                          strJob + "IncludePages \"c:\\jobs\\master.ps\" 1 1 612 792 0\r\n");
    EXPECT_EQ(Checked("--value 'Extra={copy}'", 2), "");
    EXPECT_EQ(merge_test::ReadText(Path("stderr.txt")),
              "nebmerge: the job ticket: value Extra: the job takes no page of the master's page "
              "2, where the area lies\n");
}

// A finishing code that would leave the page, or lie over the cards of a
// sheet, stops the run before anything is written.
TEST_F(ComputedValues, AFinishingCodeWithoutRoomIsRefused) {
    const std::pair<const char*, const char*> rows[] = {
        {"--finishing-place 600,9,24",
         "the finishing code: a 24 pt code at 600,9 runs off the page of 612 by 792 pt "
         "(finishing-place X,Y,SIZE)"},
        {"--finishing-code --sheet Letter --impose 1x1",
         "the finishing code: a 24 pt code at 9,9 lies over the cards (fewer cards a sheet, a "
         "smaller code, or finishing-place X,Y,SIZE)"},
        {"--finishing-place 9,9,24 --sheet 700x840 --marks",
         "the finishing code: a 24 pt code at 9,9 lies over the cards or their crop marks "
         "(fewer cards a sheet, a smaller code, or finishing-place X,Y,SIZE)"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        EXPECT_EQ(Checked(row.first, 2), "");
        EXPECT_EQ(merge_test::ReadText(Path("stderr.txt")),
                  std::string("nebmerge: ") + row.second + "\n");
    }
    EXPECT_EQ(Checked("--finishing-code --sheet 700x840", 0), "3 copies, 0 problems\n");
}

} // namespace
