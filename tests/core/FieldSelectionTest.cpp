// Selections in the copy text made into data fields, and the rules applied
// before a field is named.
#include "core/FieldSelection.h"
#include "core/OwnedText.h"
#include "core/StringIds.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Two lines, A B blank C D and E F, each ended by CR LF.
const char* const ElevenBytes = "AB CD\r\nEF\r\n";

struct CExtentCase {
    const char* pWhy;
    const char* pCopy;
    int32_t s, e; // as selected
    int32_t nEnd; // after the line break is dropped
    int32_t nChars, nLines;
    const char* pSample;
    const char* pDelimiter;
    const char* pNextLine;
};

TEST(FieldSelection, SelectionsGiveTheirExtent) {
    const CExtentCase cases[] = {
        {"A B, followed by a blank", ElevenBytes, 0, 2, 2, 2, 1, "AB", "SPACE", "EF"},
        {"C D and its line break", ElevenBytes, 3, 7, 5, 2, 1, "CD", "CRLF", "EF"},
        {"E F", ElevenBytes, 7, 9, 9, 2, 1, "EF", "CRLF", "NULL"},
        {"E F and the last line break", ElevenBytes, 7, 11, 9, 2, 1, "EF", "CRLF", "NULL"},
        {"both lines", ElevenBytes, 0, 9, 9, 9, 2, "AB CD\r\nEF", "CRLF", "NULL"},
        {"all of A B CR LF C D", "AB\r\nCD", 0, 6, 6, 6, 2, "AB\r\nCD", "NULL", "NULL"},
        {"a tab follows", "x\ty", 0, 1, 1, 1, 1, "x", "TAB", "NULL"},
        {"a comma follows", "12,34\r\nnext", 0, 2, 2, 2, 1, "12", ",", "next"},
    };
    for (const CExtentCase& c : cases) {
        SCOPED_TRACE(c.pWhy);
        int32_t e = EndBeforeLineBreak(c.pCopy, c.s, c.e);
        EXPECT_EQ(e, c.nEnd);
        std::unique_ptr<CSampleExtent> extent(ExtentOfSelection(c.pCopy, c.s, e));
        ASSERT_NE(extent, nullptr);
        EXPECT_EQ(extent->nStart, c.s);
        EXPECT_EQ(extent->nEnd, c.nEnd);
        EXPECT_EQ(extent->nCharCount, c.nChars);
        EXPECT_EQ(extent->nLineCount, c.nLines);
        EXPECT_STREQ(extent->pSample, c.pSample);
        EXPECT_STREQ(extent->pCharDelimiter, c.pDelimiter);
        EXPECT_STREQ(extent->pNextLine, c.pNextLine);
    }
}

TEST(FieldSelection, EmptySelectionsGiveNoExtent) {
    EXPECT_EQ(ExtentOfSelection(ElevenBytes, 4, 4), nullptr);
    // Only a line break: dropped, nothing is left.
    EXPECT_EQ(EndBeforeLineBreak(ElevenBytes, 5, 7), 5);
    EXPECT_EQ(ExtentOfSelection(ElevenBytes, 5, 5), nullptr);
    EXPECT_EQ(ExtentOfSelection("", 0, 0), nullptr) << "no copy chosen yet";
    EXPECT_EQ(ExtentOfSelection(nullptr, -1, -1), nullptr);
    EXPECT_EQ(EndBeforeLineBreak(ElevenBytes, 5, 6), 6) << "one byte is never cut";
    // Found by fuzzing: an end before the third byte reads nothing before the text.
    EXPECT_EQ(EndBeforeLineBreak(ElevenBytes, -10, 1), 1);
    EXPECT_EQ(EndBeforeLineBreak(ElevenBytes, -10, 0), 0);
    EXPECT_EQ(DelimiterAt(ElevenBytes, -3), "NULL") << "outside the copy there is no byte";
    EXPECT_EQ(NextLineAt(ElevenBytes, -3), "NULL");
}

TEST(FieldSelection, NextLineOfAnEmptyOrShortRest) {
    EXPECT_EQ(NextLineAt("ab\r\n\r\nlast", 2), "NULL") << "the following line is empty";
    EXPECT_EQ(NextLineAt("ab\r\nx", 2), "x");
    EXPECT_EQ(NextLineAt("ab cd\r\n", 2), "NULL") << "nothing after the line break";
    EXPECT_EQ(NextLineAt("ab", 2), "NULL");
}

TEST(FieldSelection, SingleLineRule) {
    CSampleExtent inside(0, 2, 2, 1, nullptr, DuplicateText("SPACE"), DuplicateText("EF"));
    EXPECT_FALSE(NeedsLineUnits(inside));
    CSampleExtent lineEnd(3, 5, 2, 1, nullptr, DuplicateText("CRLF"), DuplicateText("EF"));
    EXPECT_TRUE(NeedsLineUnits(lineEnd));
    CSampleExtent copyEnd(0, 6, 6, 1, nullptr, DuplicateText("NULL"), DuplicateText("NULL"));
    EXPECT_TRUE(NeedsLineUnits(copyEnd));
    CSampleExtent twoLines(0, 9, 9, 2, nullptr, DuplicateText(","), DuplicateText("x"));
    EXPECT_TRUE(NeedsLineUnits(twoLines));
}

TEST(FieldSelection, NewFieldAndInheritedSettings) {
    CDataField* pField = nullptr;
    PrepareNewField(pField, ExtentOfSelection(ElevenBytes, 0, 2));
    ASSERT_NE(pField, nullptr);
    EXPECT_EQ(pField->pName, nullptr);
    EXPECT_EQ(pField->nUnits, UnitsCharacters);
    EXPECT_EQ(pField->nLength, LengthCount);
    EXPECT_EQ(pField->nType, TypeText);
    EXPECT_EQ(pField->bStripSpaces, 1);
    EXPECT_EQ(pField->bReference, 0);
    EXPECT_EQ(pField->GetEnd(), 2);

    // Characters + Until inherited, a selection that ends the copy: Lines + Count.
    pField->SetName("Old");
    pField->nLength = LengthUntil;
    pField->nType = TypeEps;
    pField->bReference = 1;
    pField->bStripSpaces = 0;
    PrepareNewField(pField, ExtentOfSelection("AB\r\nCD", 4, 6));
    EXPECT_STREQ(pField->pName, "");
    EXPECT_EQ(pField->nUnits, UnitsLines);
    EXPECT_EQ(pField->nLength, LengthCount);
    EXPECT_EQ(pField->nType, TypeText);
    EXPECT_EQ(pField->bReference, 0);
    EXPECT_EQ(pField->bStripSpaces, 0) << "stripping is inherited";

    // Lines + Until with no next line: Count.
    pField->nLength = LengthUntil;
    PrepareNewField(pField, ExtentOfSelection(ElevenBytes, 7, 9));
    EXPECT_EQ(pField->nUnits, UnitsLines);
    EXPECT_EQ(pField->nLength, LengthCount);

    // Lines + Until with a next line stays Until.
    pField->nLength = LengthUntil;
    PrepareNewField(pField, ExtentOfSelection(ElevenBytes, 0, 2));
    EXPECT_EQ(pField->nLength, LengthUntil);
    delete pField;
}

TEST(FieldSelection, CommaItemUnderTheCaret) {
    struct {
        const char* pLine;
        int32_t nColumn, nStart, nEnd;
    } const cases[] = {
        {"Smith,John,12 Oak Road", 7, 6, 10},   // inside John
        {"Smith,John,12 Oak Road", 0, 0, 5},    // at the line's start
        {"Smith,John,12 Oak Road", 22, 11, 22}, // at its end
        {"Smith,John,12 Oak Road", 6, 6, 10},   // just after a comma
        {"no commas here", 4, 0, 14},           {"", 0, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pLine) + " at " + std::to_string(c.nColumn));
        int32_t nStart = -1;
        int32_t nEnd = -1;
        CommaItemAt(c.pLine, c.nColumn, nStart, nEnd);
        EXPECT_EQ(nStart, c.nStart);
        EXPECT_EQ(nEnd, c.nEnd);
    }
}

TEST(FieldSelection, DelimiterKeywordsShownThroughTheCatalogue) {
    EXPECT_EQ(DelimiterDisplayId("SPACE"), static_cast<unsigned>(IDS_DELIM_SPACE));
    EXPECT_EQ(DelimiterDisplayId("TAB"), static_cast<unsigned>(IDS_DELIM_TAB));
    EXPECT_EQ(DelimiterDisplayId("CRLF"), static_cast<unsigned>(IDS_DELIM_CRLF));
    EXPECT_EQ(DelimiterDisplayId("LFCR"), static_cast<unsigned>(IDS_DELIM_LFCR));
    EXPECT_EQ(DelimiterDisplayId("NULL"), static_cast<unsigned>(IDS_DELIM_CRLF));
    EXPECT_EQ(DelimiterDisplayId(";"), 0u) << "a character is shown as it is";
}

} // namespace
