// Data definition and instruction lines: what the readers refuse, and that
// they read back every line the writers produce.
#include "core/AreaDefinition.h"
#include "core/DocDef.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>

namespace {

int Read(const std::string& strLine, CDataDefinition& record) {
    std::istringstream in(strLine + "\n");
    return ReadDataDefinition(record, in);
}

TEST(DataDefinition, ReadsTheWordsAndTranslatesDelimiters) {
    CDataDefinition record;
    ASSERT_EQ(Read("Photo Is Chars Reference EPS At 1 Lines For 10", record), 0);
    EXPECT_STREQ(record.strName.Text(), "Photo");
    EXPECT_EQ(record.nUnit, UnitChars);
    EXPECT_EQ(record.nStorage, StorageReference);
    EXPECT_EQ(record.nType, 1);
    EXPECT_EQ(record.nAt, 1);
    EXPECT_EQ(record.nAtUnit, AtLines);
    EXPECT_EQ(record.nExtentKind, ExtentFor);
    EXPECT_STREQ(record.strExtent.Text(), "10");
    struct {
        const char* pWord;
        const char* pExtent;
    } const delimiters[] = {{"TAB", "\t"},  {"SPACE", " "}, {"CRLF", "\n"},
                            {"LFCR", "\n"}, {";", ";"},     {"NULL", "NULL"}};
    for (const auto& d : delimiters) {
        ASSERT_EQ(
            Read(std::string("F Is TrimmedChars Inline TIFF At 3 Chars Until ") + d.pWord, record),
            0);
        EXPECT_EQ(record.nExtentKind, ExtentUntil);
        EXPECT_STREQ(record.strExtent.Text(), d.pExtent) << d.pWord;
    }
    ASSERT_EQ(Read("F Is Chars Inline Text At 0 Chars ToEnd", record), 0);
    EXPECT_EQ(record.nExtentKind, ExtentToEnd);
}

TEST(DataDefinition, RefusesUnexpectedWordsAndPushesTheLineBack) {
    const char* const bad[] = {
        "F Was Chars Inline Text At 0 Chars For 1", "F Is Bytes Inline Text At 0 Chars For 1",
        "F Is Chars Outline Text At 0 Chars For 1", "F Is Chars Inline Audio At 0 Chars For 1",
        "F Is Chars Inline Text In 0 Chars For 1",  "F Is Chars Inline Text At x Chars For 1",
        "F Is Chars Inline Text At 0 Pages For 1",  "F Is Chars Inline Text At 0 Chars Over 1",
        "F Is Lines Inline Text At 0 Chars ToEnd",  "F Is Chars Inline Text At 0 Chars For",
    };
    for (const char* pLine : bad) {
        std::istringstream in(std::string(pLine) + "\n");
        CDataDefinition record;
        EXPECT_EQ(ReadDataDefinition(record, in), 2) << pLine;
        std::string strAgain;
        std::getline(in, strAgain);
        EXPECT_EQ(strAgain, pLine) << "pushed back";
    }
    std::istringstream sections(";comment\n[AreaDefinition]\n");
    CDataDefinition record;
    EXPECT_EQ(ReadDataDefinition(record, sections), 1);
    std::istringstream unfinished("F Is Chars Inline Text At 0 Chars For 1");
    EXPECT_EQ(ReadDataDefinition(record, unfinished), 3);
}

TEST(DataDefinition, GeneratedRecordsReadBackEqual) {
    std::mt19937 random(5);
    const char* const extents[] = {"\t", " ", "\n", ";", "NULL", "Street"};
    for (int i = 0; i < 500; ++i) {
        CDataDefinition record;
        record.strName = ("Field" + std::to_string(i)).c_str();
        record.nUnit = static_cast<int32_t>(random() % 3);
        record.nStorage = static_cast<int32_t>(random() % 2);
        record.nType = static_cast<int32_t>(random() % 3);
        record.nAt = static_cast<int32_t>(random() % 1000);
        record.nAtUnit = random() % 2 == 0 ? AtLines : AtChars;
        record.nExtentKind = static_cast<int32_t>(random() % 3);
        if (record.nExtentKind == ExtentToEnd && record.nUnit == UnitLines) {
            record.nUnit = UnitChars;
        }
        if (record.nExtentKind == ExtentFor) {
            record.strExtent = std::to_string(random() % 500).c_str();
        } else if (record.nExtentKind == ExtentUntil) {
            record.strExtent = extents[random() % 6];
        }
        std::ostringstream out;
        ASSERT_EQ(WriteDataDefinition(record, out), 0);
        std::istringstream in(out.str());
        CDataDefinition read;
        ASSERT_EQ(ReadDataDefinition(read, in), 0) << out.str();
        EXPECT_STREQ(read.strName.Text(), record.strName.Text());
        EXPECT_EQ(read.nUnit, record.nUnit);
        EXPECT_EQ(read.nStorage, record.nStorage);
        EXPECT_EQ(read.nType, record.nType);
        EXPECT_EQ(read.nAt, record.nAt);
        EXPECT_EQ(read.nAtUnit, record.nAtUnit);
        EXPECT_EQ(read.nExtentKind, record.nExtentKind);
        EXPECT_STREQ(read.strExtent.Text(), record.strExtent.Text()) << out.str();
    }
}

// Records what the instructions hand to it.
class CPlan : public IPagePlan {
  public:
    void IncludePages(const CSmallString& strFile, const CSmallString& strFirst,
                      const CSmallString&, double dWidth, double, double) override {
        strSeen += std::string("pages ") + strFile.Text() + " " + strFirst.Text() + " " +
                   std::to_string(static_cast<int>(dWidth)) + ";";
    }
    void Merge(const CSmallString& strArea, const CSmallString& strField,
               const CAreaDefinition* pArea, const CDataDefinition* pField) override {
        strSeen += std::string("merge ") + strArea.Text() + " " + strField.Text() +
                   (pArea != nullptr ? " area" : "") + (pField != nullptr ? " field" : "") + ";";
    }
    std::string strSeen;
};

TEST(Instructions, WrittenLinesReadBackAndApply) {
    CAreaDefinitionList areas;
    CDataDefinitionList fields;
    CAreaDefinition area;
    area.strName = "NameArea";
    areas.AddCopy(area);
    CDataDefinition field;
    field.strName = "Name";
    fields.AddCopy(field);

    CIncludePages pages;
    pages.strFile = "c:\\jobs\\card 2.ps";
    pages.strFirst = "3";
    pages.strLast = "3";
    pages.dWidth = 612;
    pages.dHeight = 791.5;
    CMerge merge;
    merge.strAreaName = "NameArea";
    merge.strFieldName = "Name";
    CMerge loose;
    loose.strAreaName = "Lost";
    loose.strFieldName = "Gone";
    std::ostringstream out;
    ASSERT_EQ(pages.Write(out), 0);
    ASSERT_EQ(merge.Write(out), 0);
    ASSERT_EQ(loose.Write(out), 0);
    EXPECT_EQ(out.str(), "IncludePages \"c:\\jobs\\card 2.ps\" 3 3 612 791.5 0\n"
                         "Merge NameArea Name\nMerge Lost Gone\n");

    std::istringstream in(out.str());
    CIncludePages readPages;
    CMerge readMerge;
    CMerge readLoose;
    ASSERT_EQ(readPages.Read(in, areas, fields), 0);
    ASSERT_EQ(readMerge.Read(in, areas, fields), 0);
    ASSERT_EQ(readLoose.Read(in, areas, fields), 0);
    EXPECT_STREQ(readPages.strFile.Text(), "c:\\jobs\\card 2.ps");
    EXPECT_EQ(readPages.dHeight, 791.5);
    CPlan plan;
    readPages.Apply(plan);
    readMerge.Apply(plan);
    readLoose.Apply(plan);
    EXPECT_EQ(plan.strSeen,
              "pages c:\\jobs\\card 2.ps 3 612;merge NameArea Name area field;merge Lost Gone;");
    CIncludePages copy;
    copy.Assign(readPages);
    EXPECT_STREQ(copy.strFirst.Text(), "3");
}

TEST(Instructions, IncludePagesRefusesEmptyValuesAndNonPositiveSizes) {
    CAreaDefinitionList areas;
    CDataDefinitionList fields;
    const char* const bad[] = {
        "IncludePages \"\" 1 1 612 792 0",    "IncludePages \"a.ps\" 1 1 0 792 0",
        "IncludePages \"a.ps\" 1 1 612 -1 0", "IncludePages \"a.ps\" 1 1 612",
        "Include \"a.ps\" 1 1 612 792 0",     "Merge A B",
    };
    for (const char* pLine : bad) {
        std::istringstream in(std::string(pLine) + "\n");
        CIncludePages pages;
        EXPECT_EQ(pages.Read(in, areas, fields), 2) << pLine;
    }
    std::istringstream section("[DataDefinition]\n");
    CMerge merge;
    EXPECT_EQ(merge.Read(section, areas, fields), 1);
    std::istringstream notMerge("IncludePages \"a.ps\" 1 1 612 792 0\n");
    EXPECT_EQ(merge.Read(notMerge, areas, fields), 2);
}

TEST(ItemList, AppendFindClear) {
    CItemList list;
    int a = 1, b = 2;
    EXPECT_EQ(list.Append(&a), 0);
    EXPECT_EQ(list.Append(&b), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Last(), &b);
    EXPECT_EQ(list.Find(&b), &b);
    int c = 2;
    EXPECT_EQ(list.Find(&c), nullptr) << "pointer equality without a compare function";
    EXPECT_EQ(list.Find(&c,
                        [](const void* pItem, const void* pKey) {
                            return *static_cast<const int*>(pItem) == *static_cast<const int*>(pKey)
                                       ? 0
                                       : 1;
                        }),
              &b);
    EXPECT_EQ(list.Append(&a, [](const void*) -> void* { return nullptr; }), -1);
    list.Rewind();
    EXPECT_EQ(list.Next(), &a);
    EXPECT_EQ(list.Next(), &b);
    EXPECT_EQ(list.Next(), nullptr);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Last(), nullptr);
}

TEST(ItemList, AddOrReplaceKeepsThePlace) {
    CDataDefinitionList list;
    CDataDefinition record;
    record.strName = "A";
    EXPECT_EQ(AddOrReplace(list, record), 1);
    record.strName = "B";
    EXPECT_EQ(AddOrReplace(list, record), 1);
    record.strName = "A";
    record.nAt = 9;
    EXPECT_EQ(AddOrReplace(list, record), 0);
    list.Rewind();
    CDataDefinition* pFirst = list.NextRecord();
    EXPECT_STREQ(pFirst->strName.Text(), "A");
    EXPECT_EQ(pFirst->nAt, 9);
    EXPECT_EQ(list.Count(), 2);
}

} // namespace
