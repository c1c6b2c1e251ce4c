// The stand-in host's publication file: read back as written, and a clear
// error naming the place for a malformed one.
#include "host/Publication.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

std::string WriteFile(const char* pName, const std::string& strText) {
    std::ofstream out(pName, std::ios::binary | std::ios::trunc);
    out << strText;
    return pName;
}

TEST(PublicationFile, ReadsThePathAndWritesItBack) {
    std::string strFile = WriteFile("pub-good.json", "{ \"path\": \"C:\\\\Jobs\\\\Card.pub\" }\n");
    CPublication publication;
    std::string strError;
    ASSERT_TRUE(LoadPublication(strFile, publication, strError)) << strError;
    EXPECT_EQ(publication.strPath, "C:\\Jobs\\Card.pub");
    publication.strPath = "C:\\Jobs\\Other.pub";
    ASSERT_TRUE(SavePublication(strFile, publication, strError)) << strError;
    CPublication again;
    ASSERT_TRUE(LoadPublication(strFile, again, strError)) << strError;
    EXPECT_EQ(again.strPath, "C:\\Jobs\\Other.pub");
    remove(strFile.c_str());
}

TEST(PublicationFile, MalformedFilesAreNamedWithThePlace) {
    struct {
        const char* pText;
        const char* pExpected;
    } const cases[] = {
        {"{\n  \"path\": \"C:\\\\a.pub\",\n  oops\n}", "pub-bad.json: line 3, column 3"},
        {"[1, 2]", "pub-bad.json: the publication must be a JSON object"},
        {"{\"path\": 5}", "pub-bad.json: \"path\" must be the publication's full path"},
        {"", "pub-bad.json: line 1, column 1"},
    };
    for (const auto& c : cases) {
        std::string strFile = WriteFile("pub-bad.json", c.pText);
        CPublication publication;
        publication.strPath = "unchanged";
        std::string strError;
        EXPECT_FALSE(LoadPublication(strFile, publication, strError));
        EXPECT_EQ(strError.rfind(c.pExpected, 0), 0u) << strError;
        EXPECT_EQ(publication.strPath, "unchanged");
        remove(strFile.c_str());
    }
    std::string strError;
    CPublication publication;
    EXPECT_FALSE(LoadPublication("no-such-file.json", publication, strError));
    EXPECT_EQ(strError, "no-such-file.json: cannot open the publication file");
}

} // namespace
