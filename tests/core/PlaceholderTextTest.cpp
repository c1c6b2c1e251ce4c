#include "core/PlaceholderText.h"
#include "core/NamedObject.h"
#include "core/OwnedText.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

class PlaceholderText : public ::testing::Test {
  protected:
    void SetUp() override { pObject = NewNamedObject(); }
    void TearDown() override {
        FreeNamedObject(pObject);
        delete[] pLastObject;
        delete[] pLastField;
    }
    int Read(char** ppStrings) {
        return ReadPlaceholderObject(ppStrings, pObject, pLastObject, pLastField);
    }
    CNamedObject* pObject = nullptr;
    char* pLastObject = nullptr;
    char* pLastField = nullptr;
};

TEST_F(PlaceholderText, PriceAreaHeader) {
    pObject->pArea->strName = "Price";
    SetBounds(72, 144, 216, 36, pObject);
    EXPECT_EQ(ComposePlaceholderText(*pObject->pArea),
              "%!PS-Adobe-2.0 EPSF-2.0\n"
              "%%BoundingBox: 72.000000 144.000000 288.000000 180.000000\n"
              "%%Title: Price\n"
              "%%Author: NEB Variable Data Support\n"
              "%%Creator: NEB Variable Data Object\n");
}

TEST_F(PlaceholderText, NegativePositionsKeepTheirSign) {
    pObject->pArea->strName = "Bleed";
    SetBounds(-9, -4.5f, 20, 10, pObject);
    std::string strText = ComposePlaceholderText(*pObject->pArea);
    EXPECT_NE(strText.find("%%BoundingBox: -9.000000 -4.500000 11.000000 5.500000\n"),
              std::string::npos)
        << strText;
}

TEST_F(PlaceholderText, LongNameIsCutSoTheTextFitsTheBlock) {
    pObject->pArea->strName = std::string(2000, 'N').c_str();
    std::string strText = ComposePlaceholderText(*pObject->pArea);
    EXPECT_EQ(strText.size(), 1023u);
    EXPECT_EQ(strText.substr(strText.size() - 3), "NNN");
}

TEST_F(PlaceholderText, ComposedStringsCutIntoAreaAndDataField) {
    pObject->pArea->strName = "Price";
    pObject->pArea->nKind = KindGraphic;
    strcpy(pObject->szDataField, "Amount");
    char szBuffer[1024];
    ASSERT_EQ(ComposeStoredStrings(szBuffer, sizeof szBuffer, pObject), 1);
    EXPECT_STREQ(szBuffer, "%%NEBVArea: Price Is Graphic ScaleToFit On \"\" 1 At 0 0 For 100 "
                           "100\n%%NEBVData: Amount\n");
    std::string strArea, strField;
    ASSERT_TRUE(CutStoredStrings(szBuffer, strArea, strField));
    EXPECT_EQ(strArea, "Price Is Graphic ScaleToFit On \"\" 1 At 0 0 For 100 100");
    EXPECT_EQ(strField, "Amount");

    pObject->szDataField[0] = '\0';
    ASSERT_EQ(ComposeStoredStrings(szBuffer, sizeof szBuffer, pObject), 1);
    EXPECT_NE(strstr(szBuffer, "%%NEBVData: \n"), nullptr) << "an empty data field name";
    ASSERT_TRUE(CutStoredStrings(szBuffer, strArea, strField));
    EXPECT_EQ(strField, "");

    // Found by fuzzing: a file name holding the data prefix stays in the area.
    SetFileAndPage("a %%NEBVData: b.ps", "2", pObject);
    strcpy(pObject->szDataField, "Amount");
    ASSERT_EQ(ComposeStoredStrings(szBuffer, sizeof szBuffer, pObject), 1);
    ASSERT_TRUE(CutStoredStrings(szBuffer, strArea, strField));
    EXPECT_EQ(strArea,
              "Price Is Graphic ScaleToFit On \"a %%NEBVData: b.ps\" 2 At 0 0 For 100 100");
    EXPECT_EQ(strField, "Amount");
}

TEST_F(PlaceholderText, TextAreaOfTheLongestJobPathReadsBack) {
    // The Job Files dialog takes paths of up to 255 characters; the stored
    // area line then runs well past the document definition's line limit.
    std::string strPath = "c:\\" + std::string(247, 'd') + "\\a.ps";
    ASSERT_EQ(strPath.size(), 255u);
    pObject->pArea->strName = "Price";
    SetTextAttributes(6, "Helvetica-BoldOblique", 650, 780, -1, -1, pObject);
    SetColor(0.125f, 0.5f, 0.75f, 1, pObject);
    SetBounds(1234.5f, 2345.25f, 345.5f, 456.75f, pObject);
    SetFileAndPage(strPath.c_str(), "32767", pObject);
    strcpy(pObject->szDataField, "Amount");
    char szBuffer[PlaceholderBlockSize];
    ASSERT_EQ(ComposeStoredStrings(szBuffer, sizeof szBuffer, pObject), 1);
    std::string strArea, strField;
    ASSERT_TRUE(CutStoredStrings(szBuffer, strArea, strField));
    EXPECT_GT(strArea.size(), 254u);
    char* apStrings[] = {&strArea[0], &strField[0], nullptr};
    CNamedObject* pRead = NewNamedObject();
    EXPECT_EQ(ReadPlaceholderObject(apStrings, pRead, pLastObject, pLastField), 1);
    EXPECT_STREQ(pRead->pArea->strFile.Text(), strPath.c_str());
    EXPECT_STREQ(pRead->pArea->strName.Text(), "Price");
    EXPECT_STREQ(pRead->szDataField, "Amount");
    EXPECT_EQ(pRead->pArea->fTop, 2345.25f);
    FreeNamedObject(pRead);
}

TEST_F(PlaceholderText, StoredFormThatDoesNotFitIsReported) {
    pObject->pArea->strName = "Price";
    char szBuffer[40];
    EXPECT_EQ(ComposeStoredStrings(szBuffer, sizeof szBuffer, pObject), 0);
    EXPECT_LT(strlen(szBuffer), sizeof szBuffer);
    EXPECT_EQ(strstr(szBuffer, "%%NEBVData"), nullptr);
    std::string strArea, strField;
    EXPECT_FALSE(CutStoredStrings(szBuffer, strArea, strField));

    // Found by fuzzing: an area that fits with a data line that does not was
    // reported as stored, the data field name cut.
    std::string strArea1 =
        "%%NEBVArea: Price Is Text Left Flow Font Times-Roman Size 12 Spacing 14 "
        "CMYK 0 0 0 1 On \"\" 1 At 0 0 For 100 100 FirstPos -1 -1\n";
    strcpy(pObject->szDataField, "Amount");
    std::vector<char> buffer(strArea1.size() + strlen("%%NEBVData: Amount\n") + 1);
    EXPECT_EQ(ComposeStoredStrings(buffer.data(), buffer.size(), pObject), 1) << "just fits";
    EXPECT_EQ(ComposeStoredStrings(buffer.data(), buffer.size() - 1, pObject), 0);
}

TEST_F(PlaceholderText, ReadBackRestoresTheObjectAndTheLastNames) {
    std::string strArea = "Logo Is Graphic ScaleAndTrim 1 1 0 0 On \"c:\\a.ps\" 2 At 1 2 For 3 4";
    std::string strField = "Picture";
    char* apStrings[] = {&strArea[0], &strField[0], nullptr};
    ASSERT_EQ(Read(apStrings), 1);
    EXPECT_STREQ(pObject->pArea->strName.Text(), "Logo");
    EXPECT_EQ(pObject->pArea->nPlacement, PlaceScaleAndTrim);
    EXPECT_STREQ(pObject->szDataField, "Picture");
    EXPECT_STREQ(pLastObject, "Logo");
    EXPECT_STREQ(pLastField, "Picture");

    std::string strBox = "%%BoundingBox: 0 0 1 1";
    char* apBox[] = {&strArea[0], &strBox[0], nullptr};
    ASSERT_EQ(Read(apBox), 1);
    EXPECT_STREQ(pObject->szDataField, "");
    EXPECT_EQ(pLastField, nullptr);

    std::string strSingle = "%BoundingBox";
    char* apSingle[] = {&strArea[0], &strSingle[0], nullptr};
    ASSERT_EQ(Read(apSingle), 1);
    EXPECT_STREQ(pObject->szDataField, "%BoundingBox") << "one percent sign is a name";

    std::string strLong(70, 'F');
    char* apLong[] = {&strArea[0], &strLong[0], nullptr};
    ASSERT_EQ(Read(apLong), 1);
    EXPECT_EQ(strlen(pObject->szDataField), 49u);

    char* apAlone[] = {&strArea[0], nullptr};
    ASSERT_EQ(Read(apAlone), 1);
    EXPECT_STREQ(pObject->szDataField, "") << "no second string: no data field";
}

TEST_F(PlaceholderText, UnparsableStoredFormTouchesNothing) {
    strcpy(pObject->szDataField, "Kept");
    pLastObject = DuplicateText("Before");
    std::string strBad = "Logo Was Graphic";
    std::string strField = "Other";
    char* apStrings[] = {&strBad[0], &strField[0], nullptr};
    EXPECT_EQ(Read(apStrings), 0);
    EXPECT_STREQ(pObject->szDataField, "Kept");
    EXPECT_STREQ(pLastObject, "Before");
    EXPECT_EQ(pLastField, nullptr);
}

TEST(JoinFontNameWords, BlanksAfterTheFirstCharacterBecomeHyphens) {
    std::string strName = "Times New Roman";
    JoinFontNameWords(strName);
    EXPECT_EQ(strName, "Times-New-Roman");
    strName = " Lead";
    JoinFontNameWords(strName);
    EXPECT_EQ(strName, " Lead");
    strName = "";
    JoinFontNameWords(strName);
    EXPECT_EQ(strName, "");
}

} // namespace
