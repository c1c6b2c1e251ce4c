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

TEST(PublicationFile, StringsAndObjectsSurviveSaving) {
    CPublication publication;
    publication.strPath = "C:\\Jobs\\Card.pub";
    publication.bDeletedReadsAsMarker = false;
    publication.strings = {{"NEB ", "VDAT", 2, "c:\\a \"b\".txt", false},
                           {"NEB ", "VDAT", 1003, "", true}};
    publication.pages = {CHostPage{{HostObject(7, 1, 11, {{"NEB ", "VDAT", 1, "Logo", false}})}},
                         CHostPage{{HostObject(9, 1, 1)}}};
    CHostObject& block = publication.pages[1].objects[0];
    block.bText = true;
    block.text.strFont = "Times New Roman";
    block.text.nLeading = 130;
    block.text.nStyle = 9;
    block.text.anCmyk[2] = 250;
    std::string strError;
    ASSERT_TRUE(SavePublication("pub-full.json", publication, strError)) << strError;
    CPublication read;
    ASSERT_TRUE(LoadPublication("pub-full.json", read, strError)) << strError;
    EXPECT_FALSE(read.bDeletedReadsAsMarker);
    ASSERT_EQ(read.strings.size(), 2u);
    EXPECT_EQ(read.strings[0].strValue, "c:\\a \"b\".txt");
    EXPECT_TRUE(read.strings[1].bDeleted);
    ASSERT_EQ(read.pages.size(), 2u);
    ASSERT_NE(read.FindObject(7), nullptr);
    EXPECT_EQ(read.FindObject(7)->nKind, 11);
    EXPECT_EQ(read.FindObject(7)->strings[0].strValue, "Logo");
    EXPECT_EQ(read.FindObject(8), nullptr);
    const CHostObject* pBlock = read.FindObject(9);
    ASSERT_NE(pBlock, nullptr);
    EXPECT_TRUE(pBlock->bText);
    EXPECT_EQ(pBlock->text.strFont, "Times New Roman");
    EXPECT_EQ(pBlock->text.nSize, 120);
    EXPECT_EQ(pBlock->text.nLeading, 130);
    EXPECT_EQ(pBlock->text.nStyle, 9);
    EXPECT_EQ(pBlock->text.anCmyk[2], 250);
    EXPECT_FALSE(read.FindObject(7)->bText);
    remove("pub-full.json");
}

TEST(PublicationFile, MalformedFilesAreNamedWithThePlace) {
    static const std::string Deep = "{\"path\": \"p\", \"pages\": " + std::string(100000, '[');
    struct {
        const char* pText;
        const char* pExpected;
    } const cases[] = {
        {"{\n  \"path\": \"C:\\\\a.pub\",\n  oops\n}", "pub-bad.json: line 3, column 3"},
        {"[1, 2]", "pub-bad.json: the publication must be a JSON object"},
        {"{\"path\": 5}", "pub-bad.json: \"path\" must be the publication's full path"},
        {"", "pub-bad.json: line 1, column 1"},
        {"{\"path\": \"p\", \"pages\": [{\"objects\": [{\"id\": 1, \"number\": 1, \"kind\": "
         "-1}]}]}",
         "pub-bad.json: pages[0].objects[0]: \"kind\" must be a whole number from 0 to 32767"},
        {"{\"path\": \"p\", \"privateStrings\": [{\"developer\": \"NEB \", \"key\": \"VDAT\"}]}",
         "pub-bad.json: privateStrings[0]: \"index\" is missing"},
        {"{\"path\": \"p\", \"deletedStrings\": \"sometimes\"}",
         "pub-bad.json: \"deletedStrings\" must be"},
        // Found by fuzzing: a number no entry can hold is refused, not thrown.
        {"7E3722", "pub-bad.json: not a valid publication file"},
        {Deep.c_str(), "pub-bad.json: line 1, column 87: nested deeper than 64 levels"},
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
