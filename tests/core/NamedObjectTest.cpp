#include "core/NamedObject.h"
#include "core/DataFieldList.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class NamedObjectTest : public ::testing::Test {
  protected:
    void TearDown() override { FreeNamedObject(pObject); }
    CNamedObject* pObject = NewNamedObject();
};

TEST_F(NamedObjectTest, NewObjectHasEveryDefault) {
    const CAreaDefinition& area = *pObject->pArea;
    EXPECT_STREQ(area.strName.Text(), "");
    EXPECT_EQ(area.nKind, KindText);
    EXPECT_EQ(area.nAlignment, 4) << "Left Flow";
    EXPECT_STREQ(area.strFont.Text(), "Times-Roman");
    EXPECT_EQ(area.fSize, 12.0f);
    EXPECT_EQ(area.fSpacing, 14.0f);
    EXPECT_EQ(area.fFirstPosX, -1.0f);
    EXPECT_EQ(area.fFirstPosY, -1.0f);
    EXPECT_EQ(area.fCyan, 0.0f);
    EXPECT_EQ(area.fMagenta, 0.0f);
    EXPECT_EQ(area.fYellow, 0.0f);
    EXPECT_EQ(area.fBlack, 1.0f);
    EXPECT_EQ(area.nPlacement, PlaceScaleToFit);
    EXPECT_EQ(area.fTrim0, 0.0f);
    EXPECT_EQ(area.fTrim1, 0.0f);
    EXPECT_EQ(area.fTrim2, 1.0f);
    EXPECT_EQ(area.fTrim3, 1.0f);
    EXPECT_STREQ(area.strFile.Text(), "");
    EXPECT_STREQ(area.strPage.Text(), "1");
    float fLeft, fTop, fWidth, fHeight;
    GetBounds(fLeft, fTop, fWidth, fHeight, pObject);
    EXPECT_EQ(fLeft, 0.0f);
    EXPECT_EQ(fTop, 0.0f);
    EXPECT_EQ(fWidth, 100.0f);
    EXPECT_EQ(fHeight, 100.0f);
    EXPECT_STREQ(pObject->szDataField, "");
}

TEST_F(NamedObjectTest, TextAttributesSkipWhatIsNotGiven) {
    SetTextAttributes(0, nullptr, -1, -1, -1, -1, pObject);
    CAreaDefinition defaults;
    EXPECT_EQ(pObject->pArea->nAlignment, defaults.nAlignment);
    EXPECT_STREQ(pObject->pArea->strFont.Text(), "Times-Roman");
    EXPECT_EQ(pObject->pArea->fSize, 12.0f);
    EXPECT_EQ(pObject->pArea->fSpacing, 14.0f);
    EXPECT_EQ(pObject->pArea->fFirstPosX, -1.0f);

    SetTextAttributes(-2, "", 0, 14.4f, 3, 4, pObject);
    EXPECT_EQ(pObject->pArea->nAlignment, 4) << "-2 is not above 0";
    EXPECT_STREQ(pObject->pArea->strFont.Text(), "") << "an empty font is still a font";
    EXPECT_EQ(pObject->pArea->fSize, 0.0f) << "a size of 0 is stored";
    EXPECT_EQ(pObject->pArea->fSpacing, 14.4f);
    EXPECT_EQ(pObject->pArea->fFirstPosX, 3.0f);
    EXPECT_EQ(pObject->pArea->fFirstPosY, 4.0f);

    SetTextAttributes(3, "Helvetica-Bold", 10, -0.5f, -1, -1, pObject);
    EXPECT_EQ(pObject->pArea->nAlignment, 3);
    EXPECT_STREQ(pObject->pArea->strFont.Text(), "Helvetica-Bold");
    EXPECT_EQ(pObject->pArea->fSpacing, 14.4f);
}

TEST_F(NamedObjectTest, GraphicColourBoundsFileAndPage) {
    SetGraphic(5, pObject);
    EXPECT_EQ(pObject->pArea->nKind, KindGraphic);
    EXPECT_EQ(IsGraphic(pObject), 1);
    SetGraphic(0, pObject);
    EXPECT_EQ(IsGraphic(pObject), 0);
    SetColor(0.1f, 0.2f, 0.3f, 0.4f, pObject);
    EXPECT_EQ(pObject->pArea->fMagenta, 0.2f);
    EXPECT_EQ(pObject->pArea->fBlack, 0.4f);
    SetBounds(18, 36, 200.5f, 50, pObject);
    float fLeft, fTop, fWidth, fHeight;
    GetBounds(fLeft, fTop, fWidth, fHeight, pObject);
    EXPECT_EQ(fLeft, 18.0f);
    EXPECT_EQ(fTop, 36.0f);
    EXPECT_EQ(fWidth, 200.5f);
    EXPECT_EQ(fHeight, 50.0f);
    SetFileAndPage("c:\\jobs\\card.ps", "2", pObject);
    EXPECT_STREQ(pObject->pArea->strFile.Text(), "c:\\jobs\\card.ps");
    EXPECT_STREQ(pObject->pArea->strPage.Text(), "2");
}

TEST_F(NamedObjectTest, AreaNameIsCutToTheBuffer) {
    pObject->pArea->strName = "AVeryLongAreaNameOfMoreThanThirtyOneCharacters";
    char szName[32];
    memset(szName, 'x', sizeof szName);
    GetAreaName(szName, sizeof szName, pObject);
    EXPECT_STREQ(szName, "AVeryLongAreaNameOfMoreThanThir");
    EXPECT_EQ(strlen(szName), 31u);
}

TEST_F(NamedObjectTest, DataFieldExistsNeedsTheList) {
    EXPECT_EQ(DataFieldExists(nullptr, "City"), 0);
    CDataFieldList fields;
    fields.Insert(new CDataField("City", 0, 0, 0, 1, 0, nullptr));
    EXPECT_EQ(DataFieldExists(&fields, "City"), 1);
    EXPECT_EQ(DataFieldExists(&fields, "city"), 0) << "case counts";
    EXPECT_EQ(DataFieldExists(&fields, ""), 0);
}

} // namespace
