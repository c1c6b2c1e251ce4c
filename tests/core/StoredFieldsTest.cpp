#include "core/StoredFields.h"
#include "core/DataFieldList.h"
#include "core/OwnedText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

// Gives the tests a copy text, in a block of exactly its size so that a read
// past it is caught, and the list loaded from stored strings.
class StoredFields : public ::testing::Test {
  protected:
    void SetCopyText(const std::string& strText) {
        copyText.reset(new char[strText.size() + 1]);
        memcpy(copyText.get(), strText.c_str(), strText.size() + 1);
    }
    void FromStrings(char** ppStrings) {
        loaded.reset(FromStoredStrings(ppStrings, copyText.get()));
    }
    static void FreeStrings(char** ppStrings) {
        for (char** pp = ppStrings; pp != nullptr && *pp != nullptr; ++pp) {
            delete[] * pp;
        }
        delete[] ppStrings;
    }
    // Builds the list from the strings (kept by the caller).
    void Load(std::vector<std::string> strings) {
        std::vector<char*> array;
        for (std::string& strText : strings) {
            array.push_back(&strText[0]);
        }
        array.push_back(nullptr);
        FromStrings(array.data());
    }

    std::unique_ptr<char[]> copyText;
    std::unique_ptr<CDataFieldList> loaded;
};

CDataField* City() {
    auto* pExtent = new CSampleExtent(40, 52, 12, 1, DuplicateText("Springfield "),
                                      DuplicateText("CRLF"), DuplicateText("USA"));
    return new CDataField("City", UnitsCharacters, LengthCount, TypeText, 1, 0, pExtent);
}

TEST_F(StoredFields, EmptyOrMissingListGivesNoArray) {
    EXPECT_EQ(ToStoredStrings(nullptr), nullptr);
    CDataFieldList list;
    EXPECT_EQ(ToStoredStrings(&list), nullptr);
}

TEST_F(StoredFields, CityFieldIsStoredExactly) {
    CDataFieldList list;
    list.Insert(City());
    char** ppStrings = ToStoredStrings(&list);
    ASSERT_NE(ppStrings, nullptr);
    EXPECT_STREQ(ppStrings[0], "City 0 0 0 1 0 40 52 12 1 CRLF USA ");
    EXPECT_EQ(ppStrings[1], nullptr);
    FreeStrings(ppStrings);
}

TEST_F(StoredFields, FieldsComeBackInStartOrderWithSamplesCutFromTheCopy) {
    SetCopyText("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    Load({"Late 1 1 1 0 1 50 55 5 2 NULL Next ", "Early 0 0 0 1 0 10 15 5 1 TAB Line "});
    ASSERT_NE(loaded, nullptr);
    loaded->Rewind();
    CDataField* pFirst = loaded->Next();
    CDataField* pSecond = loaded->Next();
    ASSERT_NE(pSecond, nullptr);
    EXPECT_STREQ(pFirst->pName, "Early");
    EXPECT_STREQ(pFirst->GetSample(), "ABCDE");
    EXPECT_STREQ(pFirst->GetCharDelimiter(), "TAB");
    EXPECT_STREQ(pFirst->GetNextLine(), "Line");
    EXPECT_STREQ(pSecond->pName, "Late");
    EXPECT_STREQ(pSecond->GetSample(), "opqrs");
    EXPECT_EQ(pSecond->nUnits, UnitsLines);
    EXPECT_EQ(pSecond->nLength, LengthUntil);
    EXPECT_EQ(pSecond->nType, TypeEps);
    EXPECT_EQ(pSecond->bStripSpaces, 0);
    EXPECT_EQ(pSecond->bReference, 1);
    EXPECT_EQ(pSecond->GetLineCount(), 2);
    EXPECT_EQ(loaded->Next(), nullptr);
}

TEST_F(StoredFields, NoStringsGiveNoListAndNoCopyTextGivesEmptySamples) {
    EXPECT_EQ(FromStoredStrings(nullptr, "abc"), nullptr);
    Load({"Other 0 0 0 1 0 0 2 2 1 NULL NULL "});
    ASSERT_NE(loaded, nullptr);
    EXPECT_STREQ(loaded->Find("Other")->GetSample(), "");
}

TEST_F(StoredFields, EndPastTheCopyTextIsCutAtItsEnd) {
    SetCopyText("abc");
    Load({"Far 0 0 0 1 0 1 40 39 1 NULL NULL ", "Beyond 0 0 0 1 0 3 9 6 1 NULL NULL "});
    EXPECT_STREQ(loaded->Find("Far")->GetSample(), "bc");
    EXPECT_STREQ(loaded->Find("Beyond")->GetSample(), "");
}

TEST_F(StoredFields, SampleStopsAtNulAndNeverLeavesTheCopyText) {
    SetCopyText("Hello");
    copyText[3] = '\0'; // "Hel" then a NUL inside the copy
    Load({"A 0 0 0 1 0 1 5 4 1 NULL NULL ", "B 0 0 0 1 0 4 9 5 1 NULL NULL ",
          "C 0 0 0 1 0 100 120 20 1 NULL NULL ", "D 0 0 0 1 0 -5 2 7 1 NULL NULL ",
          "E 0 0 0 1 0 2 1 0 1 NULL NULL "});
    loaded->Rewind();
    std::vector<std::string> samples;
    while (CDataField* pField = loaded->Next()) {
        samples.push_back(std::string(pField->pName) + "=" + pField->GetSample());
    }
    EXPECT_EQ(samples, (std::vector<std::string>{"D=", "A=el", "E=", "B=", "C="}));
}

TEST_F(StoredFields, NextLineWithBlanksComesBackAsItsFirstWord) {
    CDataFieldList list;
    auto* pExtent = new CSampleExtent(0, 3, 3, 1, DuplicateText("Bob"), DuplicateText("CRLF"),
                                      DuplicateText("12 Main Street"));
    list.Insert(new CDataField("Name", 0, 0, 0, 1, 0, pExtent));
    char** ppStrings = ToStoredStrings(&list);
    EXPECT_STREQ(ppStrings[0], "Name 0 0 0 1 0 0 3 3 1 CRLF 12 Main Street ");
    SetCopyText("Bob\r\n12 Main Street\r\n");
    FromStrings(ppStrings);
    FreeStrings(ppStrings);
    CDataField* pField = loaded->Find("Name");
    ASSERT_NE(pField, nullptr);
    EXPECT_STREQ(pField->GetNextLine(), "12");
    EXPECT_STREQ(pField->GetSample(), "Bob");
}

TEST_F(StoredFields, OverlongLineIsCutInItsNextLineTextAndStillReadsBack) {
    CDataFieldList list;
    std::string strNext(400, 'n');
    auto* pExtent = new CSampleExtent(0, 3, 3, 1, DuplicateText("Bob"), DuplicateText("CRLF"),
                                      DuplicateText(strNext.c_str()));
    list.Insert(new CDataField("Name", 1, 1, 0, 0, 0, pExtent));
    std::string strLongName(300, 'N');
    list.Insert(new CDataField(strLongName.c_str(), 0, 0, 1, 1, 1,
                               new CSampleExtent(5, 9, 4, 1, DuplicateText("x"),
                                                 DuplicateText("SPACE"), DuplicateText("y"))));
    char** ppStrings = ToStoredStrings(&list);
    ASSERT_NE(ppStrings, nullptr);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(strlen(ppStrings[i]), 255u);
        EXPECT_EQ(ppStrings[i][254], ' ');
    }
    SetCopyText("Bob\r\nabcdefgh");
    FromStrings(ppStrings);
    FreeStrings(ppStrings);
    CDataField* pField = loaded->Find("Name");
    ASSERT_NE(pField, nullptr);
    EXPECT_EQ(pField->nUnits, 1);
    EXPECT_STREQ(pField->GetCharDelimiter(), "CRLF");
    EXPECT_EQ(std::string(pField->GetNextLine()), std::string(255 - 29, 'n'));
    loaded->Rewind();
    loaded->Next();
    CDataField* pLong = loaded->Next();
    ASSERT_NE(pLong, nullptr);
    EXPECT_EQ(pLong->GetStart(), 5);
    EXPECT_STREQ(pLong->GetCharDelimiter(), "SPACE");
    EXPECT_STREQ(pLong->GetNextLine(), "y");
}

// A delimiter word as long as a hand-edited publication may hold: the line
// still fits, cutting the next-line text, then the delimiter down to the
// length of a keyword, then the name, each value keeping its place.
TEST_F(StoredFields, OverlongDelimiterWordIsCutLastAndStillReadsBack) {
    for (size_t nDelimiter : {200u, 231u, 240u, 254u, 400u, 5000u}) {
        SCOPED_TRACE(nDelimiter);
        CDataFieldList list;
        std::string strDelimiter(nDelimiter, 'd');
        list.Insert(new CDataField("Name", 0, 1, 0, 0, 0,
                                   new CSampleExtent(0, 3, 3, 1, DuplicateText("Bob"),
                                                     DuplicateText(strDelimiter.c_str()),
                                                     DuplicateText("next"))));
        char** ppStrings = ToStoredStrings(&list);
        ASSERT_NE(ppStrings, nullptr);
        std::string strLine = ppStrings[0];
        EXPECT_LE(strLine.size(), 255u);
        EXPECT_EQ(strLine.back(), ' ');
        SetCopyText("Bob\r\n");
        FromStrings(ppStrings);
        FreeStrings(ppStrings);
        ASSERT_EQ(loaded->Count(), 1);
        loaded->Rewind();
        CDataField* pField = loaded->Next();
        EXPECT_STREQ(pField->pName, "Name") << "the name goes after the delimiter's excess";
        EXPECT_EQ(pField->GetEnd(), 3);
        EXPECT_EQ(pField->GetLineCount(), 1);
        std::string strRead = pField->GetCharDelimiter();
        EXPECT_FALSE(strRead.empty());
        EXPECT_EQ(strDelimiter.compare(0, strRead.size(), strRead), 0);
        if (nDelimiter <= 200) {
            EXPECT_EQ(strRead, strDelimiter) << "cut only when the line needs it";
        }
    }
}

// A line of exactly 255 characters is stored as it is; one more cuts one
// character of the next-line text.
TEST_F(StoredFields, LineAtItsLimitIsKeptAndOnePastIsCutByOne) {
    // "Name 0 1 0 1 0 0 3 3 1 CRLF " is 28 characters, then the text and a blank.
    for (size_t nNext : {226u, 227u}) {
        CDataFieldList list;
        std::string strNext(nNext, 'n');
        list.Insert(new CDataField("Name", 0, 1, 0, 1, 0,
                                   new CSampleExtent(0, 3, 3, 1, nullptr, DuplicateText("CRLF"),
                                                     DuplicateText(strNext.c_str()))));
        char** ppStrings = ToStoredStrings(&list);
        EXPECT_EQ(strlen(ppStrings[0]), 255u) << nNext;
        EXPECT_EQ(std::string(ppStrings[0]),
                  "Name 0 1 0 1 0 0 3 3 1 CRLF " + std::string(226, 'n') + " ");
        FreeStrings(ppStrings);
    }
}

TEST_F(StoredFields, FieldsWithoutExtentStoreNoneForTheirTexts) {
    CDataFieldList list;
    list.Insert(new CDataField("Bare", 0, 0, 0, 1, 0, nullptr));
    char** ppStrings = ToStoredStrings(&list);
    EXPECT_STREQ(ppStrings[0], "Bare 0 0 0 1 0 0 0 0 0 NULL NULL ");
    FreeStrings(ppStrings);

    // Found by fuzzing: empty texts, as a damaged string gives them, are
    // stored as the word for none, so that the words after them keep their
    // places.
    CDataFieldList empty;
    empty.Insert(new CDataField(
        "Empty", 0, 0, 0, 1, 0,
        new CSampleExtent(0, 2, 2, 1, nullptr, DuplicateText(""), DuplicateText(""))));
    ppStrings = ToStoredStrings(&empty);
    EXPECT_STREQ(ppStrings[0], "Empty 0 0 0 1 0 0 2 2 1 NULL NULL ");
    FreeStrings(ppStrings);
}

TEST_F(StoredFields, DamagedStringsEndInADefinedResult) {
    SetCopyText("The quick brown fox jumps over the lazy dog");
    std::mt19937 random(7);
    const std::string strGood = "City 0 0 0 1 0 4 9 5 1 CRLF USA ";
    std::vector<std::string> damaged = {"",
                                        " ",
                                        "OnlyAName",
                                        "N 1 2",
                                        "N x y z",
                                        "N 99999999999999999999 -99999999999999999999 0 0 0",
                                        std::string(5000, 'Z'),
                                        "N 0 0 0 1 0 2147483647 -2147483648 0 0 A B "};
    for (int i = 0; i < 300; ++i) {
        std::string strText = strGood.substr(0, random() % (strGood.size() + 1));
        for (int j = 0; j < 3 && !strText.empty(); ++j) {
            strText[random() % strText.size()] = static_cast<char>(random() % 256);
        }
        damaged.push_back(strText);
    }
    for (const std::string& strText : damaged) {
        Load({strText});
        ASSERT_NE(loaded, nullptr);
        EXPECT_EQ(loaded->Count(), 1);
    }
}

} // namespace
