// The three field dialogs through real windows: selections made into data
// fields, their names checked, the copy chosen, and what each leaves behind.
#include "core/OwnedText.h"
#include "core/StringIds.h"
#include "host/UiDriver.h"
#include "plugin/WorkingState.h"
#include "plugin/fields/DefineFieldsDialog.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/fields/SelectCopyDialog.h"
#include "tests/FieldDialogSteps.h"
#include "tests/TestFiles.h"
#include "tests/plugin/HelpReadBack.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

namespace {

// Two lines, A B blank C D and E F, each ended by CR LF.
const char* const ElevenBytes = "AB CD\r\nEF\r\n";

using namespace FieldDialogSteps;

CDataField* Field(const char* pName, int32_t nStart, int32_t nEnd) {
    return new CDataField(pName, UnitsCharacters, LengthCount, TypeText, 1, 0,
                          new CSampleExtent(nStart, nEnd, nEnd - nStart, 1, DuplicateText("x"),
                                            DuplicateText("CRLF"), DuplicateText("NULL")));
}

class FieldDialogs : public ::testing::Test {
  protected:
    CWorkingState state;
    void SetUp() override {}
    void TearDown() override { state.Release(); }

    // A remembered sample file with the copy at the offsets.
    std::string UseSample(const std::string& strBytes, int nStart, int nEnd) {
        std::string strPath = files.Write("fields-sample.txt", strBytes);
        CharLowerA(&strPath[0]);
        state.sample.SetFileName(strPath.c_str());
        state.sample.SetCopyStart(nStart);
        state.sample.SetCopyEnd(nEnd);
        return strPath;
    }

    // The state's list, holding the fields.
    void UseFields(std::initializer_list<CDataField*> fields) {
        state.fields.pList = new CDataFieldList;
        for (CDataField* pField : fields) {
            state.fields.pList->Insert(pField);
        }
    }

    bool RunDefine(CUiDriver& driver) {
        driver.Start();
        bool bClosed =
            RunDefineFieldsDialog(nullptr, state.fields, state.sample, state.jobFiles.pDocDefPath);
        EXPECT_TRUE(driver.Finish()) << driver.Error();
        return bClosed;
    }

    std::vector<std::string> FieldNames() {
        std::vector<std::string> names;
        if (state.fields.pList != nullptr) {
            state.fields.pList->Rewind();
            while (const CDataField* pField = state.fields.pList->Next()) {
                names.push_back(pField->pName);
            }
        }
        return names;
    }

    // "start end chars lines sample delimiter next-line" of a listed field.
    std::string ExtentOf(const char* pName) {
        const CDataField* pField =
            state.fields.pList != nullptr ? state.fields.pList->Find(pName) : nullptr;
        if (pField == nullptr) {
            return "(no field)";
        }
        return std::to_string(pField->GetStart()) + " " + std::to_string(pField->GetEnd()) + " " +
               std::to_string(pField->GetCharCount()) + " " +
               std::to_string(pField->GetLineCount()) + " " + pField->GetSample() + " " +
               pField->GetCharDelimiter() + " " + pField->GetNextLine();
    }

    CTestFiles files;
};

TEST_F(FieldDialogs, SelectionsOfTheElevenByteCopyBecomeFieldsInPositionOrder) {
    UseSample(ElevenBytes, 0, 11);
    CUiDriver driver;
    driver.UseDialog(SelectAnd(7, 9, IDC_ADD_FIELD)); // E F first
    driver.UseDialog(Named("Last"));
    driver.UseDialog(SelectAnd(0, 2, IDC_ADD_FIELD)); // A B
    driver.UseDialog(Named("First"));
    driver.UseDialog(SelectAnd(3, 7, IDC_ADD_FIELD)); // C D and its line break
    driver.UseDialog(Named("Middle"));
    driver.UseDialog(Button(IDC_CLOSE));
    EXPECT_TRUE(RunDefine(driver));
    ASSERT_EQ(driver.Seen().size(), 7u);

    // A new field: no current field yet. E F ends its line: Lines + Count.
    const CSeenWindow& last = driver.Seen()[1];
    EXPECT_EQ(last.strCaption, "Name Variable Data Field");
    EXPECT_EQ(last.Control(IDC_FIELD_NAME).strText, "");
    EXPECT_EQ(last.Control(IDC_FIELD_SAMPLE).strText, "EF");
    EXPECT_EQ(last.Control(IDC_TYPE_TEXT).nCheck, 1);
    EXPECT_EQ(last.Control(IDC_REFERENCE).nCheck, 0);
    EXPECT_FALSE(last.Control(IDC_UNITS_CHARACTERS).bEnabled) << "the single-line rule";
    EXPECT_EQ(last.Control(IDC_UNITS_LINES).nCheck, 1);
    EXPECT_EQ(last.Control(IDC_LENGTH_COUNT).nCheck, 1);
    EXPECT_FALSE(last.Control(IDC_LENGTH_UNTIL).bEnabled) << "no next line";
    EXPECT_EQ(last.Control(IDC_COUNT_TEXT).strText, "1");
    EXPECT_EQ(last.Control(IDC_UNTIL_TEXT).strText, "NULL");
    EXPECT_FALSE(last.Control(IDC_STRIP_SPACES).bEnabled);

    // A B inherits Lines from the field worked on last, with its next line.
    const CSeenWindow& first = driver.Seen()[3];
    EXPECT_TRUE(first.Control(IDC_UNITS_CHARACTERS).bEnabled);
    EXPECT_EQ(first.Control(IDC_UNITS_LINES).nCheck, 1);
    EXPECT_TRUE(first.Control(IDC_LENGTH_UNTIL).bEnabled);
    EXPECT_EQ(first.Control(IDC_UNTIL_TEXT).strText, "EF");

    EXPECT_EQ(driver.Seen()[6].Control(IDC_FIELD_LIST).entries,
              (std::vector<std::string>{"First", "Middle", "Last"}));
    EXPECT_EQ(FieldNames(), (std::vector<std::string>{"First", "Middle", "Last"}));
    EXPECT_EQ(ExtentOf("First"), "0 2 2 1 AB SPACE EF");
    EXPECT_EQ(ExtentOf("Middle"), "3 5 2 1 CD CRLF EF");
    EXPECT_EQ(ExtentOf("Last"), "7 9 2 1 EF CRLF NULL");
    EXPECT_STREQ(state.fields.pLastName, "Middle") << "the list's selection at Close";
}

TEST_F(FieldDialogs, NewFieldOpensWithItsDefaultsAndTheDelimiterThroughTheCatalogue) {
    UseSample(ElevenBytes, 0, 11);
    CUiDriver driver;
    driver.UseDialog(SelectAnd(0, 2, IDC_ADD_FIELD));
    driver.CancelDialog();
    driver.UseDialog(Button(IDCANCEL));
    EXPECT_FALSE(RunDefine(driver));
    const CSeenWindow& name = driver.Seen()[1];
    EXPECT_EQ(name.Control(IDC_UNITS_CHARACTERS).nCheck, 1);
    EXPECT_EQ(name.Control(IDC_LENGTH_COUNT).nCheck, 1);
    EXPECT_EQ(name.Control(IDC_STRIP_SPACES).nCheck, 1);
    EXPECT_TRUE(name.Control(IDC_STRIP_SPACES).bEnabled);
    EXPECT_EQ(name.Control(IDC_COUNT_TEXT).strText, "2");
    EXPECT_EQ(name.Control(IDC_UNTIL_TEXT).strText, "SPACE");
    EXPECT_TRUE(name.Control(IDC_COUNT_TEXT).bEnabled);
    EXPECT_FALSE(name.Control(IDC_UNTIL_TEXT).bEnabled);
    EXPECT_EQ(state.fields.pList, nullptr) << "cancelled: no field";
}

// Each row: a copy, a selection in it added as a field and named, and the
// field's extent: start, end, characters, lines, sample, delimiter, next line.
TEST_F(FieldDialogs, ASelectionNamedBecomesItsExtent) {
    const struct {
        const char* pRow;
        std::string strCopy;
        int nFrom, nTo;
        const char* pExtent;
    } rows[] = {
        {"the six-byte copy whole is two lines ending the copy", "AB\r\nCD", 0, 6,
         "0 6 6 2 AB\r\nCD NULL NULL"},
        {"a word before a blank", ElevenBytes, 0, 2, "0 2 2 1 AB SPACE EF"},
        {"the last line's word ends the copy", ElevenBytes, 7, 9, "7 9 2 1 EF CRLF NULL"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.pRow);
        UseSample(row.strCopy, 0, static_cast<int>(row.strCopy.size()));
        CUiDriver driver;
        driver.UseDialog(SelectAnd(row.nFrom, row.nTo, IDC_ADD_FIELD));
        driver.UseDialog(Named("Field"));
        driver.UseDialog(Button(IDC_CLOSE));
        EXPECT_TRUE(RunDefine(driver));
        EXPECT_EQ(ExtentOf("Field"), row.pExtent);
        state.Release();
    }
}

TEST_F(FieldDialogs, OverlappingSelectionsAreRefusedAndEditOnTheFieldItselfIsNot) {
    UseSample(ElevenBytes, 0, 11);
    UseFields({Field("CD", 3, 5)});
    CUiDriver driver;
    // Its first byte, its last byte, all of it, and a selection around it.
    for (auto range :
         {std::make_pair(3, 4), std::make_pair(4, 5), std::make_pair(3, 5), std::make_pair(2, 6)}) {
        driver.UseDialog(SelectAnd(range.first, range.second, IDC_ADD_FIELD));
        driver.PressOnMessageBox(IDOK);
    }
    driver.UseDialog(SelectAnd(3, 5, IDC_EDIT_FIELD));
    driver.UseDialog(Named("Renamed"));
    driver.UseDialog(Button(IDC_CLOSE));
    EXPECT_TRUE(RunDefine(driver));
    ASSERT_EQ(driver.Seen().size(), 11u);
    for (size_t i : {1u, 3u, 5u, 7u}) {
        EXPECT_EQ(driver.Seen()[i].strText, "ZTM5039: Select sample data that is not already "
                                            "included in\nanother data field.");
        EXPECT_EQ(driver.Seen()[i].strIcon, "exclamation");
    }
    EXPECT_EQ(driver.Seen()[9].Control(IDC_FIELD_NAME).strText, "CD") << "the edited field";
    EXPECT_EQ(FieldNames(), std::vector<std::string>{"Renamed"});
    EXPECT_EQ(ExtentOf("Renamed"), "3 5 2 1 CD CRLF EF");
}

TEST_F(FieldDialogs, RemovingTheOnlyFieldDisablesEditAndRemove) {
    UseSample(ElevenBytes, 0, 11);
    UseFields({Field("AB", 0, 2)});
    CUiDriver driver;
    CDialogActions remove = Look();
    remove.clicks = {IDC_REMOVE_FIELD};
    driver.UseDialog(remove);
    driver.UseDialog(Button(IDCANCEL));
    EXPECT_FALSE(RunDefine(driver));
    const CSeenWindow& before = driver.Seen()[0];
    EXPECT_TRUE(before.Control(IDC_EDIT_FIELD).bEnabled);
    EXPECT_EQ(before.Control(IDC_SAMPLE_TEXT).nSelStart, 0) << "the field shown";
    EXPECT_EQ(before.Control(IDC_SAMPLE_TEXT).nSelEnd, 2);
    const CSeenWindow& after = driver.Seen()[1];
    EXPECT_FALSE(after.Control(IDC_EDIT_FIELD).bEnabled);
    EXPECT_FALSE(after.Control(IDC_REMOVE_FIELD).bEnabled);
    EXPECT_TRUE(after.Control(IDC_FIELD_LIST).entries.empty());
    EXPECT_EQ(after.Control(IDC_SAMPLE_TEXT).nSelStart, after.Control(IDC_SAMPLE_TEXT).nSelEnd)
        << "no selection in the sample";
    EXPECT_EQ(FieldNames(), std::vector<std::string>{}) << "Cancel keeps the removal";
}

TEST_F(FieldDialogs, WithoutACopyEveryAddIsRefusedUntilOneIsChosen) {
    std::string strPath = UseSample(ElevenBytes, -1, -1);
    CUiDriver driver;
    driver.UseDialog(SelectAnd(0, 0, IDC_ADD_FIELD));
    driver.PressOnMessageBox(IDOK);
    driver.UseDialog(SelectAnd(0, 0, IDC_ADD_FIELD));
    driver.PressOnMessageBox(IDOK);
    driver.UseDialog(Button(IDC_SELECT_FILE, true));
    driver.ChooseFile(strPath);
    CDialogActions copy;
    copy.selections = {{IDC_COPY_SAMPLE, 0, 11}};
    driver.UseDialog(copy);
    driver.UseDialog(SelectAnd(0, 2, IDC_ADD_FIELD));
    driver.UseDialog(Named("AB"));
    driver.UseDialog(Button(IDC_CLOSE));
    EXPECT_TRUE(RunDefine(driver));
    ASSERT_EQ(driver.Seen().size(), 10u);
    EXPECT_EQ(driver.Seen()[0].Control(IDC_SAMPLE_TEXT).strText, "") << "an empty copy";
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5010: Select the text for the data field, then press Add...");
    EXPECT_EQ(driver.Seen()[3].strText.substr(0, 8), "ZTM5010:");
    EXPECT_EQ(driver.Seen()[5].strFileName, "fields-sample.txt") << "the remembered file offered";
    EXPECT_EQ(driver.Seen()[6].Control(IDC_COPY_SAMPLE).strText, ElevenBytes);
    EXPECT_EQ(state.sample.nCopyStart, 0);
    EXPECT_EQ(state.sample.nCopyEnd, 9) << "the last line break is not part of the copy";
    EXPECT_STREQ(state.sample.pCopyText, "AB CD\r\nEF");
    EXPECT_STREQ(state.sample.pFile, strPath.c_str());
    EXPECT_EQ(ExtentOf("AB"), "0 2 2 1 AB SPACE EF");
}

TEST_F(FieldDialogs, NameIsCheckedBeforeTheFieldIsTaken) {
    UseSample(ElevenBytes, 0, 11);
    UseFields({Field("EF", 7, 9)});
    CUiDriver driver;
    driver.UseDialog(SelectAnd(0, 2, IDC_ADD_FIELD));
    driver.UseDialog(Refused({{IDC_FIELD_NAME, "two words"}}));
    driver.PressOnMessageBox(IDOK);
    driver.UseDialog(Refused({{IDC_FIELD_NAME, ""}}));
    driver.PressOnMessageBox(IDOK);
    driver.UseDialog(Refused({{IDC_FIELD_NAME, "EF"}}));
    driver.PressOnMessageBox(IDOK);
    CDialogActions typed = Look();
    typed.texts = {{IDC_FIELD_NAME, ""}};
    typed.typed = {{IDC_FIELD_NAME, std::string(30, 'N') + "X"}};
    driver.UseDialog(typed);
    driver.UseDialog(Look());
    driver.UseDialog(Named("ef"));
    driver.UseDialog(Button(IDC_CLOSE));
    EXPECT_TRUE(RunDefine(driver));
    ASSERT_EQ(driver.Seen().size(), 11u);
    const std::string strInvalid = "ZTM5001: Specify a valid name that does not contain spaces.";
    EXPECT_EQ(driver.Seen()[2].strText, strInvalid);
    EXPECT_EQ(driver.Seen()[4].strText, strInvalid);
    EXPECT_EQ(driver.Seen()[6].strText,
              "ZTM5011: Specify a unique name for this data field.\nThe name you entered "
              "already exists.");
    EXPECT_EQ(driver.Seen()[8].Control(IDC_FIELD_NAME).strText, std::string(30, 'N'))
        << "a 31st character cannot be typed";
    EXPECT_EQ(FieldNames(), (std::vector<std::string>{"ef", "EF"}))
        << "names differing in case are different";
    // The list finds a new name by the list box's own search, which ignores
    // case: "EF" is selected and is the last name at Close.
    EXPECT_STREQ(state.fields.pLastName, "EF");
}

TEST_F(FieldDialogs, DoubleClickSelectsOneCommaSeparatedItem) {
    UseSample("Smith,John,12 Oak Road\r\nnext\r\n", 0, 30);
    CUiDriver driver;
    CDialogActions click = Look();
    click.doubleClicks = {{IDC_SAMPLE_TEXT, 7}};
    driver.UseDialog(click);
    CDialogActions add = Button(IDC_ADD_FIELD, true);
    add.doubleClicks = {{IDC_SAMPLE_TEXT, 13}};
    driver.UseDialog(Look());
    driver.UseDialog(add);
    driver.UseDialog(Named("Street"));
    driver.UseDialog(Button(IDC_CLOSE));
    EXPECT_TRUE(RunDefine(driver));
    const CSeenControl& sample = driver.Seen()[1].Control(IDC_SAMPLE_TEXT);
    EXPECT_EQ(sample.nSelStart, 6) << "John, not a word of the edit's own choosing";
    EXPECT_EQ(sample.nSelEnd, 10);
    EXPECT_EQ(ExtentOf("Street"), "11 22 11 1 12 Oak Road CRLF next");
}

TEST_F(FieldDialogs, UntilInheritedBecomesLinesAndCountAtTheEndOfTheCopy) {
    UseSample("AB CD\r\nEF", 0, 9);
    CUiDriver driver;
    driver.UseDialog(SelectAnd(0, 2, IDC_ADD_FIELD));
    CDialogActions until = Named("AB");
    until.toggles = {IDC_LENGTH_UNTIL};
    driver.UseDialog(until);
    driver.UseDialog(SelectAnd(7, 9, IDC_ADD_FIELD));
    driver.UseDialog(Named(std::string(30, 'N')));
    driver.UseDialog(Button(IDC_CLOSE));
    EXPECT_TRUE(RunDefine(driver));
    const CSeenWindow& name = driver.Seen()[3];
    EXPECT_EQ(name.Control(IDC_UNITS_LINES).nCheck, 1);
    EXPECT_EQ(name.Control(IDC_LENGTH_COUNT).nCheck, 1);
    EXPECT_EQ(name.Control(IDC_LENGTH_UNTIL).nCheck, 0);
    EXPECT_EQ(state.fields.pList->Find("AB")->nLength, LengthUntil);
    const CDataField* pLast = state.fields.pList->Find(std::string(30, 'N').c_str());
    ASSERT_NE(pLast, nullptr) << "a name of 30 characters is accepted";
    EXPECT_EQ(pLast->nUnits, UnitsLines);
    EXPECT_EQ(pLast->nLength, LengthCount);
    EXPECT_STREQ(pLast->GetCharDelimiter(), "NULL");
}

TEST_F(FieldDialogs, SelectFileShowsThePreviousCopyOfTheSameFileOnly) {
    std::string strSame = UseSample(ElevenBytes, 3, 9);
    std::string strOther = files.Write("other-sample.txt", ElevenBytes);
    CUiDriver driver;
    for (const std::string& strFile : {strSame, strOther}) {
        driver.UseDialog(Button(IDC_SELECT_FILE, true));
        driver.ChooseFile(strFile);
        driver.CancelDialog();
    }
    driver.UseDialog(Button(IDCANCEL));
    EXPECT_FALSE(RunDefine(driver));
    ASSERT_EQ(driver.Seen().size(), 7u);
    const CSeenControl& same = driver.Seen()[2].Control(IDC_COPY_SAMPLE);
    EXPECT_EQ(same.nSelStart, 3);
    EXPECT_EQ(same.nSelEnd, 9);
    const CSeenControl& other = driver.Seen()[5].Control(IDC_COPY_SAMPLE);
    EXPECT_EQ(other.nSelStart, other.nSelEnd) << "another file: nothing selected";
    EXPECT_STREQ(state.sample.pFile, strSame.c_str()) << "Cancel changes nothing";
    EXPECT_EQ(state.sample.nCopyStart, 3);
    EXPECT_EQ(state.sample.nCopyEnd, 9);
}

TEST_F(FieldDialogs, HelpOfTheThreeDialogs) {
    std::string strPath = UseSample(ElevenBytes, 0, 11);
    CHelpReadBack help;
    CUiDriver driver;
    CDialogActions define = Look();
    define.helpKeys = {IDC_SAMPLE_FILE_NAME, IDC_SELECT_FILE, IDC_SAMPLE_TEXT, IDC_ADD_FIELD,
                       IDC_FIELD_LIST,       IDC_CLOSE,       IDC_HELP_BUTTON};
    define.clicks = {IDC_HELP_BUTTON};
    driver.UseDialog(define);
    driver.UseDialog(SelectAnd(0, 2, IDC_ADD_FIELD));
    CDialogActions name = Button(IDCANCEL);
    name.helpKeys = {IDC_FIELD_NAME, IDC_UNITS_LINES, IDC_UNTIL_TEXT, IDOK};
    name.clicks = {IDC_HELP_BUTTON};
    driver.UseDialog(name);
    driver.UseDialog(Button(IDC_SELECT_FILE, true));
    driver.ChooseFile(strPath);
    CDialogActions copy = Button(IDCANCEL);
    copy.helpKeys = {IDC_COPY_SAMPLE, IDC_DELETE_FIELDS, IDCANCEL};
    copy.clicks = {IDC_HELP_BUTTON};
    driver.UseDialog(copy);
    driver.UseDialog(Button(IDCANCEL));
    EXPECT_FALSE(RunDefine(driver));
    const std::vector<std::pair<UINT, ULONG_PTR>> expected = {{HELP_CONTEXTPOPUP, 0x50000 + 1011},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1082},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1085},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1003},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1022},
                                                              {HELP_CONTEXT, 0x20084},
                                                              {HELP_CONTEXT, 0x20084},
                                                              {HELP_CONTEXT, 0x20084},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1021},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1046},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1016},
                                                              {HELP_CONTEXT, 0x20089},
                                                              {HELP_CONTEXT, 0x20089},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1010},
                                                              {HELP_CONTEXTPOPUP, 0x50000 + 1121},
                                                              {HELP_CONTEXT, 0x20088},
                                                              {HELP_CONTEXT, 0x20088}};
    EXPECT_EQ(help.Requests(), expected);
    const std::map<size_t, std::string> shown = {
        {0, "The sample variable data input file the fields are marked in. It is stored with the "
            "publication and read again when you next open this dialog."},
        {5, "NEB Variable Data Help - Define Variable Data Fields dialog"},
        {9, "The field's length is measured in whole lines."},
        {11, "NEB Variable Data Help - Name Variable Data Field dialog"},
        {14, "Removes the data fields already defined when you press OK, so that you can mark the "
             "fields of a sample with another layout. Leave it clear to keep them."},
        {16, "NEB Variable Data Help - Select Data for One Copy dialog"}};
    for (const auto& [nIndex, strText] : shown) {
        EXPECT_EQ(help.Shown().at(nIndex).strShown, strText) << "request " << nIndex;
    }
}

class SelectCopy : public FieldDialogs {
  protected:
    bool RunSelect(CUiDriver& driver, CCopySelection& selection) {
        driver.Start();
        bool bOk = RunSelectCopyDialog(nullptr, selection, state.fields);
        EXPECT_TRUE(driver.Finish()) << driver.Error();
        return bOk;
    }
};

TEST_F(SelectCopy, PreviousCopyIsSelectedAgainForTheSameFileOnly) {
    CCopySelection same;
    same.strFileName = files.Write("copy-sample.txt", "L1\r\nL2\r\nL3\r\nL4\r\n");
    same.nStart = 4;
    same.nEnd = 10;
    CUiDriver driver;
    driver.UseDialog(Button(IDCANCEL));
    EXPECT_FALSE(RunSelect(driver, same));
    EXPECT_EQ(driver.Seen()[0].Control(IDC_COPY_SAMPLE).nSelStart, 4);
    EXPECT_EQ(driver.Seen()[0].Control(IDC_COPY_SAMPLE).nSelEnd, 10);
    EXPECT_EQ(same.nStart, 4) << "Cancel changes nothing";

    CCopySelection other = same;
    other.nStart = -1;
    other.nEnd = -1;
    CUiDriver otherDriver;
    otherDriver.UseDialog(Button(IDCANCEL));
    EXPECT_FALSE(RunSelect(otherDriver, other));
    const CSeenControl& sample = otherDriver.Seen()[0].Control(IDC_COPY_SAMPLE);
    EXPECT_EQ(sample.nSelStart, sample.nSelEnd) << "nothing selected for another file";
}

TEST_F(SelectCopy, ThreeLinesEndBeforeTheirLineBreak) {
    CCopySelection selection;
    selection.strFileName = files.Write("copy-sample.txt", "L1\r\nL2\r\nL3\r\nL4\r\n");
    CUiDriver driver;
    CDialogActions empty;
    empty.bStaysOpen = true;
    driver.UseDialog(empty);
    driver.PressOnMessageBox(IDOK);
    CDialogActions three;
    three.selections = {{IDC_COPY_SAMPLE, 0, 12}};
    driver.UseDialog(three);
    EXPECT_TRUE(RunSelect(driver, selection));
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5000: Select the first complete\ncopy in the displayed input file.");
    EXPECT_EQ(selection.nStart, 0);
    EXPECT_EQ(selection.nEnd, 10);
    EXPECT_EQ(selection.strCopyText, "L1\r\nL2\r\nL3");
}

TEST_F(SelectCopy, ShorterCopyRemovesTheFieldsPastItsEndAfterAsking) {
    std::string strSample(400, 'x');
    CCopySelection selection;
    selection.strFileName = files.Write("copy-sample.txt", strSample);
    selection.nFieldsEnd = 300;
    UseFields({Field("Early", 190, 250), Field("Late", 250, 260)});
    state.fields.pField = Field("Late", 250, 260);
    CUiDriver driver;
    CDialogActions shorter;
    shorter.selections = {{IDC_COPY_SAMPLE, 0, 200}};
    shorter.bStaysOpen = true;
    driver.UseDialog(shorter);
    driver.PressOnMessageBox(IDCANCEL);
    // The focus back on the sample shows the copy chosen before: select again.
    driver.UseDialog(shorter);
    driver.PressOnMessageBox(IDOK);
    EXPECT_TRUE(RunSelect(driver, selection));
    ASSERT_EQ(driver.Seen().size(), 4u);
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5032: Some of the existing data fields are past the end\nof the sample "
              "data.  Press OK to delete them and continue\nor press Cancel to make a different "
              "sample data selection.");
    EXPECT_EQ(driver.Seen()[1].strIcon, "stop");
    EXPECT_EQ(driver.Seen()[1].buttons, (std::vector<int>{IDOK, IDCANCEL}));
    EXPECT_EQ(FieldNames(), std::vector<std::string>{"Early"}) << "190 stays though it ends later";
    EXPECT_EQ(state.fields.pField, nullptr) << "the current field was removed too";
    EXPECT_EQ(selection.nEnd, 200);
}

TEST_F(SelectCopy, LongerCopyOrDeletedFieldsAskNothing) {
    CCopySelection selection;
    selection.strFileName = files.Write("copy-sample.txt", std::string(400, 'x'));
    selection.nFieldsEnd = 300;
    UseFields({Field("Late", 350, 360)});
    CUiDriver driver;
    CDialogActions longer;
    longer.selections = {{IDC_COPY_SAMPLE, 0, 300}};
    driver.UseDialog(longer);
    EXPECT_TRUE(RunSelect(driver, selection));
    EXPECT_EQ(FieldNames(), std::vector<std::string>{"Late"}) << "no field removed";

    CUiDriver deleting;
    CDialogActions shorter;
    shorter.selections = {{IDC_COPY_SAMPLE, 0, 100}};
    shorter.toggles = {IDC_DELETE_FIELDS};
    deleting.UseDialog(shorter);
    EXPECT_TRUE(RunSelect(deleting, selection));
    EXPECT_EQ(state.fields.pList, nullptr) << "every field deleted, no question asked";
    EXPECT_EQ(selection.nEnd, 100);
}

} // namespace
