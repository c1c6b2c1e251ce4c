#include "core/SampleCopy.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Cut(const std::string& strText, int nStart, int nEnd) {
    char* pCopy = CutCopyText(strText.data(), strText.size(), nStart, nEnd);
    std::string strCopy = pCopy;
    delete[] pCopy;
    return strCopy;
}

TEST(CutCopyText, RangesAreKeptInsideTheText) {
    const std::string strText = "Jane\r\nDoe\r\nSpringfield\r\n";
    struct {
        int nStart, nEnd;
        const char* pExpected;
    } const cases[] = {
        {0, 4, "Jane"},               // a plain range
        {6, 9, "Doe"},                // in the middle
        {-1, -1, ""},                 // no copy chosen yet
        {5, 5, ""},                   // empty range
        {11, 500, "Springfield\r\n"}, // end beyond the text
        {400, 500, ""},               // both beyond the text
        {9, 6, ""},                   // end before start
        {-3, 4, "Jane"},              // start before the text
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cut(strText, c.nStart, c.nEnd), c.pExpected) << c.nStart << ".." << c.nEnd;
    }
}

TEST(CutCopyText, NulEndsTheUsableText) {
    std::string strText(200, 'a');
    strText[100] = '\0';
    EXPECT_EQ(Cut(strText, 90, 150), std::string(10, 'a'));
    EXPECT_EQ(Cut(strText, 120, 150), "");
}

} // namespace
