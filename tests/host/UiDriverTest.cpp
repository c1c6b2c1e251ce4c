// The UI driver itself: a window that never comes and one that comes unasked
// each end the wait within seconds, named, and the test goes on.
#include "host/UiDriver.h"
#include "tests/TestDialogs.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

INT_PTR CALLBACK PlainDialog(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM) {
    if (nMessage == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(hWnd, LOWORD(wParam));
        return TRUE;
    }
    return nMessage == WM_INITDIALOG ? TRUE : FALSE;
}

INT_PTR ShowDialog() {
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEST_EXCHANGE), nullptr,
                           PlainDialog, 0);
}

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

TEST(UiDriver, AnsweredWindowsAreRecorded) {
    CUiDriver driver;
    driver.PressOnMessageBox(IDNO);
    driver.FillDialog({{IDC_TEST_TEXT, "typed"}}, IDOK);
    driver.Start();
    EXPECT_EQ(MessageBoxA(nullptr, "Go on?", "Question", MB_YESNO | MB_ICONQUESTION), IDNO);
    EXPECT_EQ(ShowDialog(), IDOK);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[0].strText, "Go on?");
    EXPECT_EQ(driver.Seen()[0].strIcon, "question");
    EXPECT_EQ(driver.Seen()[0].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(driver.Seen()[1].strCaption, "Exchange");
    EXPECT_EQ(driver.Seen()[1].strText, "") << "a dialog is no message box";
}

TEST(UiDriver, WindowThatNeverComesFailsWithinItsTimeLimit) {
    CUiDriver driver(GetCurrentThreadId(), 1000);
    driver.FillDialog({}, IDOK);
    auto start = std::chrono::steady_clock::now();
    driver.Start();
    Sleep(2000); // the call that should have shown the dialog takes its time
    EXPECT_FALSE(driver.Finish());
    EXPECT_EQ(driver.Error(), "window 1 of 1 (a dialog of the plug-in) did not appear");
    EXPECT_LT(SecondsSince(start), 8.0);

    CUiDriver early;
    early.PressOnMessageBox(IDOK);
    early.Start();
    EXPECT_FALSE(early.Finish()) << "the call returned without the window";
    EXPECT_EQ(early.Error(), "window 1 of 1 (a message box) did not appear");
}

TEST(UiDriver, UnaskedMessageBoxIsNamedAndClosed) {
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    auto start = std::chrono::steady_clock::now();
    MessageBoxA(nullptr, "Expected", "Caption", MB_OK);
    MessageBoxA(nullptr, "Nobody asked for this", "Caption", MB_OK);
    EXPECT_FALSE(driver.Finish());
    EXPECT_EQ(driver.Error(), "unexpected message box \"Caption\": \"Nobody asked for this\"");
    EXPECT_LT(SecondsSince(start), 8.0);
}

TEST(UiDriver, MessageBoxInsteadOfTheDialogIsNamedAndClosed) {
    CUiDriver driver;
    driver.FillDialog({}, IDOK);
    driver.Start();
    EXPECT_EQ(MessageBoxA(nullptr, "Surprise", "Caption", MB_OKCANCEL), IDCANCEL);
    EXPECT_FALSE(driver.Finish());
    EXPECT_EQ(driver.Error(), "window 1 of 1 (a dialog of the plug-in) was expected, but message "
                              "box \"Caption\": \"Surprise\" appeared");
}

TEST(UiDriver, RefusingDialogStaysForTheNextStep) {
    CUiDriver driver;
    CDialogActions refuse;
    refuse.nButton = IDC_TEST_HELP;
    refuse.bStaysOpen = true;
    driver.UseDialog(refuse);
    driver.PressOnMessageBox(IDOK);
    driver.CancelDialog();
    driver.Start();
    // A dialog whose Help button opens a message box on top of it.
    struct CRefusing {
        static INT_PTR CALLBACK Proc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
            if (nMessage == WM_COMMAND && LOWORD(wParam) == IDC_TEST_HELP) {
                MessageBoxA(hWnd, "Refused", "Caption", MB_OK);
                return TRUE;
            }
            return PlainDialog(hWnd, nMessage, wParam, lParam);
        }
    };
    EXPECT_EQ(DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_TEST_EXCHANGE),
                              nullptr, CRefusing::Proc, 0),
              IDCANCEL);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    ASSERT_EQ(driver.Seen().size(), 3u);
    EXPECT_EQ(driver.Seen()[1].strText, "Refused");
}

TEST(UiGuard, WindowWithNoDriverRunningIsNamedAndClosed) {
    CUiGuard guard;
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(MessageBoxA(nullptr, "Left alone", "Caption", MB_OKCANCEL), IDCANCEL);
    EXPECT_EQ(guard.TakeUnasked(),
              std::vector<std::string>{"unexpected message box \"Caption\": \"Left alone\""});
    EXPECT_LT(SecondsSince(start), 8.0);
    EXPECT_TRUE(guard.TakeUnasked().empty());
    // A question without a Cancel button goes too (Cancel, or else No).
    int nAnswer = MessageBoxA(nullptr, "Really?", "Caption", MB_YESNO);
    EXPECT_TRUE(nAnswer == IDCANCEL || nAnswer == IDNO) << nAnswer;
    EXPECT_EQ(guard.TakeUnasked(),
              std::vector<std::string>{"unexpected message box \"Caption\": \"Really?\""});
}

} // namespace
