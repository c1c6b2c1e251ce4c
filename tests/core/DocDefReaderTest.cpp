// A whole document definition file read back, as the merge step reads a job.
#include "core/DocDefReader.h"
#include "tests/PhotoCardJob.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>

namespace {

const char* const CardFile =
    "Docdef-Version-1.0\r\n"
    "[DataDefinition]\r\n"
    "Name Is Lines Inline Text At 0 Chars For 1\r\n"
    "Street Is Lines Inline Text At 0 Chars For 1\r\n"
    "DummyNode0 Is Lines Inline Text At 0 Lines For 2\r\n"
    "[AreaDefinition]\r\n"
    "Greeting Is Text Left Flow Font Helvetica-Bold Size 18 Spacing 22 CMYK 0 0 0 1 On "
    "\"z:\\jobs\\card.ps\" 1 At 180 234 For 252 30 FirstPos -1 -1\r\n"
    "Photo Is Graphic ScaleToFit On \"z:\\jobs\\card.ps\" 2 At 300 72 For 144 144\r\n"
    "[DocumentInstructions]\r\n"
    "Merge Greeting Name\r\n"
    "IncludePages \"z:\\jobs\\card.ps\" 1 1 612 792 0\r\n"
    "Merge Photo Street\r\n"
    "IncludePages \"z:\\jobs\\card.ps\" 2 2 612 792 0\r\n";

std::string Written(const CDocDef& docDef) {
    std::ostringstream out;
    EXPECT_EQ(WriteDocDef(docDef, out), 0);
    return FileLines(out.str());
}

TEST(DocDefReader, ReadsTheJobAsItWasWritten) {
    CDocDef docDef;
    std::string strError;
    ASSERT_TRUE(ReadDocDefText(CardFile, docDef, strError)) << strError;
    EXPECT_EQ(docDef.fields.Count(), 3);
    EXPECT_EQ(docDef.areas.Count(), 2);
    EXPECT_EQ(docDef.instructions.Count(), 4);
    EXPECT_EQ(Written(docDef), CardFile);
    docDef.instructions.Rewind();
    auto* pMerge = dynamic_cast<CMerge*>(docDef.instructions.NextInstruction());
    ASSERT_NE(pMerge, nullptr);
    EXPECT_EQ(pMerge->pArea, docDef.areas.FindByName("Greeting"));
    EXPECT_EQ(pMerge->pField, docDef.fields.FindByName("Name"));
    auto* pPages = dynamic_cast<CIncludePages*>(docDef.instructions.NextInstruction());
    ASSERT_NE(pPages, nullptr);
    EXPECT_STREQ(pPages->strFile.Text(), "z:\\jobs\\card.ps");
    EXPECT_EQ(pPages->dHeight, 792);
}

TEST(DocDefReader, LineFeedsCommentsAndTheWrittenPhotoCard) {
    std::string strText = CardFile;
    std::string strLf;
    for (char c : strText) {
        if (c != '\r') {
            strLf += c;
        }
    }
    strLf.insert(strLf.find("[AreaDefinition]"), "; a comment\n\n");
    CDocDef docDef;
    std::string strError;
    ASSERT_TRUE(ReadDocDefText(strLf, docDef, strError)) << strError;
    EXPECT_EQ(Written(docDef), CardFile);

    // What the plug-in writes reads back to the same bytes.
    CDocDef photo;
    PhotoCardJob::AddPage(photo);
    std::unique_ptr<CDataFieldList> fields(PhotoCardJob::NewFields());
    const char* pCopy = PhotoCardJob::CopyText();
    ASSERT_EQ(BuildDataDefinitions(*fields, pCopy, strlen(pCopy), photo), 1);
    std::string strPhoto = Written(photo);
    CDocDef again;
    ASSERT_TRUE(ReadDocDefText(strPhoto, again, strError)) << strError;
    EXPECT_EQ(Written(again), strPhoto);
}

TEST(DocDefReader, NamesTheLineAtFault) {
    struct CCase {
        const char* pFind;
        const char* pReplace;
        const char* pError;
    };
    const CCase cases[] = {
        {"Docdef-Version-1.0", "Docdef-Version-2.0",
         "line 1: the file does not begin with Docdef-Version-1.0"},
        {"[AreaDefinition]", "[Areas]", "line 6: unknown section [Areas]"},
        // A name that would read as a section or a comment written back.
        {"Street Is Lines", "\r[Areas]Street Is Lines",
         "line 4: unknown section \r[Areas]Street Is Lines Inline Text At 0 Chars For 1"},
        {"Street Is Lines", " ;Street Is Lines", "line 4: a comment after blanks"},
        {"Street Is Lines", "Street Was Lines", "line 4: not a data definition"},
        {"Photo Is Graphic ScaleToFit", "Photo Is Graphic Stretch",
         "line 8: not an area definition"},
        {"Merge Greeting Name", "Merge Greeting Phone", "line 10: no data field Phone is defined"},
        {"Merge Photo Street", "Merge Logo Street", "line 12: no area Logo is defined"},
        {"IncludePages \"z:\\jobs\\card.ps\" 2 2 612 792 0", "IncludePages \"\" 2 2 612 792 0",
         "line 13: an IncludePages line holds a quoted file name, the first and last page, and a "
         "width and height above 0"},
        {"Merge Photo Street", "Include Photo",
         "line 12: not an instruction (Merge or IncludePages)"},
        {"Merge Photo Street", "Merge", "line 12: a Merge line names an area and a data field"},
        {"Street Is Lines Inline Text At 0 Chars For 1",
         "Name Is Lines Inline Text At 0 Chars For 3",
         "line 4: the data field Name is defined twice"},
        {"[DataDefinition]", "Name Is Lines Inline Text At 0 Chars For 1",
         "line 2: a line before the first section"},
    };
    for (const CCase& test : cases) {
        std::string strText = CardFile;
        size_t nAt = strText.find(test.pFind);
        ASSERT_NE(nAt, std::string::npos) << test.pFind;
        strText.replace(nAt, strlen(test.pFind), test.pReplace);
        CDocDef docDef;
        std::string strError;
        EXPECT_FALSE(ReadDocDefText(strText, docDef, strError)) << test.pReplace;
        EXPECT_EQ(strError, test.pError);
    }
    CDocDef docDef;
    std::string strError;
    EXPECT_FALSE(ReadDocDefText("", docDef, strError));
    EXPECT_EQ(strError, "line 1: the file does not begin with Docdef-Version-1.0");
    std::string strLong = std::string(CardFile) + "Merge " + std::string(300, 'A') + " Name\r\n";
    EXPECT_FALSE(ReadDocDefText(strLong, docDef, strError));
    EXPECT_EQ(strError, "line 14: longer than 254 characters");
}

} // namespace
