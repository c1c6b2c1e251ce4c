#include "core/SmallString.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

TEST(SmallString, ShortTextInlineLongTextOnTheHeap) {
    CSmallString inlineText(std::string(31, 'a').c_str());
    EXPECT_TRUE(inlineText.IsInline());
    EXPECT_EQ(inlineText.Length(), 31);
    CSmallString heapText(std::string(32, 'b').c_str());
    EXPECT_FALSE(heapText.IsInline());
    EXPECT_EQ(heapText.Length(), 32);
    heapText = "short";
    EXPECT_TRUE(heapText.IsInline());
    EXPECT_STREQ(heapText.Text(), "short");
}

TEST(SmallString, CopiesAreIndependent) {
    CSmallString original(std::string(40, 'c').c_str());
    CSmallString copy(original);
    original = "changed";
    EXPECT_EQ(std::string(copy.Text()), std::string(40, 'c'));
    copy = copy;
    EXPECT_EQ(copy.Length(), 40);
    copy = copy.Text();
    EXPECT_EQ(copy.Length(), 40) << "assigning its own text keeps it";
    copy = static_cast<const char*>(nullptr);
    EXPECT_TRUE(copy.IsEmpty());
}

TEST(SmallString, ReadsOneWordAtATime) {
    std::istringstream in("  Helvetica-Bold\tSize\n12");
    CSmallString word;
    in >> word;
    EXPECT_STREQ(word.Text(), "Helvetica-Bold");
    in >> word;
    EXPECT_STREQ(word.Text(), "Size");
    in >> word;
    EXPECT_STREQ(word.Text(), "12");
    EXPECT_FALSE(in >> word);
    EXPECT_STREQ(word.Text(), "12") << "a failed read leaves the string";
}

TEST(SmallString, OverlongWordIsCutAndTheStreamMovesPastIt) {
    std::string strInput = std::string(1500, 'w') + " next";
    std::istringstream in(strInput);
    CSmallString word;
    in >> word;
    EXPECT_EQ(word.Length(), CSmallString::MaxWord);
    in >> word;
    EXPECT_STREQ(word.Text(), "next");
}

TEST(SmallString, WritesItsText) {
    std::ostringstream out;
    out << CSmallString("Times-Roman") << '|' << CSmallString();
    EXPECT_EQ(out.str(), "Times-Roman|");
}

} // namespace
