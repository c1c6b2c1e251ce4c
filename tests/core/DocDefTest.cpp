// The document definition: data fields turned into data definition lines, and
// the three sections written.
#include "tests/PhotoCardJob.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

class DocDef : public ::testing::Test {
  protected:
    // The data definition lines that the fields give for the copy text.
    std::vector<std::string> Lines(const std::string& strCopy, int* pResult = nullptr) {
        CDocDef docDef;
        int nResult = BuildDataDefinitions(*fields, strCopy.c_str(), strCopy.size(), docDef);
        if (pResult != nullptr) {
            *pResult = nResult;
        }
        std::vector<std::string> lines;
        docDef.fields.Rewind();
        while (CDataDefinition* pRecord = docDef.fields.NextRecord()) {
            std::ostringstream out;
            WriteDataDefinition(*pRecord, out);
            lines.push_back(out.str().substr(0, out.str().size() - 1));
        }
        return lines;
    }

    static CDataField* Field(const char* pName, int32_t nStart, int32_t nEnd, int32_t nUnits,
                             int32_t nLength, const char* pDelimiter, const char* pNextLine,
                             int32_t nLines = 1) {
        auto* pExtent = new CSampleExtent(nStart, nEnd, nEnd - nStart, nLines, nullptr,
                                          DuplicateText(pDelimiter), DuplicateText(pNextLine));
        return new CDataField(pName, nUnits, nLength, TypeText, 0, 0, pExtent);
    }

    void SetFields(std::initializer_list<CDataField*> newFields) {
        fields.reset(new CDataFieldList);
        for (CDataField* pField : newFields) {
            fields->Insert(pField);
        }
    }

    // Written with the fields of the photo card job and its copy text.
    std::string Written(CDocDef& docDef) {
        std::unique_ptr<CDataFieldList> cardFields(PhotoCardJob::NewFields());
        const char* pCopy = PhotoCardJob::CopyText();
        EXPECT_EQ(BuildDataDefinitions(*cardFields, pCopy, strlen(pCopy), docDef), 1);
        std::ostringstream out;
        EXPECT_EQ(WriteDocDef(docDef, out), 0);
        return out.str();
    }

    std::unique_ptr<CDataFieldList> fields{new CDataFieldList};
};

TEST_F(DocDef, PhotoCardJobIsWrittenExactly) {
    CDocDef docDef;
    PhotoCardJob::AddPage(docDef);
    EXPECT_EQ(Written(docDef), PhotoCardJob::DocDefText());
}

TEST_F(DocDef, WithoutFieldsTheDataSectionIsEmpty) {
    CDocDef docDef;
    AddIncludePages(docDef, "1", "a.ps", 612, 792, 0);
    std::ostringstream out;
    EXPECT_EQ(WriteDocDef(docDef, out), 0);
    EXPECT_EQ(out.str(), "Docdef-Version-1.0\n[DataDefinition]\n[AreaDefinition]\n"
                         "[DocumentInstructions]\nIncludePages \"a.ps\" 1 1 612 792 0\n");
}

TEST_F(DocDef, FileLinesEndWithCrLfAndNothingFollowsTheLast) {
    EXPECT_EQ(FileLines("one\ntwo\n"), "one\r\ntwo\r\n");
    EXPECT_EQ(FileLines("one\n\nrest without a line feed"), "one\r\n\r\n");
    EXPECT_EQ(FileLines(""), "");
}

TEST_F(DocDef, PlacesOnTheSameLineAndLinesBelow) {
    SetFields({Field("A", 0, 3, UnitsCharacters, LengthCount, "SPACE", "NULL"),
               Field("B", 7, 9, UnitsCharacters, LengthCount, "CRLF", "NULL"),
               Field("C", 16, 18, UnitsCharacters, LengthCount, "CRLF", "NULL")});
    // A ends at 3, B starts 4 bytes later on the same line; C starts two
    // lines below the end of B, 3 bytes into its line.
    const std::string strCopy = "aaa    bb\r\n\r\nxxxcc\r\n";
    EXPECT_EQ(Lines(strCopy), (std::vector<std::string>{
                                  "A Is Chars Inline Text At 0 Chars For 3",
                                  "B Is Chars Inline Text At 4 Chars For 2",
                                  "DummyNode0 Is Lines Inline Text At 2 Lines For 0",
                                  "C Is Chars Inline Text At 3 Chars For 2",
                                  "DummyNode1 Is Lines Inline Text At 0 Lines For 2",
                              }));
}

TEST_F(DocDef, UntilDelimitersOfCharacterFields) {
    struct {
        const char* pDelimiter;
        const char* pCopy;
        const char* pWritten;
    } const cases[] = {
        {"CRLF", "abc\r\n", "Until CRLF"},
        {"LFCR", "abc\r\n", "Until CRLF"}, // a line break too, written as CRLF
        {"TAB", "abc\tz", "Until TAB"},
        {"SPACE", "abc z", "Until SPACE"},
        {";", "abc;z", "Until ;"},
    };
    for (const auto& c : cases) {
        SetFields({Field("F", 0, 3, UnitsCharacters, LengthUntil, c.pDelimiter, "NULL")});
        int nResult = 0;
        std::vector<std::string> lines = Lines(c.pCopy, &nResult);
        EXPECT_EQ(nResult, 1) << c.pDelimiter;
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines[0], std::string("F Is Chars Inline Text At 0 Chars ") + c.pWritten);
    }
    // The field after a line-break delimiter keeps its record.
    SetFields({Field("F", 0, 3, UnitsCharacters, LengthUntil, "LFCR", "NULL"),
               Field("G", 5, 6, UnitsCharacters, LengthCount, "CRLF", "NULL")});
    EXPECT_EQ(Lines("abc\r\nz\r\n"),
              (std::vector<std::string>{"F Is Chars Inline Text At 0 Chars Until CRLF",
                                        "G Is Chars Inline Text At 0 Chars For 1",
                                        "DummyNode0 Is Lines Inline Text At 0 Lines For 2"}));
}

TEST_F(DocDef, CharacterFieldUntilNullBecomesALineCount) {
    SetFields({Field("Note", 0, 9, UnitsCharacters, LengthUntil, "NULL", "NULL", 2)});
    EXPECT_EQ(Lines("one\r\ntwo\r\n"),
              (std::vector<std::string>{"Note Is Lines Inline Text At 0 Chars For 2",
                                        "DummyNode0 Is Lines Inline Text At 0 Lines For 2"}));
    CDataField* pField = fields->Find("Note");
    EXPECT_EQ(pField->nUnits, UnitsLines) << "the field in the list is changed too";
    EXPECT_EQ(pField->nLength, LengthCount);
}

TEST_F(DocDef, LineFieldUntilNullEndsTheWalk) {
    SetFields({Field("First", 0, 3, UnitsLines, LengthUntil, "CRLF", "NULL"),
               Field("Second", 5, 8, UnitsCharacters, LengthCount, "CRLF", "NULL")});
    // The walk ends where the first field begins: the trailing filler counts
    // every line from there, and Second gets no record.
    EXPECT_EQ(Lines("abc\r\ndef\r\n"),
              (std::vector<std::string>{"First Is Lines Inline Text At 0 Chars Until NULL",
                                        "DummyNode0 Is Lines Inline Text At 0 Lines For 3"}));
}

TEST_F(DocDef, LineFieldsMovePastTheirLineEnd) {
    SetFields({Field("Street", 0, 3, UnitsLines, LengthCount, "CRLF", "City"),
               Field("City", 5, 9, UnitsLines, LengthUntil, "CRLF", "Zip code"),
               Field("Zip", 19, 24, UnitsCharacters, LengthCount, "CRLF", "NULL")});
    // Street ends before a CR: the next record starts after the CR LF. City
    // runs until its next line "Zip code", and Zip starts after that line.
    EXPECT_EQ(Lines("abc\r\nCityZip code\r\n12345"),
              (std::vector<std::string>{"Street Is Lines Inline Text At 0 Chars For 1",
                                        "City Is Lines Inline Text At 0 Chars Until Zip",
                                        "Zip Is Chars Inline Text At 0 Chars For 5"}));
}

TEST_F(DocDef, LineFieldInASampleWithLineFeedsOnly) {
    SetFields({Field("Street", 0, 3, UnitsLines, LengthCount, "CRLF", "City"),
               Field("City", 6, 10, UnitsCharacters, LengthCount, "CRLF", "NULL")});
    // Street's line ends with a bare LF: the next record starts right after
    // it, and City lies two bytes into that line.
    EXPECT_EQ(Lines("abc\nxxCity\n"),
              (std::vector<std::string>{"Street Is Lines Inline Text At 0 Chars For 1",
                                        "City Is Chars Inline Text At 2 Chars For 4",
                                        "DummyNode0 Is Lines Inline Text At 0 Lines For 2"}));
}

TEST_F(DocDef, TrailingFillerOrNone) {
    SetFields({Field("F", 0, 3, UnitsCharacters, LengthCount, "CRLF", "NULL")});
    EXPECT_EQ(Lines("abc"), std::vector<std::string>{"F Is Chars Inline Text At 0 Chars For 3"})
        << "nothing follows the field";
    EXPECT_EQ(Lines("abc\r\n"),
              (std::vector<std::string>{"F Is Chars Inline Text At 0 Chars For 3",
                                        "DummyNode0 Is Lines Inline Text At 0 Lines For 2"}));
}

TEST_F(DocDef, FailuresKeepTheRecordsMadeBefore) {
    struct {
        CDataField* pSecond;
        const char* pWhy;
    } const cases[] = {
        {Field("B", 50, 52, UnitsCharacters, LengthCount, "CRLF", "NULL"), "offset beyond"},
        {Field("B", 4, 6, UnitsCharacters, LengthUntil, ";", "NULL"), "delimiter not found"},
        {Field("B", 4, 6, UnitsLines, LengthUntil, "CRLF", "Nowhere"), "next line not found"},
        {Field("B", 4, 6, UnitsLines, LengthCount, "CRLF", "More"), "no line feed after"},
    };
    for (const auto& c : cases) {
        SetFields({Field("A", 0, 2, UnitsCharacters, LengthCount, "CRLF", "NULL"), c.pSecond});
        int nResult = 1;
        std::vector<std::string> lines = Lines("aa  bbxx", &nResult);
        EXPECT_EQ(nResult, 0) << c.pWhy;
        ASSERT_FALSE(lines.empty()) << c.pWhy;
        EXPECT_EQ(lines[0], "A Is Chars Inline Text At 0 Chars For 2") << c.pWhy;
    }
}

TEST_F(DocDef, OverlongNextLineStillGivesNameClausesAndFirstWord) {
    std::string strNext = std::string(300, 'W') + " second word";
    SetFields({Field("City", 0, 3, UnitsLines, LengthUntil, "CRLF", strNext.c_str())});
    std::vector<std::string> lines = Lines("abc\r\n" + strNext + "\r\n");
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].substr(0, 46), "City Is Lines Inline Text At 0 Chars Until WWW");
    EXPECT_LE(lines[0].size(), 254u);
}

TEST_F(DocDef, SameAreaNameGivesOneAreaLineAndTwoMerges) {
    CDocDef docDef;
    CNamedObject* pFirst = NewNamedObject();
    pFirst->pArea->strName = "Price";
    strcpy(pFirst->szDataField, "Old");
    EXPECT_EQ(AddAreaAndMerge(docDef, pFirst), 1);
    CNamedObject* pOther = NewNamedObject();
    pOther->pArea->strName = "Other";
    EXPECT_EQ(AddAreaAndMerge(docDef, pOther), 1);
    SetBounds(5, 6, 7, 8, pFirst);
    strcpy(pFirst->szDataField, "New");
    EXPECT_EQ(AddAreaAndMerge(docDef, pFirst), 0);
    FreeNamedObject(pFirst);
    FreeNamedObject(pOther);
    std::ostringstream out;
    WriteDocDef(docDef, out);
    EXPECT_EQ(out.str(),
              "Docdef-Version-1.0\n[DataDefinition]\n[AreaDefinition]\n"
              "Price Is Text Left Flow Font Times-Roman Size 12 Spacing 14 CMYK 0 0 "
              "0 1 On \"\" 1 At 5 6 For 7 8 FirstPos -1 -1\n"
              "Other Is Text Left Flow Font Times-Roman Size 12 Spacing 14 CMYK 0 0 "
              "0 1 On \"\" 1 At 0 0 For 100 100 FirstPos -1 -1\n"
              "[DocumentInstructions]\nMerge Price Old\nMerge Other \nMerge Price New\n");
}

TEST_F(DocDef, MergeCarriesAtMost49CharactersOfTheAreaName) {
    for (size_t nName : {49u, 50u, 60u}) {
        CDocDef docDef;
        CNamedObject* pObject = NewNamedObject();
        pObject->pArea->strName = std::string(nName, 'N').c_str();
        AddAreaAndMerge(docDef, pObject);
        FreeNamedObject(pObject);
        docDef.instructions.Rewind();
        auto* pMerge = dynamic_cast<CMerge*>(docDef.instructions.NextInstruction());
        ASSERT_NE(pMerge, nullptr);
        EXPECT_EQ(pMerge->strAreaName.Length(), 49) << nName;
    }
}

TEST_F(DocDef, FullStreamStopsTheWriting) {
    CDocDef docDef;
    PhotoCardJob::AddPage(docDef);
    char abBuffer[100];
    struct CFixed : std::streambuf {
        CFixed(char* p, size_t n) { setp(p, p + n); }
    } buffer(abBuffer, sizeof abBuffer);
    std::ostream out(&buffer);
    EXPECT_EQ(WriteDocDef(docDef, out), 2);
}

// The index beside the area list finds every name the walk would have found,
// and stays in step however the list is changed.
TEST(AddOrReplace, FindsByNameAsTheListWalkDid) {
    CAreaDefinitionList list;
    auto Area = [](const std::string& strName, float fLeft) {
        CAreaDefinition area;
        area.strName = strName.c_str();
        area.fLeft = fLeft;
        return area;
    };
    const std::string strLong(255, 'L');
    EXPECT_EQ(AddOrReplace(list, Area("Price", 1)), 1);
    EXPECT_EQ(AddOrReplace(list, Area(strLong + "first", 2)), 1);
    EXPECT_EQ(AddOrReplace(list, Area("Name", 3)), 1);
    // Names equal on their first 255 characters are one name.
    EXPECT_EQ(AddOrReplace(list, Area(strLong + "second", 4)), 0);
    EXPECT_EQ(AddOrReplace(list, Area("Price", 5)), 0);
    // A name that only begins like another is not it.
    EXPECT_EQ(AddOrReplace(list, Area("Pric", 6)), 1);
    std::vector<std::string> names;
    std::vector<float> lefts;
    list.Rewind();
    while (CAreaDefinition* pArea = list.NextArea()) {
        names.push_back(pArea->strName.Text());
        lefts.push_back(pArea->fLeft);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Price", strLong + "second", "Name", "Pric"}));
    EXPECT_EQ(lefts, (std::vector<float>{5, 4, 3, 6}));

    // Items appended or cleared behind the index's back are seen.
    CAreaDefinition behind = Area("Behind", 7);
    list.Append(&behind, [](const void* pItem) -> void* {
        return new CAreaDefinition(*static_cast<const CAreaDefinition*>(pItem));
    });
    EXPECT_EQ(AddOrReplace(list, Area("Behind", 8)), 0);
    EXPECT_EQ(static_cast<CAreaDefinition*>(list.Last())->fLeft, 8);
    list.RemoveAll();
    EXPECT_EQ(list.FindByName("Price"), nullptr);
    EXPECT_EQ(AddOrReplace(list, Area("Price", 9)), 1);
    EXPECT_EQ(list.Count(), 1);
}

TEST(AddOrReplace, ManyNamesThroughTheIndexGrowing) {
    CAreaDefinitionList list;
    for (int nRound = 0; nRound < 2; ++nRound) {
        for (int i = 0; i < 3000; ++i) {
            CAreaDefinition area;
            area.strName = ("Area" + std::to_string(i)).c_str();
            area.fLeft = static_cast<float>(nRound);
            EXPECT_EQ(AddOrReplace(list, area), nRound == 0 ? 1 : 0) << i;
        }
    }
    EXPECT_EQ(list.Count(), 3000);
    list.Rewind();
    for (int i = 0; i < 3000; ++i) {
        CAreaDefinition* pArea = list.NextArea();
        ASSERT_NE(pArea, nullptr);
        EXPECT_STREQ(pArea->strName.Text(), ("Area" + std::to_string(i)).c_str());
        EXPECT_EQ(pArea->fLeft, 1);
        EXPECT_EQ(list.FindByName(pArea->strName), pArea);
    }
    EXPECT_EQ(list.FindByName("Area3000"), nullptr);
    EXPECT_EQ(list.FindByName(""), nullptr);
}

TEST(AddOrReplace, DataDefinitionsByName) {
    CDataDefinitionList list;
    CDataDefinition record;
    record.strName = "Zip";
    record.nAt = 1;
    EXPECT_EQ(AddOrReplace(list, record), 1);
    record.nAt = 2;
    EXPECT_EQ(AddOrReplace(list, record), 0);
    ASSERT_NE(list.FindByName("Zip"), nullptr);
    EXPECT_EQ(list.FindByName("Zip")->nAt, 2);
    EXPECT_EQ(list.FindByName("City"), nullptr);
    EXPECT_EQ(list.Count(), 1);
}

// Each record is made as the line it is written as would read back: written
// and read again, it is the same record.
TEST_F(DocDef, RecordsReadBackAsTheyWereMade) {
    SetFields({Field("Name", 0, 4, UnitsCharacters, LengthUntil, "TAB", "NULL"),
               Field("Street", 5, 9, UnitsCharacters, LengthUntil, "SPACE", "NULL"),
               Field("City", 10, 14, UnitsCharacters, LengthUntil, "LFCR", "NULL"),
               Field("Zip", 17, 20, UnitsLines, LengthUntil, "CRLF", "Next words")});
    CDocDef docDef;
    std::string strCopy = "Jane\tMain St\nRome\n\r\n123\r\nNext words\r\nrest\r\n";
    EXPECT_EQ(BuildDataDefinitions(*fields, strCopy.c_str(), strCopy.size(), docDef), 1);
    docDef.fields.Rewind();
    int nRecords = 0;
    while (CDataDefinition* pRecord = docDef.fields.NextRecord()) {
        std::stringstream line;
        WriteDataDefinition(*pRecord, line);
        CDataDefinition read;
        EXPECT_EQ(ReadDataDefinition(read, line), 0) << line.str();
        EXPECT_STREQ(read.strName.Text(), pRecord->strName.Text());
        EXPECT_EQ(read.nUnit, pRecord->nUnit);
        EXPECT_EQ(read.nStorage, pRecord->nStorage);
        EXPECT_EQ(read.nType, pRecord->nType);
        EXPECT_EQ(read.nAt, pRecord->nAt);
        EXPECT_EQ(read.nAtUnit, pRecord->nAtUnit);
        EXPECT_EQ(read.nExtentKind, pRecord->nExtentKind);
        EXPECT_STREQ(read.strExtent.Text(), pRecord->strExtent.Text());
        ++nRecords;
    }
    EXPECT_EQ(nRecords, 5);
}

} // namespace
