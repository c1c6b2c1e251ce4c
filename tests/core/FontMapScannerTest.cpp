#include "core/FontMapScanner.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// Every pair of the text, and how the scan ended.
Pairs Scan(const std::string& strText, CFontMapScanner::Result* pEnd = nullptr) {
    CFontMapScanner scanner(strText.c_str());
    Pairs pairs;
    std::string strHost, strOutput;
    CFontMapScanner::Result result;
    while ((result = scanner.Next(strHost, strOutput)) == CFontMapScanner::Pair) {
        pairs.emplace_back(strHost, strOutput);
    }
    if (pEnd != nullptr) {
        *pEnd = result;
    }
    return pairs;
}

TEST(FontMapScanner, NoPairsInEmptyOrCommentOnlyText) {
    EXPECT_TRUE(Scan("").empty());
    EXPECT_TRUE(Scan("  \r\n\t ").empty());
    EXPECT_TRUE(Scan("/ comment only\n// another Arial Helvetica\n").empty());
    EXPECT_TRUE(Scan("Lonely").empty()) << "a last word without a partner is ignored";
    std::string strOut;
    EXPECT_FALSE(FindOutputFont("", "Arial", strOut));
    EXPECT_FALSE(FindOutputFont(nullptr, "Arial", strOut));
}

TEST(FontMapScanner, PairsAcrossLinesAndSlashesInsideWords) {
    const std::string strText = "Arial Helvetica\n"
                                "Times-New-Roman\nTimes-Roman\n"
                                "Arial-Bold /Helvetica-Bold\n"
                                "Odd/Name Courier/\n"
                                "/comment Arial Courier\n"
                                "Arial-Italic\tHelvetica-Oblique";
    EXPECT_EQ(Scan(strText), (Pairs{{"Arial", "Helvetica"},
                                    {"Times-New-Roman", "Times-Roman"},
                                    {"Arial-Bold", "/Helvetica-Bold"},
                                    {"Odd/Name", "Courier/"},
                                    {"Arial-Italic", "Helvetica-Oblique"}}));
}

TEST(FontMapScanner, CommentRestOver254CharactersIsReadAsWords) {
    // The rest of the line after the word "/c" is a blank and 253 x: 254 characters.
    const std::string strRest = " " + std::string(253, 'x');
    std::string strText = "/c" + strRest + " Symbol Symbol-PS\nArial Helvetica\n";
    EXPECT_EQ(Scan(strText), (Pairs{{"Symbol", "Symbol-PS"}, {"Arial", "Helvetica"}}));
    std::string strExact = "/c" + strRest + "\nArial Helvetica\n";
    EXPECT_EQ(Scan(strExact), (Pairs{{"Arial", "Helvetica"}}));
}

TEST(FontMapScanner, FirstPairWinsAndHostNamesCompareExactly) {
    const char* pText = "Arial Helvetica\nArial Courier\narial Times-Roman\n";
    std::string strOut;
    ASSERT_TRUE(FindOutputFont(pText, "Arial", strOut));
    EXPECT_EQ(strOut, "Helvetica");
    ASSERT_TRUE(FindOutputFont(pText, "arial", strOut));
    EXPECT_EQ(strOut, "Times-Roman");
    EXPECT_FALSE(FindOutputFont(pText, "ARIAL", strOut));
}

TEST(FontMapScanner, WordsOver127CharactersAreAScanError) {
    const std::string strLong(128, 'W');
    CFontMapScanner::Result end;
    EXPECT_EQ(Scan("Arial Helvetica\n" + strLong + " Courier\nTimes Times-Roman\n", &end),
              (Pairs{{"Arial", "Helvetica"}}));
    EXPECT_EQ(end, CFontMapScanner::ScanError);
    EXPECT_EQ(Scan("Arial " + strLong + "\n", &end), Pairs{});
    EXPECT_EQ(end, CFontMapScanner::ScanError);
    std::string strOut;
    EXPECT_FALSE(
        FindOutputFont(("A B\n" + strLong + " C\nTimes Times-Roman").c_str(), "Times", strOut))
        << "the lookup stops at the scan error";
    const std::string strLongest(127, 'W');
    EXPECT_EQ(Scan(strLongest + " " + strLongest, &end), (Pairs{{strLongest, strLongest}}));
    EXPECT_EQ(end, CFontMapScanner::End);
}

} // namespace
