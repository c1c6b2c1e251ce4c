// What the user sees of the catalogue's messages: text, caption, buttons and
// icon, read from the real message boxes.
#include "plugin/framework/Messages.h"
#include "core/StringIds.h"
#include "host/UiDriver.h"
#include "plugin/framework/Catalogue.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <vector>

namespace {

const char* const Caption = "NEB Variable Data";

// Shows one box with the driver pressing the button, and returns what was seen.
CSeenWindow ShowAndPress(const std::function<int()>& show, int nButton, int& nResult) {
    CUiDriver driver;
    driver.PressOnMessageBox(nButton);
    driver.Start();
    nResult = show();
    EXPECT_TRUE(driver.Finish()) << driver.Error();
    return driver.Seen().empty() ? CSeenWindow() : driver.Seen()[0];
}

TEST(Messages, CaptionIsLoadedOnFirstUseAndKept) {
    bool bFirstUse = MessageCaption()[0] == '\0';
    int nResult = 0;
    CSeenWindow seen = ShowAndPress(
        [] { return ShowMessage(IDS_CLIPBOARD_OPEN, MB_OK | MB_ICONEXCLAMATION); }, IDOK, nResult);
    EXPECT_EQ(seen.strCaption, Caption);
    EXPECT_STREQ(MessageCaption(), Caption);
    if (bFirstUse) {
        // Change the kept caption: the next box shows it, so nothing was reloaded.
        char* pKept = const_cast<char*>(MessageCaption());
        strcpy(pKept, "Kept caption");
        seen = ShowAndPress([] { return ShowMessage(IDS_CLIPBOARD_OPEN, MB_OK); }, IDOK, nResult);
        EXPECT_EQ(seen.strCaption, "Kept caption");
        strcpy(pKept, Caption);
    }
}

TEST(Messages, WarningStyleShowsTextCaptionOkAndExclamation) {
    int nResult = 0;
    CSeenWindow seen = ShowAndPress(
        [] { return ShowMessage(IDS_OBJECT_NOT_SUPPORTED, MB_OK | MB_ICONEXCLAMATION); }, IDOK,
        nResult);
    EXPECT_EQ(nResult, IDOK);
    EXPECT_EQ(seen.strCaption, Caption);
    EXPECT_EQ(seen.strText,
              "ZTM5016: Select a text or graphic object.\nThe selected object is not supported.");
    EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(seen.strIcon, "exclamation");
}

TEST(Messages, InformationStyle) {
    int nResult = 0;
    CSeenWindow seen = ShowAndPress(
        [] { return ShowMessage(IDS_NO_TEXT_COLOR, MB_OK | MB_ICONINFORMATION); }, IDOK, nResult);
    EXPECT_EQ(seen.strText,
              "ZTM5029: Cannot determine the color of the text.\nBlack will be used.");
    EXPECT_EQ(seen.strIcon, "information");
}

TEST(Messages, PageTooLargeAnswersOneForOkAndTwoForCancel) {
    for (int nButton : {IDCANCEL, IDOK}) {
        int nResult = 0;
        CSeenWindow seen = ShowAndPress(
            [] { return ShowMessage(IDS_PAGE_TOO_LARGE, MB_OKCANCEL | MB_ICONEXCLAMATION); },
            nButton, nResult);
        EXPECT_EQ(nResult, nButton == IDOK ? 1 : 2);
        EXPECT_EQ(seen.buttons, (std::vector<int>{IDOK, IDCANCEL}));
        EXPECT_EQ(seen.strIcon, "exclamation");
        EXPECT_EQ(seen.strText.substr(0, 8), "ZTM5042:");
    }
}

TEST(Messages, FrameworkBoxAddsExclamationWhenNoIconIsAsked) {
    int nResult = 0;
    CSeenWindow seen =
        ShowAndPress([] { return ShowFrameworkMessage(IDS_SELECT_FONT); }, IDOK, nResult);
    EXPECT_EQ(seen.strCaption, Caption) << "caption from the application title entry";
    EXPECT_EQ(seen.strText, "ZTM5008: Select a font for the text.");
    EXPECT_EQ(seen.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(seen.strIcon, "exclamation");

    seen = ShowAndPress([] { return ShowFrameworkMessage(IDS_NO_DATA_FIELD_QUESTION, MB_YESNO); },
                        IDNO, nResult);
    EXPECT_EQ(nResult, IDNO);
    EXPECT_EQ(seen.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(seen.strIcon, "exclamation");

    seen = ShowAndPress(
        [] { return ShowFrameworkMessage(IDS_FIELDS_PAST_END, MB_OKCANCEL | MB_ICONSTOP); },
        IDCANCEL, nResult);
    EXPECT_EQ(nResult, IDCANCEL);
    EXPECT_EQ(seen.strIcon, "stop") << "an explicit icon is kept";
}

TEST(Messages, FormattedMessageFillsThePath) {
    int nResult = 0;
    CSeenWindow seen = ShowAndPress(
        [] { return ShowFormattedMessage(IDS_JOB_OUTPUT_FAILED, "c:\\jobs\\card.ddf"); }, IDOK,
        nResult);
    EXPECT_EQ(seen.strText, "ZTM5040: Could not output variable data job to\nc:\\jobs\\card.ddf.\n"
                            "Verify the current file is not read-only.");
    EXPECT_EQ(seen.strCaption, Caption);
    // A text with format characters of its own is shown as it is.
    seen = ShowAndPress([] { return ShowFormattedMessage(IDS_SAMPLE_NOT_FOUND, "c:\\%d%s.txt"); },
                        IDOK, nResult);
    EXPECT_EQ(seen.strText.substr(0, 48), "ZTM5018: The variable data input file, c:\\%d%s.t");
}

TEST(Messages, CatalogueEntriesLoadWithLineBreaks) {
    EXPECT_EQ(LoadCatalogueString(IDS_USE_POINTER_TOOL),
              "ZTM5030: Use the pointer tool to select an object, then try again.");
    EXPECT_EQ(LoadCatalogueString(IDS_NO_ALIGNMENT),
              "ZTM5022: Cannot determine the text alignment.\nA default value will be used.");
    EXPECT_EQ(LoadCatalogueString(7), "") << "no entry 7";
}

} // namespace
