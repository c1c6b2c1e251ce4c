#include "core/ScriptLines.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptLines, ExactLinesForEachOperation) {
    EXPECT_EQ(ReadPubStringLine(1000), "getprivatestring \"NEB \", \"VDAT\", classpub, 1000, 0");
    EXPECT_EQ(WritePubStringLine(2, "c:\\data\\customers.txt"),
              "privatestring \"NEB \", \"VDAT\", classpub, 2, 1, 0, true, "
              "\"c:\\data\\customers.txt\"");
    EXPECT_EQ(ReadObjectStringLine(100, 70001),
              "getprivatestring \"NEB \", \"VDAT\", classobject, 100, 70001");
    EXPECT_EQ(WriteObjectStringLine(1, -5, "Price"),
              "privatestring \"NEB \", \"VDAT\", classobject, 1, 1, -5, true, \"Price\"");
}

TEST(ScriptLines, QuotesAreEscapedAndUnescaped) {
    EXPECT_EQ(EscapeQuotes("On \"\" 1"), "On \\\"\\\" 1");
    EXPECT_EQ(UnescapeQuotes("On \\\"\\\" 1"), "On \"\" 1");
    EXPECT_EQ(UnescapeQuotes("c:\\dir\\file"), "c:\\dir\\file") << "other backslashes stay";
    EXPECT_EQ(UnescapeQuotes("end\\"), "end\\");
    EXPECT_EQ(UnescapeQuotes(EscapeQuotes("a\\\"b\"")), "a\\\"b\"");
}

} // namespace
