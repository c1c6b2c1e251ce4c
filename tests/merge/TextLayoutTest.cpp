// Text measured with the fonts' metrics and laid out in its area.
#include "merge/layout/TextLayout.h"

#include <gtest/gtest.h>

namespace {

CAreaDefinition Area(int32_t nAlignment, const char* pFont, float fWidth, float fHeight) {
    CAreaDefinition area;
    area.nAlignment = nAlignment;
    area.strFont = pFont;
    area.fSize = 10;
    area.fSpacing = 12;
    area.fWidth = fWidth;
    area.fHeight = fHeight;
    return area;
}

TEST(FontMetrics, StandardNamesMeasureWithTheirUrwFonts) {
    CFontMetrics metrics;
    EXPECT_EQ(CFontMetrics::UrwName("Helvetica-Bold"), "NimbusSans-Bold");
    EXPECT_EQ(CFontMetrics::UrwName("Times-Roman"), "NimbusRoman-Regular");
    EXPECT_EQ(CFontMetrics::UrwName("Optima"), "");
    EXPECT_DOUBLE_EQ(metrics.TextWidth("Helvetica", "A", 10), 6.67);
    // Courier: every character 600 thousandths wide.
    EXPECT_DOUBLE_EQ(metrics.TextWidth("Courier", "abc de", 10), 36);
    EXPECT_LT(metrics.TextWidth("Optima", "A", 10), 0);
    EXPECT_EQ(metrics.Error(), "no metrics for the font Optima");
    CFontMetrics elsewhere("/nonexistent");
    EXPECT_LT(elsewhere.TextWidth("Helvetica", "A", 10), 0);
    EXPECT_EQ(elsewhere.Error(),
              "/nonexistent/NimbusSans-Regular.afm: cannot read the font metrics");
}

TEST(TextLayout, LinesWithoutFlowAndOverflowBothWays) {
    CFontMetrics metrics;
    // Courier 10: 6 points a character. Set as is: one line per line.
    CTextLayout layout = LayOutText(Area(0, "Courier", 30, 20), "abcdefg\nxy", metrics);
    ASSERT_EQ(layout.lines.size(), 2u);
    EXPECT_EQ(layout.lines[0].strText, U"abcdefg");
    EXPECT_DOUBLE_EQ(layout.lines[0].dBaseline, 10);
    EXPECT_DOUBLE_EQ(layout.lines[1].dBaseline, 22);
    EXPECT_DOUBLE_EQ(layout.dOverWidth, 12);
    EXPECT_DOUBLE_EQ(layout.dOverHeight, 2);
    // Right and centred by the width left.
    EXPECT_DOUBLE_EQ(LayOutText(Area(2, "Courier", 30, 20), "xy", metrics).lines[0].dX, 18);
    EXPECT_DOUBLE_EQ(LayOutText(Area(1, "Courier", 30, 20), "xy", metrics).lines[0].dX, 9);
}

TEST(TextLayout, FlowWrapsAtWordsAndJustifiesAllButTheLastLine) {
    CFontMetrics metrics;
    // 30 points: five characters a line.
    CTextLayout layout = LayOutText(Area(7, "Courier", 30, 100), "ab cd efghij k", metrics);
    ASSERT_EQ(layout.lines.size(), 3u);
    EXPECT_EQ(layout.lines[0].strText, U"ab cd");
    EXPECT_EQ(layout.lines[1].strText, U"efghij");
    EXPECT_EQ(layout.lines[2].strText, U"k");
    EXPECT_DOUBLE_EQ(layout.lines[0].dWordSpace, 0); // full already
    EXPECT_DOUBLE_EQ(layout.dOverWidth, 6);          // a word longer than the line
    CTextLayout justified = LayOutText(Area(7, "Courier", 40, 100), "ab c d ef", metrics);
    ASSERT_EQ(justified.lines.size(), 2u);
    EXPECT_EQ(justified.lines[0].strText, U"ab c d");
    EXPECT_DOUBLE_EQ(justified.lines[0].dWordSpace, 2);
    EXPECT_DOUBLE_EQ(justified.lines[1].dWordSpace, 0);
    // A font without metrics is laid out unmeasured.
    EXPECT_FALSE(LayOutText(Area(4, "Optima", 30, 20), "abc", metrics).bMeasured);
}

TEST(TextLayout, ALongParagraphCostsNoMoreThanItsWords) {
    CFontMetrics metrics;
    // 200,000 words, set as is in a font without metrics and flowed in one
    // with them: each word is measured once, not the line again per word.
    std::string strWords;
    for (int i = 0; i < 200000; ++i) {
        strWords += "word ";
    }
    CTextLayout unmeasured = LayOutText(Area(0, "Optima", 30, 20), strWords, metrics);
    ASSERT_EQ(unmeasured.lines.size(), 1u);
    EXPECT_EQ(unmeasured.lines[0].strText.size(), 5u * 200000 - 1);
    // Courier 10: "word word" is 54 points; 60 take two words a line.
    EXPECT_EQ(LayOutText(Area(4, "Courier", 60, 20), strWords, metrics).lines.size(), 100000u);
}

TEST(TextLayout, CharactersByEncodingAndGlyph) {
    CFontMetrics metrics;
    // "Łódź" in UTF-8 is measured glyph by glyph; a byte that is no
    // character, and a character the font lacks, are named.
    CTextLayout polish = LayOutText(Area(0, "Times-Roman", 100, 20),
                                    "\xC5\x81\xC3\xB3"
                                    "d\xC5\xBA",
                                    metrics, TextEncoding::Utf8);
    EXPECT_EQ(polish.lines[0].strText, U"\u0141\u00F3d\u017A");
    EXPECT_EQ(polish.missing, 0u);
    EXPECT_DOUBLE_EQ(polish.lines[0].dWidth,
                     metrics.TextWidth("Times-Roman", U"\u0141\u00F3d\u017A", 10));
    EXPECT_GT(polish.lines[0].dWidth, 10);
    for (const char* pFont : {"Times-Roman", "Optima"}) {
        EXPECT_EQ(LayOutText(Area(0, pFont, 100, 20), "A\x81", metrics).missing, BadByte) << pFont;
    }
    EXPECT_EQ(
        LayOutText(Area(0, "Times-Roman", 100, 20), "\xE4\xB8\xAD", metrics, TextEncoding::Utf8)
            .missing,
        U'\u4E2D');
    // Windows-1252's own letters at 0x80 to 0x9F.
    EXPECT_EQ(DecodeText("\x80\x8A\x9F", TextEncoding::Windows1252), U"\u20AC\u0160\u0178");
    EXPECT_EQ(DecodeText("\x80", TextEncoding::Latin1), std::u32string(1, BadByte));
    // Overlong, surrogate and cut UTF-8 sequences are no characters.
    EXPECT_EQ(DecodeText("\xC0\xAF\xED\xA0\x80\xE2\x82", TextEncoding::Utf8),
              std::u32string(7, BadByte));
    EXPECT_EQ(GlyphName(U'\u0141'), "Lslash");
    EXPECT_EQ(GlyphName(U'\u0416'), "uni0416");
    EXPECT_EQ(WinAnsiCode(U'\u20AC'), 0x80);
    EXPECT_EQ(WinAnsiCode(U'\u0141'), -1);
}

} // namespace
