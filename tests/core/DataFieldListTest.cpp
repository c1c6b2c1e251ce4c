#include "core/DataFieldList.h"
#include "core/OwnedText.h"

#include <gtest/gtest.h>

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

TEST(DataFieldList, InsertKeepsStartOrderAndEqualStartsInArrivalOrder) {
    CDataFieldList list;
    list.Insert(MakeField("ten_first", 10, 12));
    list.Insert(MakeField("five", 5, 7));
    list.Insert(MakeField("ten_second", 10, 11));
    list.Insert(MakeField("zero", 0, 3));
    EXPECT_EQ(NamesInOrder(list),
              (std::vector<std::string>{"zero", "five", "ten_first", "ten_second"}));
    EXPECT_EQ(list.Count(), 4);
    EXPECT_FALSE(list.IsEmpty());
}

TEST(DataFieldList, ReplaceOnAbsentNameChangesNothing) {
    CDataFieldList list;
    list.Insert(MakeField("City", 0, 4));
    CDataField* pNew = MakeField("Zip", 8, 12);
    EXPECT_EQ(list.Replace("Town", pNew), 0);
    EXPECT_EQ(NamesInOrder(list), (std::vector<std::string>{"City"}));
    EXPECT_STREQ(pNew->pName, "Zip");
    EXPECT_EQ(pNew->GetStart(), 8);
    delete pNew;
}

TEST(DataFieldList, ReplaceTakesTheNewFieldsPlaceInStartOrder) {
    CDataFieldList list;
    list.Insert(MakeField("A", 0, 2));
    list.Insert(MakeField("B", 5, 7));
    list.Insert(MakeField("C", 9, 10));
    EXPECT_EQ(list.Replace("A", MakeField("A2", 20, 22)), 1);
    EXPECT_EQ(NamesInOrder(list), (std::vector<std::string>{"B", "C", "A2"}));
    EXPECT_EQ(list.Count(), 3);
}

TEST(DataFieldList, IsRangeFreeAgainstOneField) {
    CDataFieldList list;
    EXPECT_EQ(list.IsRangeFree(nullptr, 0, 100), 1) << "an empty list is free";
    list.Insert(MakeField("F", 5, 10));
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
    list.Insert(MakeField("City", 0, 4));
    EXPECT_NE(list.Find("City"), nullptr);
    EXPECT_EQ(list.Find("city"), nullptr);
    EXPECT_EQ(list.Contains("CITY"), 0);
    EXPECT_EQ(list.Contains("City"), 1);
}

TEST(DataFieldList, UnlinkHandsTheFieldOver) {
    CDataFieldList list;
    list.Insert(MakeField("A", 0, 2));
    list.Insert(MakeField("B", 3, 4));
    CDataField* pField = list.Unlink("A");
    ASSERT_NE(pField, nullptr);
    EXPECT_STREQ(pField->pName, "A");
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Unlink("A"), nullptr);
    delete pField;
}

TEST(DataFieldList, UnlinkUnderTheCursorKeepsIterationGoing) {
    CDataFieldList list;
    list.Insert(MakeField("A", 0, 2));
    list.Insert(MakeField("B", 3, 4));
    list.Insert(MakeField("C", 5, 6));
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
