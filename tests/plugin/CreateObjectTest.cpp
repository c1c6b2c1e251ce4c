// Command 1 through real windows: the selected object read from the host, the
// Named Object dialog's checks, and the placeholder that replaces the object.
#include "core/OwnedText.h"
#include "core/StringIds.h"
#include "host/StandInHost.h"
#include "host/UiDriver.h"
#include "plugin/WorkingState.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/fonts/FontMap.h"
#include "plugin/fonts/FontMapState.h"
#include "plugin/objects/CreateObjectCommand.h"
#include "plugin/objects/ObjectState.h"
#include "tests/FieldDialogSteps.h"
#include "tests/PageObjects.h"
#include "tests/TestFiles.h"
#include "tests/plugin/HelpReadBack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using PageObjects::StringOf;

using namespace FieldDialogSteps;

const char* const FontMap = "Times-New-Roman Times-Roman\nTimes-New-Roman-Bold Times-Bold\n"
                            "Arial Helvetica\n";

CDataField* Field(const char* pName, int32_t nType) {
    return new CDataField(pName, UnitsLines, LengthCount, nType, 1, 0,
                          new CSampleExtent(0, 4, 4, 1, DuplicateText("name"),
                                            DuplicateText("CRLF"), DuplicateText("NULL")));
}

CDialogActions Entries(const ControlTexts& texts, int nButton = IDOK, bool bStays = false) {
    CDialogActions actions = Button(nButton, bStays);
    actions.texts = texts;
    return actions;
}

class CreateObject : public ::testing::Test {
  protected:
    CWorkingState state;
    CNamedObjectParts Parts() {
        return {state.objects, state.fields, state.sample, state.fontMap, state.jobFiles};
    }
    void SetUp() override {
        state.objects.nEpsClipboardFormat = RegisterClipboardFormatA("Encapsulated PostScript");
        ASSERT_TRUE(LoadFontMap(state.fontMap, files.Write("objects.vda", FontMap).c_str()));
        CPublication& pub = host.Publication();
        pub.strPath = "C:\\Jobs\\Card.pub";
        pub.pages.resize(1);
        CHostObject block =
            PageObjects::TextBlock(5, 1, {1440, 2880, 5760, 3600}, "Times New Roman", 110, -1, 2);
        pub.pages[0].objects = {block, HostObject(6, 2, 5)};
        pub.pages[0].objects[1].anBounds[2] = 2880;
        pub.nSelectedId = 5;
        state.fields.pList = new CDataFieldList;
        state.fields.pList->Insert(Field("Name", TypeText));
        state.fields.pList->Insert(Field("Photo", TypeEps));
    }
    void TearDown() override { state.Release(); }

    void Run(CUiDriver& driver) {
        driver.Start();
        EXPECT_EQ(CreateVariableDataObject(host.Block(), Parts()), StatusOk);
        EXPECT_TRUE(driver.Finish()) << driver.Error();
    }

    // Command 1 with a name that is taken (refused, the message answered),
    // then a free one.
    void NameTakenThenFree(CUiDriver& driver, const char* pTaken, const char* pFree) {
        CDialogActions taken = Entries({{IDC_OBJECT_NAME, pTaken}}, IDOK, true);
        taken.picks = {{IDC_DATA_FIELD, 0}};
        driver.UseDialog(taken);
        driver.PressOnMessageBox(IDOK);
        driver.UseDialog(Entries({{IDC_OBJECT_NAME, pFree}}));
        Run(driver);
    }

    // The placeholder object the host made, or null.
    const CHostObject* Pasted() { return PageObjects::FirstPlaceholder(host.Publication()); }
    // A stored string of that placeholder, or a text saying there is none.
    std::string PastedString(int32_t nIndex) {
        const CHostObject* pPasted = Pasted();
        return pPasted != nullptr ? StringOf(*pPasted, nIndex) : "(no placeholder)";
    }

    CStandInHost host;
    CTestFiles files;
};

TEST_F(CreateObject, TextBlockBecomesANamedObjectAndItsPlaceholder) {
    CUiDriver driver;
    driver.UseDialog(Look());
    CDialogActions named = Entries({{IDC_OBJECT_NAME, "Title"}});
    named.picks = {{IDC_DATA_FIELD, 0}};
    driver.UseDialog(named);
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 2u);
    const CSeenWindow& opened = driver.Seen()[0];
    EXPECT_EQ(opened.strCaption, "Named Object");
    EXPECT_EQ(opened.Control(IDC_FONT).entries,
              (std::vector<std::string>{"Helvetica", "Times-Bold", "Times-Roman"}));
    EXPECT_EQ(opened.Control(IDC_FONT).strText, "Times-Bold") << "bold joined and mapped";
    EXPECT_EQ(opened.Control(IDC_FONT_SIZE).strText, "11");
    EXPECT_EQ(opened.Control(IDC_LEADING).strText, "13.2") << "automatic: 120 per cent";
    EXPECT_EQ(opened.Control(IDC_ALIGNMENT).entries,
              (std::vector<std::string>{"Left", "Right", "Center", "Justify"}));
    EXPECT_EQ(opened.Control(IDC_ALIGNMENT).strText, "Left");
    EXPECT_EQ(opened.Control(IDC_FLOW).nCheck, 1)
        << "the host's alignment 0 leaves a new object's Left Flow";
    EXPECT_EQ(opened.Control(IDC_CYAN).strText, "0.0");
    EXPECT_EQ(opened.Control(IDC_BLACK).strText, "100.0");
    EXPECT_FALSE(opened.Control(IDC_PLACEMENT).bEnabled);
    EXPECT_EQ(opened.Control(IDC_DATA_FIELD).entries, (std::vector<std::string>{"Name", "Photo"}));

    const CHostObject* pPasted = Pasted();
    ASSERT_NE(pPasted, nullptr);
    EXPECT_EQ(StringOf(*pPasted, 1), "Title");
    EXPECT_EQ(StringOf(*pPasted, 101), "Name");
    EXPECT_EQ(StringOf(*pPasted, 100),
              "Title Is Text Left Flow Font Times-Bold Size 11 Spacing 13.2 CMYK 0 0 0 1 On "
              "\"c:\\jobs\\card.ps\" 1 At 72 144 For 216 36 FirstPos -1 -1");
    EXPECT_EQ(pPasted->strEps.substr(0, 80),
              std::string("%!PS-Adobe-2.0 EPSF-2.0\n%%BoundingBox: 72.000000 144.000000 "
                          "288.000000 180.000000\n")
                  .substr(0, 80));
    EXPECT_STREQ(state.objects.pLastName, "Title");
    EXPECT_TRUE(state.objects.pNames->Contains("Title"));
}

// The object name at its limit: 30 characters are taken, a 31st cannot be
// typed; a name that would begin a comment or a section line is refused.
TEST_F(CreateObject, ObjectNameOfThirtyCharactersAndNamesTheJobCannotCarry) {
    CUiDriver driver;
    driver.UseDialog(Look());
    driver.UseDialog(Entries({{IDC_OBJECT_NAME, ";Title"}}, IDOK, true));
    driver.PressOnMessageBox(IDOK);
    CDialogActions typed = Entries({{IDC_OBJECT_NAME, ""}});
    typed.typed = {{IDC_OBJECT_NAME, std::string(30, 'T') + "X"}};
    typed.picks = {{IDC_DATA_FIELD, 0}};
    driver.UseDialog(typed);
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 4u);
    EXPECT_EQ(driver.Seen()[2].strText,
              "ZTM5001: Specify a valid name that does not contain spaces.");
    EXPECT_EQ(PastedString(1), std::string(30, 'T'));
}

TEST_F(CreateObject, SizeLeadingAndColourChecks) {
    CUiDriver driver;
    struct {
        int nId;
        const char* pText;
        const char* pMessage;
    } const refused[] = {
        {IDC_FONT_SIZE, "3.9", "ZTM5013"},   {IDC_FONT_SIZE, "650.5", "ZTM5013"},
        {IDC_FONT_SIZE, "12,5", "ZTM5013"},  {IDC_FONT_SIZE, " 12", "ZTM5013"},
        {IDC_FONT_SIZE, "-5", "ZTM5013"},    {IDC_FONT_SIZE, "1e2", "ZTM5013"},
        {IDC_FONT_SIZE, "1.2.3", "ZTM5013"}, {IDC_FONT_SIZE, "", "ZTM5013"},
        {IDC_FONT_SIZE, ".", "ZTM5013"},     {IDC_LEADING, "0", "ZTM5007"},
        {IDC_LEADING, "0.0", "ZTM5007"},     {IDC_CYAN, "100.1", "ZTM5014"},
    };
    for (const auto& c : refused) {
        // Every other value valid, the one under test not.
        CDialogActions entries = Entries({{IDC_OBJECT_NAME, "Price"},
                                          {IDC_FONT_SIZE, "12"},
                                          {IDC_LEADING, "13.2"},
                                          {IDC_CYAN, "0"},
                                          {c.nId, c.pText}},
                                         IDOK, true);
        entries.picks = {{IDC_DATA_FIELD, 0}};
        driver.UseDialog(entries);
        driver.PressOnMessageBox(IDOK);
        driver.UseDialog(Look());
    }
    CDialogActions accepted = Entries(
        {{IDC_FONT_SIZE, "650"}, {IDC_CYAN, "100"}, {IDC_MAGENTA, "100.0"}, {IDC_YELLOW, "0"}});
    driver.UseDialog(accepted);
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 3 * (sizeof refused / sizeof refused[0]) + 1);
    for (size_t i = 0; i < sizeof refused / sizeof refused[0]; ++i) {
        SCOPED_TRACE(refused[i].pText);
        EXPECT_EQ(driver.Seen()[3 * i + 1].strText.substr(0, 7), refused[i].pMessage);
    }
    EXPECT_NE(PastedString(100).find("Size 650 Spacing 13.2 CMYK 1 1 0 1"), std::string::npos)
        << PastedString(100);
}

TEST_F(CreateObject, GraphicTakesOnlyEpsFieldsAndNoTextValues) {
    host.Publication().nSelectedId = 6;
    CUiDriver driver;
    CDialogActions text = Entries({{IDC_OBJECT_NAME, "Logo"}}, IDOK, true);
    text.picks = {{IDC_DATA_FIELD, 0}};
    driver.UseDialog(text);
    driver.PressOnMessageBox(IDOK);
    CDialogActions eps = Button(IDOK);
    eps.picks = {{IDC_DATA_FIELD, 1}};
    driver.UseDialog(eps);
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 3u);
    const CSeenWindow& opened = driver.Seen()[0];
    EXPECT_FALSE(opened.Control(IDC_FONT).bEnabled);
    EXPECT_FALSE(opened.Control(IDC_CYAN).bEnabled);
    EXPECT_TRUE(opened.Control(IDC_PLACEMENT).bEnabled);
    EXPECT_EQ(opened.Control(IDC_PLACEMENT).strText, "Scale to Fit");
    EXPECT_EQ(driver.Seen()[1].strText, "ZTM5046: Select a data field with an EPS field type.");
    EXPECT_EQ(PastedString(100),
              "Logo Is Graphic ScaleToFit On \"c:\\jobs\\card.ps\" 1 At 0 0 For 144 72");
    EXPECT_EQ(PastedString(101), "Photo");
}

TEST_F(CreateObject, RefusedKindsAreNamedThenThePointerToolIsAskedFor) {
    const struct {
        int16_t nKind;
        const char* pText;
    } cases[] = {
        {3, "ZTM5017: A line is not a valid variable data object.\nSelect a text or graphic "
            "object."},
        {12, "ZTM5023: A polygon is not a valid variable data object.\nSelect a text or graphic "
             "object."},
        {0, "ZTM5016: Select a text or graphic object.\nThe selected object is not supported."},
        {14, "ZTM5016: Select a text or graphic object.\nThe selected object is not supported."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nKind);
        host.Publication().pages[0].objects[1].nKind = c.nKind;
        host.Publication().nSelectedId = 6;
        CUiDriver driver;
        driver.PressOnMessageBox(IDOK);
        driver.PressOnMessageBox(IDOK);
        Run(driver);
        ASSERT_EQ(driver.Seen().size(), 2u);
        EXPECT_EQ(driver.Seen()[0].strText, c.pText);
        EXPECT_EQ(driver.Seen()[1].strText,
                  "ZTM5030: Use the pointer tool to select an object, then try again.");
        EXPECT_EQ(Pasted(), nullptr);
    }
}

TEST_F(CreateObject, StyleAboveSevenAndNoDataFieldNo) {
    host.Publication().pages[0].objects[0].text.nStyle = 9;
    host.Publication().pages[0].objects[0].text.nSize = 120;
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK); // ZTM5031
    CDialogActions named = Entries({{IDC_OBJECT_NAME, "Plain"}}, IDOK, true);
    driver.UseDialog(named);
    driver.PressOnMessageBox(IDNO);
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 3u);
    EXPECT_EQ(driver.Seen()[0].strText.substr(0, 8), "ZTM5031:");
    EXPECT_EQ(driver.Seen()[1].Control(IDC_FONT).strText, "Times-Roman") << "no suffix";
    EXPECT_EQ(driver.Seen()[2].strText.substr(0, 8), "ZTM5005:");
    EXPECT_EQ(PastedString(101), "") << "No: no data field";
    EXPECT_NE(PastedString(100).find("Size 12 Spacing 14.4"), std::string::npos)
        << PastedString(100);
}

TEST_F(CreateObject, ObjectNamesAreUniqueAndAnUnchangedNameMovesToTheEnd) {
    state.objects.pNames = new CStringList;
    state.objects.pNames->Add("Other");
    CUiDriver driver;
    NameTakenThenFree(driver, "Other", "Mine");
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5006: Specify a unique name for this object.\nThe name you entered already "
              "exists.");
    ASSERT_EQ(state.objects.pNames->Count(), 2u);
    EXPECT_STREQ(state.objects.pNames->At(1), "Mine");

    // The placeholder made, opened again and confirmed with its name: no
    // question, and the name is listed once, last.
    state.objects.pNames->Add("Third");
    host.Publication().nSelectedId = Pasted()->nId;
    CUiDriver again;
    again.UseDialog(Look());
    again.UseDialog(Button(IDOK));
    Run(again);
    const CSeenWindow& reopened = again.Seen()[0];
    EXPECT_EQ(reopened.Control(IDC_OBJECT_NAME).strText, "Mine") << "the stored name";
    EXPECT_EQ(reopened.Control(IDC_FONT).strText, "Times-Bold");
    EXPECT_EQ(reopened.Control(IDC_LEADING).strText, "13.2");
    EXPECT_EQ(reopened.Control(IDC_DATA_FIELD).strText, "Name") << "the stored field";
    ASSERT_EQ(state.objects.pNames->Count(), 3u);
    EXPECT_STREQ(state.objects.pNames->At(2), "Mine");
}

TEST_F(CreateObject, NamesTheHostCouldNotListAreLearntFromThePages) {
    // A placeholder on page 2 whose name start-up could not list (as in a
    // catalogue, whose list does not fit one reply).
    CPublication& pub = host.Publication();
    pub.pages.resize(2);
    pub.pages[1].objects = {HostObject(7, 1, 11, {{"NEB ", "VDAT", 1, "Other", false}}),
                            HostObject(8, 2, 11)};
    state.objects.bNamesUnread = true;
    CUiDriver driver;
    NameTakenThenFree(driver, "Other", "Mine");
    ASSERT_EQ(driver.Seen().size(), 3u);
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5006: Specify a unique name for this object.\nThe name you entered already "
              "exists.");
    EXPECT_FALSE(state.objects.bNamesUnread) << "learnt once";
    ASSERT_EQ(state.objects.pNames->Count(), 2u);
    EXPECT_STREQ(state.objects.pNames->At(0), "Other");
    EXPECT_STREQ(state.objects.pNames->At(1), "Mine");
    // The walk left the page and the selection as they were: the text block
    // of page 1 became the placeholder.
    EXPECT_EQ(pub.nCurrentPage, 1);
    const CHostObject* pPasted = PageObjects::FirstPlaceholder(pub);
    ASSERT_NE(pPasted, nullptr);
    EXPECT_EQ(StringOf(*pPasted, 1), "Mine");
}

TEST_F(CreateObject, UnmappedFontIsReportedAndMustBePicked) {
    host.Publication().pages[0].objects[0].text.strFont = "Futura";
    // A mapping that does not list the font used in its place either.
    delete[] state.fontMap.pText;
    state.fontMap.pText = nullptr;
    ASSERT_TRUE(LoadFontMap(state.fontMap,
                            files.Write("times.vda", "Times-New-Roman Times-Roman\n").c_str()));
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    CDialogActions named = Entries({{IDC_OBJECT_NAME, "Title"}}, IDOK, true);
    named.picks = {{IDC_DATA_FIELD, 0}};
    driver.UseDialog(named);
    driver.PressOnMessageBox(IDOK);
    CDialogActions picked = Button(IDOK);
    picked.picks = {{IDC_FONT, 0}};
    driver.UseDialog(picked);
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 4u);
    EXPECT_EQ(driver.Seen()[0].strText.substr(0, 8), "ZTM5004:");
    EXPECT_EQ(driver.Seen()[1].Control(IDC_FONT).nSelected, -1)
        << "Helvetica is not in the list: nothing selected";
    EXPECT_EQ(driver.Seen()[2].strText, "ZTM5008: Select a font for the text.");
    ASSERT_NE(Pasted(), nullptr);
    EXPECT_NE(StringOf(*Pasted(), 100).find("Font Times-Roman "), std::string::npos);
}

TEST_F(CreateObject, NoFontMapEndsTheDialogAtOnce) {
    state.Release();
    state.fields.pList = new CDataFieldList;
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].strText.substr(0, 8), "ZTM5002:");
    EXPECT_EQ(Pasted(), nullptr);
}

TEST_F(CreateObject, RemovedLastFieldSelectsByPrefixOrNothing) {
    state.fields.pLastName = DuplicateText("Pho");
    CUiDriver driver;
    driver.UseDialog(Button(IDCANCEL));
    Run(driver);
    EXPECT_EQ(driver.Seen()[0].Control(IDC_DATA_FIELD).strText, "Photo") << "by prefix";
    ReplaceOwnedText(state.fields.pLastName, "Gone");
    CUiDriver none;
    none.UseDialog(Button(IDCANCEL));
    Run(none);
    EXPECT_EQ(none.Seen()[0].Control(IDC_DATA_FIELD).nSelected, -1);
    EXPECT_EQ(Pasted(), nullptr) << "Cancel changes nothing on the page";
    EXPECT_EQ(host.Publication().pages[0].objects.size(), 2u);
}

TEST_F(CreateObject, RotatedPictureGetsItsUprightBoxAndThePlaceholderItsCorner) {
    CHostObject& picture = host.Publication().pages[0].objects[1];
    picture.bRotated = true;
    // A square of 1440 twips turned by 45 degrees around (2880, 2880).
    const int32_t anCorners[8] = {2880, 1862, 3898, 2880, 2880, 3898, 1862, 2880};
    memcpy(picture.anCorners, anCorners, sizeof anCorners);
    host.Publication().nSelectedId = 6;
    CUiDriver driver;
    CDialogActions named = Entries({{IDC_OBJECT_NAME, "Turned"}});
    named.picks = {{IDC_DATA_FIELD, 1}};
    driver.UseDialog(named);
    Run(driver);
    const CHostObject* pPasted = Pasted();
    ASSERT_NE(pPasted, nullptr);
    EXPECT_EQ(StringOf(*pPasted, 100), "Turned Is Graphic ScaleToFit On \"c:\\jobs\\card.ps\" "
                                       "1 At 93.1 93.1 For 101.8 101.8");
    EXPECT_EQ(pPasted->anBounds[0], 1862) << "moved to the upright box's left";
    EXPECT_EQ(pPasted->anBounds[1], 1862);
}

TEST_F(CreateObject, PlaceholderWithoutStringsIsANewGraphic) {
    CHostObject& bare = host.Publication().pages[0].objects[1];
    bare.nKind = 11;
    host.Publication().nSelectedId = 6;
    CUiDriver driver;
    driver.UseDialog(Button(IDCANCEL));
    Run(driver);
    EXPECT_EQ(driver.Seen()[0].Control(IDC_OBJECT_NAME).strText, "");
    EXPECT_TRUE(driver.Seen()[0].Control(IDC_PLACEMENT).bEnabled) << "a graphic";
}

TEST_F(CreateObject, AttributesTheHostCannotTellAreReported) {
    const struct {
        uint16_t nRequest;
        const char* pText;
    } cases[] = {
        {3803, "ZTM5020: Cannot determine the font size.\nA default value will be used."},
        {2001, "ZTM5022"},
        {3910, "ZTM5024"},
        {2201, "ZTM5025"},
        {2202, "ZTM5025"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nRequest);
        host.ClearScript();
        host.FailRequest(c.nRequest);
        CUiDriver driver;
        driver.PressOnMessageBox(IDOK);
        driver.UseDialog(Button(IDCANCEL));
        Run(driver);
        ASSERT_EQ(driver.Seen().size(), 2u);
        EXPECT_EQ(driver.Seen()[0].strText.substr(0, strlen(c.pText)), c.pText);
        EXPECT_EQ(driver.Seen()[0].strIcon, "exclamation");
    }
    host.ClearScript();
    host.Publication().pages[0].objects[0].text.strColor = std::string(128, 'C');
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.UseDialog(Button(IDCANCEL));
    Run(driver);
    EXPECT_EQ(driver.Seen()[0].strText,
              "ZTM5029: Cannot determine the color of the text.\nBlack will be used.");
    EXPECT_EQ(driver.Seen()[0].strIcon, "information");
    EXPECT_EQ(driver.Seen()[1].Control(IDC_BLACK).strText, "100.0");
}

TEST_F(CreateObject, HelpOfTheNamedObjectDialog) {
    CHelpReadBack help;
    CUiDriver driver;
    CDialogActions actions = Button(IDCANCEL);
    actions.helpKeys = {IDC_OBJECT_NAME, IDC_FONT,          IDC_FLOW,
                        IDC_DATA_FIELD,  IDC_DEFINE_FIELDS, IDOK};
    actions.clicks = {IDC_HELP_BUTTON};
    driver.UseDialog(actions);
    Run(driver);
    EXPECT_EQ(help.Requests(),
              (std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXTPOPUP, 0x50000 + 1051},
                                                       {HELP_CONTEXTPOPUP, 0x50000 + 1067},
                                                       {HELP_CONTEXTPOPUP, 0x50000 + 1000},
                                                       {HELP_CONTEXTPOPUP, 0x50000 + 1081},
                                                       {HELP_CONTEXTPOPUP, 0x50000 + 1006},
                                                       {HELP_CONTEXT, 131215},
                                                       {HELP_CONTEXT, 131215}}));
    ASSERT_EQ(help.Shown().size(), 7u);
    EXPECT_EQ(help.Shown()[1].strShown,
              "The PostScript font the variable text is set in, from the font mapping file.");
    EXPECT_EQ(help.Shown()[6].strShown, "NEB Variable Data Help - Named Object dialog");
}

TEST_F(CreateObject, DefineFieldsOpensTheFieldsDialogAndTheListFollows) {
    std::string strSample = files.Write("objects-sample.txt", "Jane\r\n12 Oak Road\r\n");
    CharLowerA(&strSample[0]);
    state.sample.SetFileName(strSample.c_str());
    state.sample.SetCopyStart(0);
    state.sample.SetCopyEnd(20);
    CUiDriver driver;
    driver.UseDialog(Button(IDC_DEFINE_FIELDS, true));
    driver.UseDialog(SelectAnd(6, 16, IDC_ADD_FIELD));
    driver.UseDialog(Named("Street"));
    driver.UseDialog(Button(IDC_CLOSE));
    driver.UseDialog(Look());
    driver.UseDialog(Button(IDCANCEL));
    Run(driver);
    ASSERT_EQ(driver.Seen().size(), 6u);
    const CSeenControl& fields = driver.Seen()[4].Control(IDC_DATA_FIELD);
    EXPECT_EQ(fields.entries, (std::vector<std::string>{"Name", "Photo", "Street"}));
    EXPECT_EQ(fields.strText, "Street") << "the field named last is chosen";
}

} // namespace
