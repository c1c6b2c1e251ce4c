#include "host/ScriptLine.h"

#include <gtest/gtest.h>

namespace {

TEST(ScriptLine, ReadsTheFourLineForms) {
    CScriptLine line;
    std::string strError;
    ASSERT_TRUE(
        ParseScriptLine("getprivatestring \"NEB \", \"VDAT\", classpub, 1000, 0", line, strError))
        << strError;
    EXPECT_FALSE(line.bWrite);
    EXPECT_EQ(line.strDeveloper, "NEB ");
    EXPECT_EQ(line.strKey, "VDAT");
    EXPECT_FALSE(line.bObject);
    EXPECT_EQ(line.nIndex, 1000);

    ASSERT_TRUE(ParseScriptLine("getprivatestring \"NEB \", \"VDAT\", classobject, 100, -7", line,
                                strError));
    EXPECT_TRUE(line.bObject);
    EXPECT_EQ(line.nObjectId, -7);

    ASSERT_TRUE(ParseScriptLine(
        "privatestring \"NEB \", \"VDAT\", classpub, 2, 1, 0, true, \"c:\\data\\a.txt\"", line,
        strError));
    EXPECT_TRUE(line.bWrite);
    EXPECT_EQ(line.strValue, "c:\\data\\a.txt") << "backslashes before other characters stay";

    ASSERT_TRUE(ParseScriptLine("privatestring \"NEB \", \"VDAT\", classobject, 100, 1, 77, true, "
                                "\"A On \\\"x, y\\\" 1\"",
                                line, strError));
    EXPECT_EQ(line.nObjectId, 77);
    EXPECT_EQ(line.strValue, "A On \"x, y\" 1") << "escaped quotes and commas inside the value";

    ASSERT_TRUE(ParseScriptLine("privatestring \"NEB \", \"VDAT\", classpub, 5, 1, 0, true, \"\"",
                                line, strError));
    EXPECT_EQ(line.strValue, "");
}

TEST(ScriptLine, RefusesMalformedLinesWithAReason) {
    const char* const bad[] = {
        "",
        "setprivatestring \"NEB \", \"VDAT\", classpub, 2, 0",
        "getprivatestring \"NEB \", \"VDAT\", classpub, 2",
        "getprivatestring \"NEB \" \"VDAT\", classpub, 2, 0",
        "getprivatestring \"NEB \", \"VDAT\", classpub, 2, 0,",
        "getprivatestring, \"NEB \", \"VDAT\", classpub, 2, 0",
        "getprivatestring NEB, \"VDAT\", classpub, 2, 0",
        "getprivatestring \"NEB \", \"VDAT\", classother, 2, 0",
        "getprivatestring \"NEB \", \"VDAT\", classpub, two, 0",
        "getprivatestring \"NEB \", \"VDAT\", classpub, 99999999999, 0",
        "getprivatestring \"NEB \", \"VDAT\", classpub, 2, 5",
        "privatestring \"NEB \", \"VDAT\", classpub, 2, 1, 0, true, \"open",
        "privatestring \"NEB \", \"VDAT\", classpub, 2, 1, 0, false, \"v\"",
        "privatestring \"NEB \", \"VDAT\", classpub, 2, 2, 0, true, \"v\"",
        "privatestring \"NEB \", \"VDAT\", classpub, 2, 1, 0, true, v",
    };
    for (const char* pLine : bad) {
        CScriptLine line;
        std::string strError;
        EXPECT_FALSE(ParseScriptLine(pLine, line, strError)) << pLine;
        EXPECT_FALSE(strError.empty()) << pLine;
    }
}

} // namespace
