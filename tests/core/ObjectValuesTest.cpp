// The values of a named object as the Named Object dialog checks and shows
// them, and the font and kind rules of the Create Variable Data Object command.
#include "core/ObjectValues.h"
#include "core/StringIds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The size check of the dialog: a number from 4 to 650.
bool SizeAccepted(const std::string& strText) {
    float fValue = 0;
    return ReadNumberText(strText, fValue) && fValue >= 4 && fValue <= 650;
}

TEST(ObjectValues, SizeTable) {
    for (const char* pAccepted : {"4", "650", "12", "14.4", "650.0", "04"}) {
        EXPECT_TRUE(SizeAccepted(pAccepted)) << pAccepted;
    }
    // A comma, a leading blank, a sign, an exponent, two points, nothing, a point alone.
    for (const char* pRefused :
         {"3.9", "650.5", "12,5", " 12", "-5", "1e2", "1.2.3", "", ".", "650.01"}) {
        EXPECT_FALSE(SizeAccepted(pRefused)) << pRefused;
    }
}

TEST(ObjectValues, NumberTextWithAndWithoutAPoint) {
    EXPECT_TRUE(IsNumberText("100", false));
    EXPECT_FALSE(IsNumberText("100.0", false));
    EXPECT_TRUE(IsNumberText("100.0", true));
    EXPECT_TRUE(IsNumberText("", true)) << "no character fails";
    EXPECT_FALSE(IsNumberText("1..0", true));
    float fValue = -1;
    EXPECT_TRUE(ReadNumberText("100.0", fValue));
    EXPECT_EQ(fValue, 100.0f);
    EXPECT_FALSE(ReadNumberText("100.1x", fValue));
}

TEST(ObjectValues, ShownValues) {
    EXPECT_EQ(FormatGeneral(12), "12");
    EXPECT_EQ(FormatGeneral(14.4f), "14.4");
    EXPECT_EQ(FormatGeneral(12.5f * 1.2f), "15");
    EXPECT_EQ(FormatPercent(0), "0.0");
    EXPECT_EQ(FormatPercent(1), "100.0");
    EXPECT_EQ(FormatPercent(0.05f), "5.0");
}

TEST(ObjectValues, AlignmentTable) {
    const struct {
        int32_t nCode;
        const char* pEntry;
        bool bFlow;
    } rows[] = {{0, "Left", false},    {1, "Center", false}, {2, "Right", false},
                {3, "Justify", false}, {4, "Left", true},    {5, "Center", true},
                {6, "Right", true},    {7, "Justify", true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.nCode);
        EXPECT_STREQ(AlignmentEntry(row.nCode), row.pEntry);
        EXPECT_EQ(AlignmentFlows(row.nCode), row.bFlow);
        EXPECT_EQ(AlignmentCode(row.pEntry, row.bFlow), row.nCode);
    }
}

TEST(ObjectValues, KindTable) {
    for (int16_t nKind : {1, 4, 5, 6, 8, 9, 10, 11}) {
        EXPECT_EQ(KindRefusal(nKind), 0u) << nKind;
    }
    for (int16_t nKind : {0, 2, 7, 13, 14, 99}) {
        EXPECT_EQ(KindRefusal(nKind), static_cast<unsigned>(IDS_OBJECT_NOT_SUPPORTED)) << nKind;
    }
    EXPECT_EQ(KindRefusal(3), static_cast<unsigned>(IDS_LINE_NOT_VALID));
    EXPECT_EQ(KindRefusal(12), static_cast<unsigned>(IDS_POLYGON_NOT_VALID));
}

TEST(ObjectValues, FontNameWithItsStyle) {
    EXPECT_EQ(StyledFontName("New Century Schoolbook", 2), "New-Century-Schoolbook-Bold");
    EXPECT_EQ(StyledFontName("Times", 4), "Times-Italic");
    EXPECT_EQ(StyledFontName("Times", 6), "Times-BoldItalic");
    EXPECT_EQ(StyledFontName("Times", 9), "Times") << "9 counts as 1: normal";
    EXPECT_EQ(StyledFontName("", 2), "-Bold");
}

} // namespace
