#include "core/DataFieldList.h"
#include "core/OwnedText.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// A field at start..end with the name, its sample cut from nothing.
CDataField* MakeField(const char* pName, int32_t nStart, int32_t nEnd) {
    auto* pExtent = new CSampleExtent(nStart, nEnd, nEnd - nStart, 1, DuplicateText("sample"),
                                      DuplicateText("CRLF"), DuplicateText("NULL"));
    return new CDataField(pName, UnitsCharacters, LengthCount, TypeText, 1, 0, pExtent);
}

std::vector<std::string> NamesInOrder(CDataFieldList& list) {
    std::vector<std::string> names;
    list.Rewind();
    while (CDataField* pField = list.Next()) {
        names.push_back(pField->pName);
    }
    return names;
}

struct CFieldSpan {
    const char* pName;
    int32_t nStart;
    int32_t nEnd;
};

// A list of the fields, inserted in the order given.
void Fill(CDataFieldList& list, const std::vector<CFieldSpan>& fields) {
    for (const CFieldSpan& field : fields) {
        list.Insert(MakeField(field.pName, field.nStart, field.nEnd));
    }
}

// Each row: fields inserted in order, an operation, and the names in list
// order after it.
TEST(DataFieldList, InsertReplaceAndRemoveAfterKeepStartOrder) {
    const struct {
        const char* pRow;
        std::vector<CFieldSpan> fields;
        std::function<void(CDataFieldList&)> change;
        std::vector<std::string> names;
    } rows[] = {
        {"equal starts in arrival order",
         {{"ten_first", 10, 12}, {"five", 5, 7}, {"ten_second", 10, 11}, {"zero", 0, 3}},
         [](CDataFieldList&) {},
         {"zero", "five", "ten_first", "ten_second"}},
        {"a replacement takes its own place",
         {{"A", 0, 2}, {"B", 5, 7}, {"C", 9, 10}},
         [](CDataFieldList& list) { EXPECT_EQ(list.Replace("A", MakeField("A2", 20, 22)), 1); },
         {"B", "C", "A2"}},
        {"a field starting at the offset stays",
         {{"A", 0, 2}, {"B", 5, 7}, {"C", 6, 8}, {"D", 9, 10}},
         [](CDataFieldList& list) { list.RemoveAfter(5); },
         {"A", "B"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pRow);
        CDataFieldList list;
        Fill(list, row.fields);
        row.change(list);
        EXPECT_EQ(NamesInOrder(list), row.names);
        EXPECT_EQ(list.Count(), static_cast<int32_t>(row.names.size()));
        EXPECT_FALSE(list.IsEmpty());
    }
}

TEST(DataFieldList, ReplaceOnAbsentNameChangesNothing) {
    CDataFieldList list;
    Fill(list, {{"City", 0, 4}});
    CDataField* pNew = MakeField("Zip", 8, 12);
    EXPECT_EQ(list.Replace("Town", pNew), 0);
    EXPECT_EQ(NamesInOrder(list), (std::vector<std::string>{"City"}));
    EXPECT_STREQ(pNew->pName, "Zip");
    EXPECT_EQ(pNew->GetStart(), 8);
    delete pNew;
}

TEST(DataFieldList, IsRangeFreeAgainstOneField) {
    CDataFieldList list;
    EXPECT_EQ(list.IsRangeFree(nullptr, 0, 100), 1) << "an empty list is free";
    Fill(list, {{"F", 5, 10}});
    struct {
        int32_t a, b, nFree;
    } const cases[] = {
        {0, 4, 1},   // ends just before the field
        {10, 12, 1}, // starts just after it
        {3, 5, 0},   // ends on its first byte
        {9, 11, 0},  // starts on its last byte
        {2, 20, 0},  // covers it whole
        {6, 8, 0},   // lies inside it
    };
    for (const auto& c : cases) {
        EXPECT_EQ(list.IsRangeFree(nullptr, c.a, c.b), c.nFree) << c.a << "..." << c.b;
        EXPECT_EQ(list.IsRangeFree("F", c.a, c.b), 1) << "left out: " << c.a << "..." << c.b;
    }
}

TEST(DataFieldList, RemoveAfterKeepsFieldStartingAtTheOffset) {
    CDataFieldList list;
    list.Insert(MakeField("A", 0, 2));
    list.Insert(MakeField("B", 5, 7));
    list.Insert(MakeField("C", 6, 8));
    list.Insert(MakeField("D", 9, 10));
    list.RemoveAfter(5);
    EXPECT_EQ(NamesInOrder(list), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(list.Count(), 2);
}

TEST(DataFieldList, FindAndContainsCompareCaseSensitively) {
    CDataFieldList list;
    Fill(list, {{"City", 0, 4}});
    EXPECT_NE(list.Find("City"), nullptr);
    EXPECT_EQ(list.Find("city"), nullptr);
    EXPECT_EQ(list.Contains("CITY"), 0);
    EXPECT_EQ(list.Contains("City"), 1);
}

TEST(DataFieldList, UnlinkHandsTheFieldOver) {
    CDataFieldList list;
    Fill(list, {{"A", 0, 2}, {"B", 3, 4}});
    CDataField* pField = list.Unlink("A");
    ASSERT_NE(pField, nullptr);
    EXPECT_STREQ(pField->pName, "A");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Unlink("A"), nullptr);
    delete pField;
}

TEST(DataFieldList, UnlinkUnderTheCursorKeepsIterationGoing) {
    CDataFieldList list;
    Fill(list, {{"A", 0, 2}, {"B", 3, 4}, {"C", 5, 6}});
    list.Rewind();
    EXPECT_STREQ(list.Next()->pName, "A");
    delete list.Unlink("B");
    CDataField* pNext = list.Next();
    ASSERT_NE(pNext, nullptr);
    EXPECT_STREQ(pNext->pName, "C");
    EXPECT_EQ(list.Next(), nullptr);
}

TEST(DataField, WithoutExtentReportsZerosAndNoStrings) {
    CDataField field("Name", UnitsLines, LengthUntil, TypeEps, 0, 1, nullptr);
    EXPECT_EQ(field.GetStart(), 0);
    EXPECT_EQ(field.GetEnd(), 0);
    EXPECT_EQ(field.GetCharCount(), 0);
    EXPECT_EQ(field.GetLineCount(), 0);
    EXPECT_EQ(field.GetSample(), nullptr);
    EXPECT_EQ(field.GetCharDelimiter(), nullptr);
    EXPECT_EQ(field.GetNextLine(), nullptr);
}

TEST(DataField, CopyIsDeepAndSetNameIgnoresNull) {
    CDataField* pOriginal = MakeField("Street", 4, 9);
    CDataField copy(*pOriginal);
    delete pOriginal;
    EXPECT_STREQ(copy.pName, "Street");
    EXPECT_STREQ(copy.GetSample(), "sample");
    EXPECT_EQ(copy.GetCharCount(), 5);
    copy.SetName(nullptr);
    EXPECT_STREQ(copy.pName, "Street");
    copy.SetName("Road");
    EXPECT_STREQ(copy.pName, "Road");
}

TEST(IsValidName, RefusesEmptyBlankAndControlBytesAcceptsHighBytes) {
    EXPECT_FALSE(IsValidName(nullptr));
    EXPECT_FALSE(IsValidName(""));
    EXPECT_FALSE(IsValidName("First Name"));
    EXPECT_FALSE(IsValidName("Tab\there"));
    EXPECT_FALSE(IsValidName("Bell\a"));
    EXPECT_FALSE(IsValidName(" "));
    EXPECT_TRUE(IsValidName("City"));
    EXPECT_TRUE(IsValidName("Stra\xdf"
                            "e"));
    EXPECT_TRUE(IsValidName("\x80\xff"));
    // Found by fuzzing: such a name's line would read as a comment or a section.
    EXPECT_FALSE(IsValidName(";Name"));
    EXPECT_FALSE(IsValidName("[Name]"));
    EXPECT_TRUE(IsValidName("Name;[x"));
}

} // namespace
