// The dialog base: every kind of value exchanged both ways, refusals with
// their message and focus, and help through the help seam; the Job Files
// dialog on it.
#include "NebVersion.h"
#include "core/StringIds.h"
#include "host/UiDriver.h"
#include "plugin/framework/App.h"
#include "plugin/framework/CommandGuard.h"
#include "plugin/framework/Exceptions.h"
#include "plugin/framework/Help.h"
#include "plugin/framework/ModalDialog.h"
#include "plugin/output/JobFilesDialog.h"
#include "tests/TestDialogs.h"
#include "tests/TestFiles.h"
#include "tests/plugin/HelpReadBack.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

struct CHelpCall {
    HWND hOwner;
    UINT nCommand;
    ULONG_PTR nContext;
};
std::vector<CHelpCall> helpCalls;

bool RecordHelp(HWND hOwner, UINT nCommand, DWORD nContext) {
    helpCalls.push_back({hOwner, nCommand, nContext});
    return true;
}

std::string ControlText(HWND hDialog, int nId) {
    char szText[512] = {};
    GetDlgItemTextA(hDialog, nId, szText, sizeof szText);
    return szText;
}

std::string SelectedEntry(HWND hDialog, int nId, UINT nGetSel, UINT nGetText) {
    LRESULT nSelected = SendDlgItemMessageA(hDialog, nId, nGetSel, 0, 0);
    if (nSelected < 0) {
        return "(none)";
    }
    char szText[256] = {};
    SendDlgItemMessageA(hDialog, nId, nGetText, static_cast<WPARAM>(nSelected),
                        reinterpret_cast<LPARAM>(szText));
    return szText;
}

// The tests' dialog: one value of each kind, a check after the exchange, and
// hooks that run in the dialog when it has opened and when OK was refused.
class CExchangeDialog : public CModalDialog {
  public:
    CExchangeDialog() : CModalDialog(IDD_TEST_EXCHANGE) {}

    std::string strText = "abc";
    int nCheck = 1;
    int nRadio = 2;
    std::string strCombo = "helv";
    std::string strList = "city";
    bool bPreselect = false;
    std::function<void(HWND)> onOpen;
    // Where the focus was and what of the edit was selected after a refusal.
    int nFocusAfterRefusal = 0;
    DWORD nSelectionAfterRefusal = 0;

  protected:
    bool OnInitDialog() override {
        for (const char* pFont : {"Times-Roman", "Courier", "Helvetica"}) {
            SendDlgItemMessageA(Window(), IDC_TEST_COMBO, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(pFont));
        }
        for (const char* pField : {"Name", "Street", "City"}) {
            SendDlgItemMessageA(Window(), IDC_TEST_LIST, LB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(pField));
        }
        if (bPreselect) {
            SendDlgItemMessageA(Window(), IDC_TEST_COMBO, CB_SETCURSEL, 0, 0);
            SendDlgItemMessageA(Window(), IDC_TEST_LIST, LB_SETCURSEL, 1, 0);
        }
        bool bFocus = CModalDialog::OnInitDialog();
        if (onOpen) {
            onOpen(Window());
        }
        return bFocus;
    }

    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_TEST_TEXT, strText, 5);
        dx.Check(IDC_TEST_CHECK, nCheck);
        dx.Radio(IDC_TEST_RADIO_ONE, nRadio);
        dx.ComboText(IDC_TEST_COMBO, strCombo);
        dx.ListText(IDC_TEST_LIST, strList);
    }

    bool Validate() override {
        if (strText == "bad") {
            return Refuse(IDC_TEST_TEXT, IDS_INVALID_NAME);
        }
        return true;
    }

    bool OnOK() override {
        bool bDone = CModalDialog::OnOK();
        if (!bDone) {
            nFocusAfterRefusal = GetDlgCtrlID(GetFocus());
            nSelectionAfterRefusal =
                static_cast<DWORD>(SendDlgItemMessageA(Window(), IDC_TEST_TEXT, EM_GETSEL, 0, 0));
        }
        return bDone;
    }

    const CHelpTable& HelpTable() const override {
        static const CHelpTable table{{IDC_TEST_TEXT, IDC_TEST_LIST}, {IDOK, IDC_TEST_HELP}};
        return table;
    }
};

class DialogBase : public ::testing::Test {
  protected:
    void SetUp() override {
        helpCalls.clear();
        SetHelpEngine(RecordHelp);
    }
    void TearDown() override { SetHelpEngine(nullptr); }
};

TEST_F(DialogBase, ValuesGoIntoTheControlsAndComeBackChanged) {
    CSelfAnsweredWindows selfAnswered;
    CExchangeDialog dialog;
    std::vector<std::string> opened;
    dialog.onOpen = [&opened](HWND hDialog) {
        opened = {
            ControlText(hDialog, IDC_TEST_TEXT),
            std::to_string(SendDlgItemMessageA(hDialog, IDC_TEST_TEXT, EM_GETLIMITTEXT, 0, 0)),
            std::to_string(IsDlgButtonChecked(hDialog, IDC_TEST_CHECK)),
            std::to_string(IsDlgButtonChecked(hDialog, IDC_TEST_RADIO_ONE)) +
                std::to_string(IsDlgButtonChecked(hDialog, IDC_TEST_RADIO_TWO)) +
                std::to_string(IsDlgButtonChecked(hDialog, IDC_TEST_RADIO_THREE)),
            SelectedEntry(hDialog, IDC_TEST_COMBO, CB_GETCURSEL, CB_GETLBTEXT),
            SelectedEntry(hDialog, IDC_TEST_LIST, LB_GETCURSEL, LB_GETTEXT)};
        // The user changes every value.
        SetDlgItemTextA(hDialog, IDC_TEST_TEXT, "xy");
        CheckDlgButton(hDialog, IDC_TEST_CHECK, BST_UNCHECKED);
        CheckRadioButton(hDialog, IDC_TEST_RADIO_ONE, IDC_TEST_RADIO_THREE, IDC_TEST_RADIO_ONE);
        SendDlgItemMessageA(hDialog, IDC_TEST_COMBO, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                            reinterpret_cast<LPARAM>("Times"));
        SendDlgItemMessageA(hDialog, IDC_TEST_LIST, LB_SETCURSEL, 2, 0);
        PostMessageA(hDialog, WM_COMMAND, IDOK, 0);
    };
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    // Lists keep their order (City was added last); the prefix search ignores case.
    EXPECT_EQ(opened, (std::vector<std::string>{"abc", "5", "1", "001", "Helvetica", "City"}));
    EXPECT_EQ(dialog.strText, "xy");
    EXPECT_EQ(dialog.nCheck, 0);
    EXPECT_EQ(dialog.nRadio, 0);
    EXPECT_EQ(dialog.strCombo, "Times-Roman");
    EXPECT_EQ(dialog.strList, "City");
}

TEST_F(DialogBase, ValueNotInTheListKeepsTheSelection) {
    CSelfAnsweredWindows selfAnswered;
    CExchangeDialog dialog;
    dialog.strCombo = "Zapf";
    dialog.strList = "Nowhere";
    dialog.nRadio = -1;
    dialog.onOpen = [](HWND hDialog) { PostMessageA(hDialog, WM_COMMAND, IDOK, 0); };
    dialog.bPreselect = true;
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(dialog.strCombo, "Courier") << "the first sorted entry stays selected";
    EXPECT_EQ(dialog.strList, "Street");
    EXPECT_EQ(dialog.nRadio, -1) << "no radio button checked";

    CExchangeDialog empty;
    empty.strCombo = "Zapf";
    empty.strList = "Nowhere";
    empty.onOpen = [](HWND hDialog) { PostMessageA(hDialog, WM_COMMAND, IDOK, 0); };
    EXPECT_EQ(empty.DoModal(nullptr), IDOK);
    EXPECT_EQ(empty.strCombo, "") << "no selection reads as empty";
    EXPECT_EQ(empty.strList, "");
}

TEST_F(DialogBase, TooLongTextIsRefusedWithTheLimitAndSelected) {
    CExchangeDialog dialog;
    CUiDriver driver;
    CDialogActions tooLong;
    tooLong.texts = {{IDC_TEST_TEXT, "abcdefgh"}};
    tooLong.bStaysOpen = true;
    driver.UseDialog(tooLong);
    driver.PressOnMessageBox(IDOK);
    driver.CancelDialog();
    driver.Start();
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(driver.Seen()[1].strText, "Please enter no more than 5 characters.");
    EXPECT_EQ(driver.Seen()[1].strCaption, "NEB Variable Data");
    EXPECT_EQ(driver.Seen()[1].strIcon, "exclamation");
    EXPECT_EQ(dialog.nFocusAfterRefusal, IDC_TEST_TEXT);
    EXPECT_EQ(dialog.nSelectionAfterRefusal, static_cast<DWORD>(MAKELONG(0, 8)))
        << "the whole text selected";
    EXPECT_EQ(dialog.strText, "abc") << "a refused value leaves the member";
}

TEST_F(DialogBase, FailedCheckShowsItsMessageWithTheFocusOnTheControl) {
    CExchangeDialog dialog;
    CUiDriver driver;
    CDialogActions bad;
    bad.texts = {{IDC_TEST_TEXT, "bad"}};
    bad.bStaysOpen = true;
    driver.UseDialog(bad);
    driver.PressOnMessageBox(IDOK);
    driver.FillDialog({{IDC_TEST_TEXT, "good"}}, IDOK);
    driver.Start();
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(driver.Seen()[1].strText.substr(0, 8), "ZTM5001:");
    EXPECT_EQ(dialog.nFocusAfterRefusal, IDC_TEST_TEXT);
    EXPECT_EQ(dialog.nSelectionAfterRefusal, static_cast<DWORD>(MAKELONG(0, 3)));
    EXPECT_EQ(dialog.strText, "good");
}

TEST_F(DialogBase, HelpKeyAndButtonGoThroughTheSeam) {
    CExchangeDialog dialog;
    CUiDriver driver;
    CDialogActions help;
    help.helpKeys = {IDC_TEST_TEXT, IDC_TEST_CHECK, IDC_TEST_LIST, IDOK};
    help.clicks = {IDC_TEST_HELP};
    help.nButton = IDCANCEL;
    driver.UseDialog(help);
    driver.Start();
    EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    ASSERT_EQ(helpCalls.size(), 4u) << "F1 on the check box is left alone";
    const std::pair<UINT, ULONG_PTR> expected[] = {{HELP_CONTEXTPOPUP, 0x50000 + IDC_TEST_TEXT},
                                                   {HELP_CONTEXTPOPUP, 0x50000 + IDC_TEST_LIST},
                                                   {HELP_CONTEXT, 0x20000 + IDD_TEST_EXCHANGE},
                                                   {HELP_CONTEXT, 0x20000 + IDD_TEST_EXCHANGE}};
    for (size_t i = 0; i < helpCalls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(helpCalls[i].nCommand, expected[i].first);
        EXPECT_EQ(helpCalls[i].nContext, expected[i].second);
        EXPECT_NE(helpCalls[i].hOwner, nullptr) << "the dialog owns the help";
    }
}

TEST_F(DialogBase, ExceptionInsideADialogEndsItAndReachesTheLaunch) {
    const struct {
        const char* pName;
        std::function<void()> raise;
        const char* pText;
    } cases[] = {
        {"memory", [] { throw CMemoryException(); }, "ZTM5043: A memory exception occured."},
        {"file", [] { throw CFileException("card.ddf", 5); }, "ZTM5044: A file exception occured."},
        {"other", [] { throw 7; }, "ZTM5045: An exception occured."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        CExchangeDialog dialog;
        dialog.onOpen = [&c](HWND) { c.raise(); };
        CUiDriver driver;
        driver.PressOnMessageBox(IDOK);
        driver.Start();
        uint16_t nResult =
            RunGuarded([&dialog] { return static_cast<uint16_t>(dialog.DoModal(nullptr)); }, 0);
        ASSERT_TRUE(driver.Finish()) << driver.Error();
        EXPECT_EQ(nResult, 0) << "the launch ends normally";
        EXPECT_EQ(driver.Seen()[0].strText.substr(0, strlen(c.pText)), c.pText);
    }
}

TEST_F(DialogBase, JobFilesHelpAndTooLongPath) {
    std::string strDocDef = "c:\\jobs\\card.ddf";
    std::string strPostScript = "c:\\jobs\\card.ps";
    std::vector<CShownHelp> shown;
    {
        CHelpReadBack help;
        CUiDriver driver;
        CDialogActions tooLong;
        tooLong.texts = {{IDC_POSTSCRIPT_PATH, "c:\\" + std::string(253, 'p')}};
        tooLong.helpKeys = {IDC_DOCDEF_PATH, IDC_POSTSCRIPT_PATH, IDOK, IDCANCEL, IDC_HELP_BUTTON};
        tooLong.clicks = {IDC_HELP_BUTTON};
        tooLong.bStaysOpen = true;
        driver.UseDialog(tooLong);
        driver.PressOnMessageBox(IDOK);
        driver.CancelDialog();
        driver.Start();
        EXPECT_FALSE(RunJobFilesDialog(strDocDef, strPostScript));
        ASSERT_TRUE(driver.Finish()) << driver.Error();
        EXPECT_EQ(driver.Seen()[0].EditText(IDC_DOCDEF_PATH), "c:\\jobs\\card.ddf");
        EXPECT_EQ(driver.Seen()[1].strText, "Please enter no more than 255 characters.");
        shown = help.Shown();
    }
    EXPECT_EQ(strDocDef, "c:\\jobs\\card.ddf") << "nothing changes without OK";
    EXPECT_EQ(strPostScript, "c:\\jobs\\card.ps");
    std::vector<ULONG_PTR> contexts;
    for (const CShownHelp& help : shown) {
        contexts.push_back(help.nContext);
    }
    EXPECT_EQ(contexts, (std::vector<ULONG_PTR>{327680 + 1117, 327680 + 1118, 131218, 131218,
                                                131218, 131218}));
    ASSERT_EQ(shown.size(), 6u);
    EXPECT_EQ(shown[1].strShown,
              "The PostScript file the publication is printed to. The merge step "
              "draws every copy over its pages. Type the full path; an existing "
              "file is replaced.");
    EXPECT_EQ(shown[5].strShown, "NEB Variable Data Help - Job Files dialog");
}

// The plug-in looks for its help beside itself: a copy of it loaded from a
// folder of its own finds the compiled help file there, else a WinHelp file,
// else shows a message that names the file looked for and where; closing help
// closes the help window.
TEST_F(DialogBase, HelpFileBesideThePlugin) {
    CTestFiles files;
    std::string strFolder = files.Folder("help-beside") + "\\";
    std::string strPlugin = strFolder + "nebvdata.add";
    ASSERT_TRUE(CopyFileA(CTestFiles::FullPath("nebvdata.add").c_str(), strPlugin.c_str(), FALSE));
    HMODULE hPlugin = LoadLibraryA(strPlugin.c_str());
    ASSERT_NE(hPlugin, nullptr);
    std::vector<CHelpFile> found;
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    {
        CPluginApp app("NEB Variable Data");
        app.InitInstance(hPlugin);
        found.push_back(FindHelpFile());
        EXPECT_FALSE(OpenHelpFile(nullptr, HELP_CONTEXT, 131218));
        files.Write("help-beside\\nebvdata.hlp", "");
        found.push_back(FindHelpFile());
        ASSERT_TRUE(CopyFileA(CTestFiles::FullPath("nebvdata.chm").c_str(),
                              (strFolder + "nebvdata.chm").c_str(), FALSE));
        found.push_back(FindHelpFile());
        EXPECT_TRUE(OpenHelpFile(nullptr, HELP_CONTEXT, 131209));
        char szCaption[200] = {};
        GetWindowTextA(FindWindowA("HH Parent", nullptr), szCaption, sizeof szCaption);
        EXPECT_STREQ(szCaption, "NEB Variable Data Help - Name Variable Data Field dialog");
        CloseHelp();
        EXPECT_EQ(FindWindowA("HH Parent", nullptr), nullptr) << "closing help closes its window";
    }
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    FreeLibrary(hPlugin);
    // The copies are given to the test files, which remove them.
    files.Write("help-beside\\nebvdata.add", "");
    files.Write("help-beside\\nebvdata.chm", "");
    ASSERT_EQ(found.size(), 3u);
    EXPECT_EQ(found[0].kind, HelpFileKind::None);
    EXPECT_EQ(found[0].strPath, strFolder + "nebvdata.chm");
    EXPECT_EQ(found[1].kind, HelpFileKind::WinHelp);
    EXPECT_EQ(found[1].strPath, strFolder + "nebvdata.hlp");
    EXPECT_EQ(found[2].kind, HelpFileKind::Html);
    EXPECT_EQ(driver.Seen()[0].strText,
              "The help file nebvdata.chm was not found in " + strFolder +
                  ".\nCopy it there from the NEB Variable Data package, or re-install the NEB "
                  "Variable Data product.");
    EXPECT_EQ(driver.Seen()[0].strIcon, "information");
}

// What Windows shows in the plug-in's file properties.
TEST(PluginApp, VersionResourceNamesTheProductAndItsVersion) {
    std::string strPlugin = CTestFiles::FullPath("nebvdata.add");
    DWORD nSize = GetFileVersionInfoSizeA(strPlugin.c_str(), nullptr);
    ASSERT_GT(nSize, 0u);
    std::vector<char> info(nSize);
    ASSERT_TRUE(GetFileVersionInfoA(strPlugin.c_str(), 0, nSize, info.data()));
    auto value = [&info](const char* pName) {
        char* pValue = nullptr;
        UINT nLength = 0;
        std::string strKey = std::string("\\StringFileInfo\\040904E4\\") + pName;
        return VerQueryValueA(info.data(), strKey.c_str(), reinterpret_cast<void**>(&pValue),
                              &nLength)
                   ? std::string(pValue)
                   : std::string("(none)");
    };
    EXPECT_EQ(value("ProductName"), "NEB Variable Data");
    EXPECT_EQ(value("FileVersion"), NEB_VERSION_TEXT);
    EXPECT_EQ(value("OriginalFilename"), "nebvdata.add");
    VS_FIXEDFILEINFO* pFixed = nullptr;
    UINT nLength = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&pFixed), &nLength));
    EXPECT_EQ(pFixed->dwFileVersionMS,
              static_cast<DWORD>(MAKELONG(NEB_VERSION_MINOR, NEB_VERSION_MAJOR)));
    EXPECT_EQ(pFixed->dwFileType, static_cast<DWORD>(VFT_DLL));
}

HBRUSH WINAPI NoBrush(COLORREF) {
    return nullptr;
}

// The library loads even when its dialog brush cannot be made; the dialogs
// then keep the system's colours.
TEST(PluginApp, LoadsWithoutItsDialogBrush) {
    CPluginApp app("NEB Variable Data");
    EXPECT_TRUE(app.InitInstance(GetModuleHandleA(nullptr), NoBrush));
    EXPECT_EQ(app.DialogBrush(), nullptr);
    EXPECT_EQ(app.Instance(), GetModuleHandleA(nullptr));
    CPluginApp painted("NEB Variable Data");
    EXPECT_TRUE(painted.InitInstance(GetModuleHandleA(nullptr)));
    EXPECT_NE(painted.DialogBrush(), nullptr);
}

} // namespace
