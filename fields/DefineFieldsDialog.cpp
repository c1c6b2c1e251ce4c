#include "DefineFieldsDialog.h"

#include "FieldSelection.h"
#include "FieldState.h"
#include "NameFieldDialog.h"
#include "SampleEdit.h"
#include "SampleFile.h"
#include "SampleState.h"
#include "SelectCopyDialog.h"
#include "framework/CommandGuard.h"
#include "framework/Messages.h"
#include "framework/ModalDialog.h"
#include "model/OwnedText.h"
#include "resources/StringIds.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

void FillList(HWND hList, UINT nReset, UINT nAdd) {
    SendMessageA(hList, nReset, 0, 0);
    if (pDFList == nullptr) {
        return;
    }
    pDFList->Rewind();
    while (const CDataField* pField = pDFList->Next()) {
        SendMessageA(hList, nAdd, 0,
                     reinterpret_cast<LPARAM>(pField->pName != nullptr ? pField->pName : ""));
    }
}

class CDefineFieldsDlg : public CModalDialog {
  public:
    CDefineFieldsDlg() : CModalDialog(IDD_DEFINE_FIELDS) {}

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.ListText(IDC_FIELD_LIST, m_strSelected);
        dx.Text(IDC_SAMPLE_FILE_NAME, m_strFileName);
        dx.Text(IDC_SAMPLE_TEXT, m_strSample);
    }

    bool OnInitDialog() override {
        MakeSampleEdit(Item(IDC_SAMPLE_TEXT));
        if (pSampleFile != nullptr) {
            if (!LoadRememberedCopy()) {
                End(0);
                return true;
            }
            if (pCopyText != nullptr) {
                ShowCopy();
            }
        } else {
            std::string strChosen;
            if (!ChooseFirstSampleFile(strChosen) || !ChooseSampleCopy(strChosen)) {
                End(0);
                return true;
            }
        }
        FillFieldList(List());
        m_strSelected = pLastFieldName != nullptr ? pLastFieldName : "";
        m_strFileName = pSampleFile != nullptr ? pSampleFile : "";
        UpdateData(false);
        bool bFields = ListCount() > 0;
        if (bFields) {
            ShowFieldOfList();
        } else {
            SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        }
        EnableFieldButtons(bFields);
        UpdateData(false);
        FocusItem(bFields ? IDC_FIELD_LIST : IDC_SAMPLE_TEXT);
        return false;
    }

    void OnCommand(int nId, int nNotification) override {
        if (nId == IDC_FIELD_LIST && nNotification == LBN_SELCHANGE) {
            ShowFieldOfList();
        } else if (nId == IDC_SAMPLE_TEXT && nNotification == EN_SETFOCUS) {
            ShowFieldOfList();
        } else if (nNotification == BN_CLICKED) {
            switch (nId) {
            case IDC_ADD_FIELD:
                MakeFieldFromSelection(true);
                break;
            case IDC_EDIT_FIELD:
                MakeFieldFromSelection(false);
                break;
            case IDC_REMOVE_FIELD:
                Remove();
                break;
            case IDC_SELECT_FILE:
                SelectFile();
                break;
            case IDC_CLOSE:
                Close();
                break;
            default:
                break;
            }
        }
    }

    void OnPaint() override { ShowFieldOfList(); }

    const CHelpTable& HelpTable() const override {
        static const CHelpTable table{{IDC_SAMPLE_FILE_NAME, IDC_SELECT_FILE, IDC_SAMPLE_TEXT,
                                       IDC_ADD_FIELD, IDC_FIELD_LIST, IDC_EDIT_FIELD,
                                       IDC_REMOVE_FIELD},
                                      {IDC_CLOSE, IDC_HELP_BUTTON}};
        return table;
    }

  private:
    HWND List() const { return Item(IDC_FIELD_LIST); }
    LRESULT ListCount() const { return SendMessageA(List(), LB_GETCOUNT, 0, 0); }

    std::string SelectedName() const {
        LRESULT nSelected = SendMessageA(List(), LB_GETCURSEL, 0, 0);
        if (nSelected < 0) {
            return std::string();
        }
        LRESULT nLength = SendMessageA(List(), LB_GETTEXTLEN, static_cast<WPARAM>(nSelected), 0);
        std::vector<char> text(static_cast<size_t>(nLength > 0 ? nLength : 0) + 1, '\0');
        SendMessageA(List(), LB_GETTEXT, static_cast<WPARAM>(nSelected),
                     reinterpret_cast<LPARAM>(text.data()));
        return text.data();
    }

    void EnableFieldButtons(bool bEnable) {
        EnableItem(IDC_EDIT_FIELD, bEnable);
        EnableItem(IDC_REMOVE_FIELD, bEnable);
    }

    // The remembered file, read again; when it is gone the user may pick it
    // for this time. False when no copy can be had.
    bool LoadRememberedCopy() {
        CGlobalBlock sample = LoadSampleFile(pSampleFile);
        if (sample.IsEmpty()) {
            std::string strChosen;
            if (!BrowseForSampleFile(pSampleFile, strChosen, IDS_SAMPLE_FILTER,
                                     IDS_SAMPLE_DIALOG_TITLE)) {
                return false;
            }
            sample = LoadSampleFile(strChosen.c_str());
            if (sample.IsEmpty()) {
                return false;
            }
        }
        ExtractCopy(sample.Get(), nCopyStart, nCopyEnd);
        return true;
    }

    // The copy text in the sample edit, which gets the focus.
    void ShowCopy() {
        m_strSample = pCopyText != nullptr ? pCopyText : "";
        HWND hSample = Item(IDC_SAMPLE_TEXT);
        SetWindowTextA(hSample, m_strSample.c_str());
        SendMessageA(hSample, EM_SETREADONLY, TRUE, 0);
        InvalidateRect(hSample, nullptr, TRUE);
        FocusItem(IDC_SAMPLE_TEXT);
    }

    // Shows the field selected in the list in the sample and makes pDF a copy
    // of it; never while the Name dialog works on pDF.
    void ShowFieldOfList() {
        if (m_bNaming) {
            return;
        }
        HWND hSample = Item(IDC_SAMPLE_TEXT);
        if (SendMessageA(List(), LB_GETCURSEL, 0, 0) < 0) {
            if (ListCount() == 0) {
                SendMessageA(hSample, EM_SETSEL, static_cast<WPARAM>(-1), -1);
                SendMessageA(hSample, EM_SCROLLCARET, 0, 0);
                return;
            }
            SendMessageA(List(), LB_SETCURSEL, 0, 0);
        }
        const CDataField* pField =
            pDFList != nullptr ? pDFList->Find(SelectedName().c_str()) : nullptr;
        if (pField == nullptr) {
            return;
        }
        SendMessageA(hSample, EM_SETSEL, static_cast<WPARAM>(pField->GetStart()), pField->GetEnd());
        SendMessageA(hSample, EM_SCROLLCARET, 0, 0);
        CDataField* pCopy = new CDataField(*pField);
        delete pDF;
        pDF = pCopy;
    }

    void MakeFieldFromSelection(bool bAdd) {
        DWORD nFrom = 0;
        DWORD nTo = 0;
        SendDlgItemMessageA(Window(), IDC_SAMPLE_TEXT, EM_GETSEL, reinterpret_cast<WPARAM>(&nFrom),
                            reinterpret_cast<LPARAM>(&nTo));
        int32_t s = static_cast<int32_t>(nFrom);
        int32_t e = static_cast<int32_t>(nTo);
        if (e < s) {
            std::swap(s, e);
        }
        std::string strEdited = bAdd ? std::string() : SelectedName();
        if (pDFList != nullptr &&
            !pDFList->IsRangeFree(bAdd ? nullptr : strEdited.c_str(), s, e - 1)) {
            ShowFrameworkMessage(IDS_SAMPLE_OVERLAP);
            return;
        }
        const char* pCopy = pCopyText != nullptr ? pCopyText : "";
        e = EndBeforeLineBreak(pCopy, s, e);
        CSampleExtent* pExtent = ExtentOfSelection(pCopy, s, e);
        if (pExtent == nullptr) {
            ShowFrameworkMessage(IDS_SELECT_FIELD_TEXT);
            FocusItem(IDC_SAMPLE_TEXT);
            return;
        }
        if (bAdd) {
            PrepareNewField(pDF, pExtent);
        } else {
            const CDataField* pEdited =
                pDFList != nullptr ? pDFList->Find(strEdited.c_str()) : nullptr;
            if (pEdited == nullptr) {
                delete pExtent;
                return;
            }
            CDataField* pCopyOfField = new CDataField(*pEdited);
            delete pCopyOfField->pExtent;
            pCopyOfField->pExtent = pExtent;
            delete pDF;
            pDF = pCopyOfField;
        }
        // The Define dialog still paints behind the Name dialog: pDF stays the
        // field being named until it ends.
        m_bNaming = true;
        bool bNamed = false;
        try {
            bNamed = RunNameFieldDialog(Window());
        } catch (...) {
            m_bNaming = false;
            throw;
        }
        m_bNaming = false;
        if (!bNamed) {
            return;
        }
        if (pDFList == nullptr) {
            pDFList = new CDataFieldList;
        }
        CDataField* pNew = new CDataField(*pDF);
        if (bAdd) {
            pDFList->Insert(pNew);
        } else if (pDFList->Replace(strEdited.c_str(), pNew) == 0) {
            delete pNew;
        }
        FillFieldList(List());
        UpdateData(false);
        LRESULT nFound =
            SendMessageA(List(), LB_FINDSTRINGEXACT, 0, reinterpret_cast<LPARAM>(pDF->pName));
        SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(nFound), 0);
        EnableFieldButtons(true);
        FocusItem(IDC_SAMPLE_TEXT);
    }

    void Remove() {
        LRESULT nSelected = SendMessageA(List(), LB_GETCURSEL, 0, 0);
        if (nSelected < 0) {
            return;
        }
        if (pDFList != nullptr) {
            delete pDFList->Unlink(SelectedName().c_str());
        }
        SendMessageA(List(), LB_DELETESTRING, static_cast<WPARAM>(nSelected), 0);
        SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(nSelected > 0 ? nSelected - 1 : 0),
                     0);
        ShowFieldOfList();
        if (ListCount() == 0) {
            EnableFieldButtons(false);
        }
        FocusItem(IDC_SAMPLE_TEXT);
    }

    void SelectFile() {
        std::string strChosen;
        bool bChosen =
            BrowseForSampleFile(pSampleFile, strChosen, IDS_SAMPLE_FILTER, IDS_SAMPLE_DIALOG_TITLE);
        FocusItem(IDC_SAMPLE_TEXT);
        if (bChosen) {
            ChooseSampleCopy(strChosen);
        }
    }

    // The Select Data dialog on the file; on OK its copy becomes the sample
    // state's, and the fields it may have removed leave the list.
    bool ChooseSampleCopy(std::string strPath) {
        if (!strPath.empty()) {
            CharLowerA(&strPath[0]);
        }
        CCopySelection selection;
        selection.strFileName = strPath;
        selection.strCopyText = pCopyText != nullptr ? pCopyText : "";
        bool bOtherFile = pSampleFile != nullptr && strPath != pSampleFile;
        selection.nStart = bOtherFile ? -1 : nCopyStart;
        selection.nEnd = bOtherFile ? -1 : nCopyEnd;
        if (!RunSelectCopyDialog(Window(), selection)) {
            return false;
        }
        ReplaceOwnedText(pSampleFile, selection.strFileName.c_str());
        ReplaceOwnedText(pCopyText, selection.strCopyText.c_str());
        nCopyStart = selection.nStart;
        nCopyEnd = selection.nEnd;
        ShowCopy();
        FillFieldList(List());
        m_strFileName = strPath;
        UpdateData(false);
        return true;
    }

    void Close() {
        UpdateData(true);
        ReplaceOwnedText(pLastFieldName, m_strSelected.c_str());
        End(IDOK);
    }

    std::string m_strSelected;
    std::string m_strFileName;
    std::string m_strSample;
    // Set while the Name dialog works on pDF.
    bool m_bNaming = false;
};

} // namespace

bool RunDefineFieldsDialog(HWND hParent) {
    return RunGuarded(
               [hParent] {
                   CDefineFieldsDlg dialog;
                   return static_cast<uint16_t>(dialog.DoModal(hParent) == IDOK ? 1 : 0);
               },
               0) == 1;
}

void FillFieldList(HWND hList) {
    FillList(hList, LB_RESETCONTENT, LB_ADDSTRING);
}

void FillFieldCombo(HWND hCombo) {
    FillList(hCombo, CB_RESETCONTENT, CB_ADDSTRING);
}
