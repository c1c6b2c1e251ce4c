// The variable data input file cut into copies by every kind of data
// definition the plug-in writes.
#include "merge/data/DataCopies.h"
#include "core/DocDefReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The copies of the data under the data definition lines.
struct CCut {
    std::vector<CDataCopy> copies;
    std::vector<CProblem> problems;
};

// Cut whole, or (nChunk) read a few bytes at a time as from a file.
CCut Cut(const std::string& strDefinitions, const std::string& strData, size_t nChunk = 0) {
    CDocDef docDef;
    std::string strError;
    std::string strText = "Docdef-Version-1.0\n[DataDefinition]\n" + strDefinitions +
                          "[AreaDefinition]\n[DocumentInstructions]\n";
    EXPECT_TRUE(ReadDocDefText(strText, docDef, strError)) << strError;
    CCut cut;
    if (nChunk == 0) {
        CutCopies(strData, docDef.fields, cut.copies, cut.problems);
        return cut;
    }
    size_t nGiven = 0;
    CCopySource source(
        docDef.fields,
        [&](char* pBuffer, size_t nSize) {
            size_t nCount = std::min({nSize, nChunk, strData.size() - nGiven});
            strData.copy(pBuffer, nCount, nGiven);
            nGiven += nCount;
            return static_cast<long>(nCount);
        },
        1 << 20, nChunk);
    CDataCopy copy;
    while (source.Next(copy, cut.problems)) {
        cut.copies.push_back(copy);
    }
    return cut;
}

// The copies and problems as text, places included.
std::string Described(const CCut& cut) {
    std::string strOut;
    for (const CDataCopy& copy : cut.copies) {
        strOut += "copy " + std::to_string(copy.nNumber) + "@" +
                  std::to_string(copy.place.nOffset) + ":" + std::to_string(copy.place.nLine);
        for (const CFieldValue& value : copy.values) {
            strOut += " " + value.strField + "=" + value.strText + "@" +
                      std::to_string(value.place.nOffset) + ":" + std::to_string(value.place.nLine);
        }
        strOut += "\n";
    }
    for (const CProblem& problem : cut.problems) {
        strOut += std::string(ProblemName(problem.kind)) + " " + std::to_string(problem.nCopy) +
                  " " + problem.strField + "@" + std::to_string(problem.place.nOffset) + ":" +
                  std::to_string(problem.place.nLine) + " " + problem.strDetail + "\n";
    }
    return strOut;
}

std::vector<std::string> Values(const CDataCopy& copy) {
    std::vector<std::string> values;
    for (const CFieldValue& value : copy.values) {
        values.push_back(value.strField + "=" + value.strText);
    }
    return values;
}

const char* const CardDefinitions = "Name Is Lines Inline Text At 0 Chars For 1\n"
                                    "Street Is Lines Inline Text At 0 Chars For 1\n"
                                    "City Is Lines Inline Text At 0 Chars For 1\n"
                                    "Zip Is Lines Inline Text At 0 Chars For 1\n"
                                    "DummyNode0 Is Lines Inline Text At 0 Lines For 2\n";

TEST(DataCopies, CardCopiesWithAndWithoutAFinalLineBreak) {
    const std::string strData = "Jane Doe\r\n12 Main Street\r\nSpringfield\r\nIL 62701\r\n\r\n"
                                "John Roe\r\n450 Oak Avenue\r\nRiverton\r\nWY 82501\r\n\r\n"
                                "Wei Chen\r\n77 Elm Court\r\nMadison\r\nWI 53703";
    for (const std::string& strEnd :
         {std::string(""), std::string("\r\n"), std::string("\r\n\r\n")}) {
        CCut cut = Cut(CardDefinitions, strData + strEnd);
        EXPECT_TRUE(cut.problems.empty()) << ProblemName(cut.problems[0].kind);
        ASSERT_EQ(cut.copies.size(), 3u) << "ending " << strEnd.size();
        EXPECT_EQ(Values(cut.copies[1]),
                  (std::vector<std::string>{"Name=John Roe", "Street=450 Oak Avenue",
                                            "City=Riverton", "Zip=WY 82501"}));
        EXPECT_EQ(Values(cut.copies[2])[3], "Zip=WI 53703");
        EXPECT_EQ(cut.copies[1].place.nOffset, 51u);
        EXPECT_EQ(cut.copies[1].place.nLine, 6);
        EXPECT_EQ(cut.copies[2].values[1].place.nLine, 12);
    }
}

TEST(DataCopies, PhotoCardCharactersTrimmedAndReferences) {
    // Name and Street cut by characters and trimmed, Photo a file name.
    const char* pDefinitions = "Name Is TrimmedChars Inline Text At 0 Chars For 10\n"
                               "Street Is TrimmedChars Inline Text At 1 Lines For 11\n"
                               "Photo Is Chars Reference EPS At 1 Lines For 10\n"
                               "DummyNode0 Is Lines Inline Text At 0 Lines For 2\n";
    CCut cut = Cut(pDefinitions, "John Smith\r\n12 Oak Road\r\nphoto1.eps\r\n"
                                 "Ann Lee   \r\n3 Elm St   \r\nphoto2.eps\r\n");
    EXPECT_TRUE(cut.problems.empty());
    ASSERT_EQ(cut.copies.size(), 2u);
    EXPECT_EQ(
        Values(cut.copies[0]),
        (std::vector<std::string>{"Name=John Smith", "Street=12 Oak Road", "Photo=photo1.eps"}));
    EXPECT_EQ(Values(cut.copies[1]),
              (std::vector<std::string>{"Name=Ann Lee", "Street=3 Elm St", "Photo=photo2.eps"}));
}

TEST(DataCopies, UntilEachDelimiter) {
    const char* pDefinitions = "Code Is Chars Inline Text At 0 Chars Until TAB\n"
                               "Item Is Chars Inline Text At 0 Chars Until ;\n"
                               "Size Is TrimmedChars Inline Text At 0 Chars Until SPACE\n"
                               "Price Is Chars Inline Text At 0 Chars Until CRLF\n";
    CCut cut = Cut(pDefinitions, "A1\tTea;Large 3.50\r\nB2\tCoffee;Small 2.75\n");
    EXPECT_TRUE(cut.problems.empty());
    ASSERT_EQ(cut.copies.size(), 2u);
    EXPECT_EQ(Values(cut.copies[0]),
              (std::vector<std::string>{"Code=A1", "Item=Tea", "Size=Large", "Price=3.50"}));
    EXPECT_EQ(Values(cut.copies[1]),
              (std::vector<std::string>{"Code=B2", "Item=Coffee", "Size=Small", "Price=2.75"}));
}

TEST(DataCopies, FillersLinesFieldsAndUntilTheNextLine) {
    // A header line skipped by a filler, a field of two lines, a field that
    // runs until the line that begins with "Total".
    const char* pDefinitions = "DummyNode0 Is Lines Inline Text At 1 Lines For 0\n"
                               "Address Is Lines Inline Text At 0 Chars For 2\n"
                               "Notes Is Lines Inline Text At 0 Chars Until Total\n"
                               "Total Is Lines Inline Text At 0 Chars For 1\n"
                               "DummyNode1 Is Lines Inline Text At 0 Lines For 2\n";
    CCut cut = Cut(pDefinitions, "CUSTOMER\r\n1 High St\r\nLeeds\r\nfirst\r\nsecond\r\n"
                                 "Total 12\r\n\r\n"
                                 "CUSTOMER\r\n2 Low Rd\r\nYork\r\nnone\r\nTotal 3\r\n\r\n");
    EXPECT_TRUE(cut.problems.empty());
    ASSERT_EQ(cut.copies.size(), 2u);
    EXPECT_EQ(Values(cut.copies[0]),
              (std::vector<std::string>{"Address=1 High St\nLeeds", "Notes=first\nsecond",
                                        "Total=Total 12"}));
    EXPECT_EQ(Values(cut.copies[1]),
              (std::vector<std::string>{"Address=2 Low Rd\nYork", "Notes=none", "Total=Total 3"}));
}

TEST(DataCopies, ProblemsNameTheCopyFieldAndPlace) {
    // Copy 2 lacks its TAB, so where copy 3 would begin is not known.
    const char* pDefinitions = "Code Is Chars Inline Text At 0 Chars Until TAB\n"
                               "Item Is Chars Inline Text At 0 Chars Until CRLF\n";
    CCut cut = Cut(pDefinitions, "A1\tTea\r\nB2 Coffee\r\nC3\tCocoa\r\n");
    ASSERT_EQ(cut.copies.size(), 1u);
    ASSERT_EQ(cut.problems.size(), 1u);
    EXPECT_EQ(cut.problems[0].kind, DataProblem::DelimiterNotFound);
    EXPECT_EQ(cut.problems[0].nCopy, 2);
    EXPECT_EQ(cut.problems[0].strField, "Code");
    EXPECT_EQ(cut.problems[0].place.nOffset, 8u);
    EXPECT_EQ(cut.problems[0].place.nLine, 2);
    EXPECT_EQ(cut.problems[0].strDetail, "no TAB before the end of the line");

    // An empty value in copy 2.
    CCut empty = Cut(pDefinitions, "A1\tTea\r\n\tCoffee\r\n");
    ASSERT_EQ(empty.copies.size(), 2u);
    ASSERT_EQ(empty.problems.size(), 1u);
    EXPECT_EQ(empty.problems[0].kind, DataProblem::EmptyValue);
    EXPECT_EQ(empty.problems[0].nCopy, 2);
    EXPECT_EQ(empty.problems[0].strField, "Code");
    EXPECT_EQ(empty.problems[0].place.nOffset, 8u);
    EXPECT_EQ(empty.problems[0].place.nLine, 2);

    // The file ends inside copy 2.
    CCut shortCut = Cut(CardDefinitions, "Jane Doe\r\n12 Main Street\r\nSpringfield\r\n"
                                         "IL 62701\r\n\r\nWei Chen\r\n77 Elm Court\r\n");
    ASSERT_EQ(shortCut.copies.size(), 1u);
    ASSERT_EQ(shortCut.problems.size(), 1u);
    EXPECT_EQ(shortCut.problems[0].kind, DataProblem::FileEndsInCopy);
    EXPECT_EQ(shortCut.problems[0].nCopy, 2);
    EXPECT_EQ(shortCut.problems[0].strField, "City");
    EXPECT_EQ(shortCut.problems[0].place.nOffset, 75u);
}

TEST(DataCopies, ACopyShortOfALineEndsAtItsBlankLine) {
    // Copy 2 lacks its city: its blank closing line comes where the zip is
    // due; copy 3 is read whole after it.
    CCut cut = Cut(CardDefinitions, "Jane Doe\r\n12 Main Street\r\nSpringfield\r\nIL 62701\r\n\r\n"
                                    "John Roe\r\n450 Oak Avenue\r\nWY 82501\r\n\r\n"
                                    "Wei Chen\r\n77 Elm Court\r\nMadison\r\nWI 53703\r\n\r\n");
    ASSERT_EQ(cut.problems.size(), 1u);
    EXPECT_EQ(cut.problems[0].kind, DataProblem::MissingLine);
    EXPECT_EQ(cut.problems[0].nCopy, 2);
    EXPECT_EQ(cut.problems[0].strField, "Zip");
    EXPECT_EQ(cut.problems[0].place.nLine, 9);
    EXPECT_EQ(cut.problems[0].place.nOffset, 87u);
    ASSERT_EQ(cut.copies.size(), 3u);
    EXPECT_EQ(Values(cut.copies[2]),
              (std::vector<std::string>{"Name=Wei Chen", "Street=77 Elm Court", "City=Madison",
                                        "Zip=WI 53703"}));
}

TEST(DataCopies, NothingToCutAndRecordsThatTakeNothing) {
    EXPECT_TRUE(Cut(CardDefinitions, "").copies.empty());
    EXPECT_TRUE(Cut(CardDefinitions, "\r\n\r\n").copies.empty());
    // Records that take no byte do not read the same copy for ever.
    CCut cut = Cut("Empty Is Chars Inline Text At 0 Chars For 0\n", "abc");
    EXPECT_EQ(cut.copies.size(), 1u);
}

TEST(DataCopies, ReadAFewBytesAtATimeAsWhole) {
    // Every case: the same copies, values, places and problems however the
    // file's bytes arrive.
    const char* const Until = "Code Is Chars Inline Text At 0 Chars Until TAB\n"
                              "Item Is Chars Inline Text At 0 Chars Until CRLF\n";
    const char* const NextLine = "DummyNode0 Is Lines Inline Text At 1 Lines For 0\n"
                                 "Notes Is Lines Inline Text At 0 Chars Until Total\n"
                                 "Total Is Lines Inline Text At 0 Chars For 1\n"
                                 "DummyNode1 Is Lines Inline Text At 0 Lines For 2\n";
    const std::pair<const char*, std::string> cases[] = {
        {CardDefinitions, "Jane Doe\r\n12 Main Street\r\nSpringfield\r\nIL 62701\r\n\r\n"
                          "John Roe\r\n450 Oak Avenue\r\nWY 82501\r\n\r\n"
                          "Wei Chen\r\n77 Elm Court\r\nMadison\r\nWI 53703\r\n\r\n\r\n"},
        {CardDefinitions, "Jane Doe\r\n12 Main Street\r\nSpringfield\r\n"},
        {Until, "A1\tTea\r\nB2\tCoffee\r\n\tCocoa\r\nC3 Milk\r\nD4\tWater\r\n"},
        {NextLine, "HEAD\r\nfirst\r\nsecond\r\nTotal 12\r\n\r\nHEAD\r\nnone\r\nTot"},
        {NextLine, "HEAD\r\nfirst\r\nTotal 1\r\n\r\nHEAD\r\nTo\r\nTotal 2\r\n\r\n"},
    };
    for (const auto& data : cases) {
        std::string strWhole = Described(Cut(data.first, data.second));
        for (size_t nChunk : {1, 2, 3, 7}) {
            EXPECT_EQ(Described(Cut(data.first, data.second, nChunk)), strWhole)
                << nChunk << " bytes at a time of\n"
                << data.second;
        }
    }
}

} // namespace
