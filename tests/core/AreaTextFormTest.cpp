#include "core/AreaDefinition.h"
#include "core/LineReader.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Written(const CAreaDefinition& area) {
    std::ostringstream out;
    EXPECT_EQ(WriteArea(area, out), 0);
    return out.str();
}

// An output stream over a fixed buffer that fails when the buffer is full.
class CFixedBuffer : public std::streambuf {
  public:
    CFixedBuffer(char* pBuffer, size_t nSize) { setp(pBuffer, pBuffer + nSize); }
};

TEST(WriteArea, NewTextAreaHeadline) {
    CAreaDefinition area;
    area.strName = "Headline";
    EXPECT_EQ(Written(area), "Headline Is Text Left Flow Font Times-Roman Size 12 Spacing 14 CMYK "
                             "0 0 0 1 On \"\" 1 At 0 0 For 100 100 FirstPos -1 -1\n");
}

TEST(WriteArea, EveryAlignmentWordPair) {
    const char* const expected[] = {"Left AsIs", "Center AsIs", "Right AsIs", "Justify AsIs",
                                    "Left Flow", "Center Flow", "Right Flow", "Justify Flow"};
    for (int32_t nCode = 0; nCode < 8; ++nCode) {
        CAreaDefinition area;
        area.strName = "A";
        area.nAlignment = nCode;
        std::string strLine = Written(area);
        EXPECT_EQ(strLine.substr(0, 10 + strlen(expected[nCode])),
                  std::string("A Is Text ") + expected[nCode])
            << "code " << nCode;
    }
    CAreaDefinition outside;
    outside.strName = "A";
    outside.nAlignment = 8;
    EXPECT_EQ(Written(outside).substr(0, 20), "A Is Text Font Times") << "no words for code 8";
}

TEST(WriteArea, GraphicPlacements) {
    CAreaDefinition area;
    area.strName = "Logo";
    area.nKind = KindGraphic;
    area.strFile = "c:\\jobs\\card.ps";
    area.strPage = "2";
    area.fLeft = 72;
    area.fTop = 144.5f;
    area.fWidth = 216;
    area.fHeight = 36;
    EXPECT_EQ(Written(area),
              "Logo Is Graphic ScaleToFit On \"c:\\jobs\\card.ps\" 2 At 72 144.5 For 216 36\n");
    area.nPlacement = PlaceScaleAndTrim;
    EXPECT_EQ(Written(area), "Logo Is Graphic ScaleAndTrim 1 1 0 0 On \"c:\\jobs\\card.ps\" 2 At "
                             "72 144.5 For 216 36\n");
    area.nPlacement = 7;
    EXPECT_EQ(Written(area), "Logo Is Graphic On \"c:\\jobs\\card.ps\" 2 At 72 144.5 For 216 36\n");
}

TEST(WriteArea, NumbersInGeneralNotationWithSixDigits) {
    struct {
        float fValue;
        const char* pText;
    } const cases[] = {
        {12.0f, "12"},
        {14.4f, "14.4"},
        {-1.0f, "-1"},
        {612.0f, "612"},
        {0.05f, "0.05"},
        {123456.7f, "123457"},
        {1234567.0f, "1.23457e+06"},
        {3.0e20f, "3e+20"},
        {1.5e-7f, "1.5e-07"},
        {0.0001f, "0.0001"},
        {-0.5f, "-0.5"},
    };
    for (const auto& c : cases) {
        CAreaDefinition area;
        area.strName = "N";
        area.nKind = KindGraphic;
        area.fLeft = c.fValue;
        std::string strLine = Written(area);
        std::string strExpected = std::string("At ") + c.pText + " 0 For";
        EXPECT_NE(strLine.find(strExpected), std::string::npos) << strLine;
    }
}

TEST(WriteArea, FullFixedBufferReportsFailure) {
    char abBuffer[40];
    CFixedBuffer buffer(abBuffer, sizeof abBuffer);
    std::ostream out(&buffer);
    CAreaDefinition area;
    area.strName = "Headline";
    EXPECT_EQ(WriteArea(area, out), 2);
}

TEST(ReadArea, QuotedFileWithBlanksPageAndMissingFirstPosition) {
    std::istringstream in("A Is Text Left Flow Font Helvetica Size 10 Spacing 12 CMYK 0 0 0 1 On "
                          "\"Job  1.ps\" 3 At 10 20 For 30 40\n");
    CAreaDefinition area;
    area.fFirstPosX = 5;
    ASSERT_EQ(ReadArea(area, in), 0);
    EXPECT_STREQ(area.strName.Text(), "A");
    EXPECT_EQ(area.nAlignment, 4);
    EXPECT_STREQ(area.strFont.Text(), "Helvetica");
    EXPECT_EQ(area.fSize, 10.0f);
    EXPECT_EQ(area.fSpacing, 12.0f);
    EXPECT_STREQ(area.strFile.Text(), "Job 1.ps") << "blanks inside quotes come back single";
    EXPECT_STREQ(area.strPage.Text(), "3");
    EXPECT_EQ(area.fLeft, 10.0f);
    EXPECT_EQ(area.fTop, 20.0f);
    EXPECT_EQ(area.fWidth, 30.0f);
    EXPECT_EQ(area.fHeight, 40.0f);
    EXPECT_EQ(area.fFirstPosX, -1.0f);
    EXPECT_EQ(area.fFirstPosY, -1.0f);
}

TEST(ReadArea, CommentsAreSkippedAndSectionLinesPushedBack) {
    std::istringstream in(
        "; a comment\n;another\nG Is Graphic ScaleToFit On \"\" 1 At 1 2 For 3 4\n"
        "[DocumentInstructions]\nnext\n");
    CAreaDefinition area;
    ASSERT_EQ(ReadArea(area, in), 0);
    EXPECT_STREQ(area.strName.Text(), "G");
    EXPECT_EQ(area.nKind, KindGraphic);
    EXPECT_EQ(ReadArea(area, in), 1);
    std::string strLine;
    ASSERT_EQ(ReadTextLine(in, strLine), 0);
    EXPECT_EQ(strLine, "[DocumentInstructions]") << "the next reader reads the line again";
    ASSERT_EQ(ReadTextLine(in, strLine), 0);
    EXPECT_EQ(strLine, "next");
    EXPECT_EQ(ReadArea(area, in), 3);
}

TEST(ReadArea, WrongAlignmentIsASyntaxErrorAndTheLineIsPushedBack) {
    const std::string strLine = "A Is Text Middle Flow Font Helvetica Size 10 Spacing 12 CMYK 0 0 "
                                "0 1 On \"x\" 1 At 1 2 For 3 4";
    std::istringstream in(strLine + "\n");
    CAreaDefinition area;
    EXPECT_EQ(ReadArea(area, in), 2);
    EXPECT_STREQ(area.strName.Text(), "A") << "members read before the error keep their values";
    std::string strAgain;
    ASSERT_EQ(ReadTextLine(in, strAgain), 0);
    EXPECT_EQ(strAgain, strLine);
}

TEST(ReadArea, EveryWrongKeywordIsRefused) {
    const std::string strGood = "A Is Text Left AsIs Font F Size 1 Spacing 2 CMYK 0 0 0 1 On "
                                "\"f\" 1 At 1 2 For 3 4 FirstPos 5 6";
    const char* const keywords[] = {"Is",      "Text", "AsIs", "Font", "Size",
                                    "Spacing", "CMYK", "On",   "At",   "For"};
    for (const char* pKeyword : keywords) {
        std::string strLine = strGood;
        strLine.replace(strLine.find(std::string(" ") + pKeyword + " ") + 1, strlen(pKeyword),
                        "Bad");
        std::istringstream in(strLine + "\n");
        CAreaDefinition area;
        EXPECT_EQ(ReadArea(area, in), 2) << strLine;
    }
    std::istringstream graphic("G Is Graphic Stretch On \"f\" 1 At 1 2 For 3 4\n");
    CAreaDefinition area;
    EXPECT_EQ(ReadArea(area, graphic), 2);
    std::istringstream good(strGood + "\n");
    ASSERT_EQ(ReadArea(area, good), 0);
    EXPECT_EQ(area.nAlignment, 0);
    EXPECT_EQ(area.fFirstPosX, 5.0f);
    EXPECT_EQ(area.fFirstPosY, 6.0f);
}

TEST(ReadArea, LineWithoutFinalLineFeedIsEndOfInput) {
    std::istringstream in("G Is Graphic ScaleToFit On \"\" 1 At 1 2 For 3 4");
    CAreaDefinition area;
    EXPECT_EQ(ReadArea(area, in), 3);
}

TEST(ReadArea, LineOver254CharactersIsRefused) {
    std::string strLine =
        "G Is Graphic ScaleToFit On \"" + std::string(200, 'f') + "\" 1 At 1 2 For 3 4";
    strLine += std::string(255 - strLine.size(), ' ');
    std::istringstream in(strLine + "\nG Is Graphic ScaleToFit On \"\" 1 At 1 2 For 3 4\n");
    CAreaDefinition area;
    EXPECT_EQ(ReadArea(area, in), 2);
    EXPECT_EQ(ReadArea(area, in), 0) << "the reader moves on to the next line";
    std::string strFits = strLine.substr(0, 254);
    std::istringstream fits(strFits + "\n");
    EXPECT_EQ(ReadArea(area, fits), 0);
}

TEST(ReadQuoted, UnquotedQuotedAndUnterminated) {
    CSmallString text;
    std::istringstream plain("c:\\a.ps rest");
    EXPECT_EQ(ReadQuoted(plain, text), 0);
    EXPECT_STREQ(text.Text(), "c:\\a.ps");
    std::istringstream empty("\"\" 1");
    EXPECT_EQ(ReadQuoted(empty, text), 0);
    EXPECT_STREQ(text.Text(), "");
    std::istringstream leading("\" Job\" 1");
    EXPECT_EQ(ReadQuoted(leading, text), 0);
    EXPECT_STREQ(text.Text(), " Job");
    std::istringstream open("\"never closed");
    EXPECT_EQ(ReadQuoted(open, text), 2);
    std::istringstream longest("\"" + std::string(259, 'x') + "\"");
    EXPECT_EQ(ReadQuoted(longest, text), 0);
    EXPECT_EQ(text.Length(), 259);
    std::istringstream tooLong("\"" + std::string(150, 'x') + " " + std::string(150, 'y') + "\"");
    EXPECT_EQ(ReadQuoted(tooLong, text), 2);
}

// A number of at most six significant digits, as the text form carries them.
float SixDigits(std::mt19937& random, float fScale) {
    std::uniform_real_distribution<float> spread(-fScale, fScale);
    std::ostringstream out;
    out << spread(random);
    return std::stof(out.str());
}

TEST(AreaTextForm, WrittenAreasReadBackEqual) {
    std::mt19937 random(2024);
    const char* const files[] = {"", "c:\\jobs\\card.ps", "Job 1.ps", "a\\b c\\d e.ps"};
    for (int i = 0; i < 400; ++i) {
        CAreaDefinition area;
        area.strName = ("Area" + std::to_string(i)).c_str();
        area.nKind = i % 2 == 0 ? KindText : KindGraphic;
        area.nAlignment = i % 8;
        area.strFont = i % 3 == 0 ? "Helvetica-BoldOblique" : "Courier";
        area.fSize = SixDigits(random, 650);
        area.fSpacing = SixDigits(random, 800);
        area.fFirstPosX = SixDigits(random, 1000);
        area.fFirstPosY = SixDigits(random, 1000);
        area.fCyan = SixDigits(random, 1);
        area.fMagenta = SixDigits(random, 1);
        area.fYellow = SixDigits(random, 1);
        area.fBlack = SixDigits(random, 1);
        area.nPlacement = (i / 2) % 2;
        area.fTrim0 = SixDigits(random, 2);
        area.fTrim1 = SixDigits(random, 2);
        area.fTrim2 = SixDigits(random, 2);
        area.fTrim3 = SixDigits(random, 2);
        area.strFile = files[i % 4];
        area.strPage = std::to_string(1 + i % 40).c_str();
        area.fLeft = SixDigits(random, 2000);
        area.fTop = SixDigits(random, 2000);
        area.fWidth = SixDigits(random, 2000);
        area.fHeight = SixDigits(random, 2000);

        std::istringstream in(Written(area));
        CAreaDefinition read;
        ASSERT_EQ(ReadArea(read, in), 0) << in.str();
        SCOPED_TRACE(in.str());
        EXPECT_STREQ(read.strName.Text(), area.strName.Text());
        EXPECT_EQ(read.nKind, area.nKind);
        EXPECT_STREQ(read.strFile.Text(), area.strFile.Text());
        EXPECT_STREQ(read.strPage.Text(), area.strPage.Text());
        EXPECT_EQ(read.fLeft, area.fLeft);
        EXPECT_EQ(read.fTop, area.fTop);
        EXPECT_EQ(read.fWidth, area.fWidth);
        EXPECT_EQ(read.fHeight, area.fHeight);
        if (area.nKind == KindText) {
            EXPECT_EQ(read.nAlignment, area.nAlignment);
            EXPECT_STREQ(read.strFont.Text(), area.strFont.Text());
            EXPECT_EQ(read.fSize, area.fSize);
            EXPECT_EQ(read.fSpacing, area.fSpacing);
            EXPECT_EQ(read.fCyan, area.fCyan);
            EXPECT_EQ(read.fMagenta, area.fMagenta);
            EXPECT_EQ(read.fYellow, area.fYellow);
            EXPECT_EQ(read.fBlack, area.fBlack);
            EXPECT_EQ(read.fFirstPosX, area.fFirstPosX);
            EXPECT_EQ(read.fFirstPosY, area.fFirstPosY);
        } else {
            EXPECT_EQ(read.nPlacement, area.nPlacement);
            if (area.nPlacement == PlaceScaleAndTrim) {
                EXPECT_EQ(read.fTrim0, area.fTrim0);
                EXPECT_EQ(read.fTrim1, area.fTrim1);
                EXPECT_EQ(read.fTrim2, area.fTrim2);
                EXPECT_EQ(read.fTrim3, area.fTrim3);
            }
        }
    }
}

TEST(AreaTextForm, DamagedLinesEndInADefinedResult) {
    std::mt19937 random(99);
    CAreaDefinition sample;
    sample.strName = "Headline";
    sample.strFile = "Job 1.ps";
    const std::string strGood = Written(sample);
    for (int i = 0; i < 2000; ++i) {
        std::string strLine = strGood.substr(0, random() % (strGood.size() + 1));
        int nDamage = static_cast<int>(random() % 4);
        for (int j = 0; j < nDamage && !strLine.empty(); ++j) {
            strLine[random() % strLine.size()] = static_cast<char>(random() % 256);
        }
        if (i % 100 == 0) {
            strLine += std::string(random() % 2000, '"');
        }
        std::istringstream in(strLine + (i % 3 == 0 ? "" : "\n"));
        CAreaDefinition area;
        int nResult = ReadArea(area, in);
        ASSERT_TRUE(nResult >= 0 && nResult <= 3) << nResult;
        if (nResult == 0) {
            // Whatever was accepted writes a line that reads back.
            std::istringstream again(Written(area));
            CAreaDefinition reread;
            EXPECT_EQ(ReadArea(reread, again), 0) << again.str();
        }
    }
}

} // namespace
