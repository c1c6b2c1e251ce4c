#include "DefineFieldsDialog.h"

#include "FieldState.h"
#include "NameFieldDialog.h"
#include "SampleEdit.h"
#include "SampleFile.h"
#include "SampleState.h"
#include "SelectCopyDialog.h"
#include "core/FieldSelection.h"
#include "core/OwnedText.h"
#include "core/StringIds.h"
#include "plugin/framework/CommandGuard.h"
#include "plugin/framework/Messages.h"
#include "plugin/framework/ModalDialog.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

void FillList(HWND hList, CDataFieldList* pList, UINT nReset, UINT nAdd) {
    SendMessageA(hList, nReset, 0, 0);
    if (pList == nullptr) {
        return;
    }
    pList->Rewind();
    while (const CDataField* pField = pList->Next()) {
        SendMessageA(hList, nAdd, 0,
                     reinterpret_cast<LPARAM>(pField->pName != nullptr ? pField->pName : ""));
    }
}

class CDefineFieldsDlg : public CModalDialog {
  public:
    CDefineFieldsDlg(CFieldState& fields, CSampleState& sample, const char* pDocDefPath)
        : CModalDialog(IDD_DEFINE_FIELDS), m_fields(fields), m_sample(sample),
          m_pDocDefPath(pDocDefPath) {}

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.ListText(IDC_FIELD_LIST, m_strSelected);
        dx.Text(IDC_SAMPLE_FILE_NAME, m_strFileName);
        dx.Text(IDC_SAMPLE_TEXT, m_strSample);
    }

    bool OnInitDialog() override {
        MakeSampleEdit(Item(IDC_SAMPLE_TEXT));
        if (m_sample.pFile != nullptr) {
            if (!LoadRememberedCopy()) {
                End(0);
                return true;
            }
            if (m_sample.pCopyText != nullptr) {
                ShowCopy();
            }
        } else {
            std::string strChosen;
            if (!ChooseFirstSampleFile(m_pDocDefPath, strChosen) || !ChooseSampleCopy(strChosen)) {
                End(0);
                return true;
            }
        }
        FillFieldList(List(), m_fields.pList);
        m_strSelected = m_fields.pLastName != nullptr ? m_fields.pLastName : "";
        m_strFileName = m_sample.pFile != nullptr ? m_sample.pFile : "";
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
        CGlobalBlock sample = LoadSampleFile(m_sample.pFile);
        if (sample.IsEmpty()) {
            std::string strChosen;
            if (!BrowseForSampleFile(m_sample.pFile, strChosen, IDS_SAMPLE_FILTER,
                                     IDS_SAMPLE_DIALOG_TITLE)) {
                return false;
            }
            sample = LoadSampleFile(strChosen.c_str());
            if (sample.IsEmpty()) {
                return false;
            }
        }
        ExtractCopy(m_sample, sample.Get(), m_sample.nCopyStart, m_sample.nCopyEnd);
        return true;
    }

    // The copy text in the sample edit, which gets the focus.
    void ShowCopy() {
        m_strSample = m_sample.pCopyText != nullptr ? m_sample.pCopyText : "";
        HWND hSample = Item(IDC_SAMPLE_TEXT);
        SetWindowTextA(hSample, m_strSample.c_str());
        SendMessageA(hSample, EM_SETREADONLY, TRUE, 0);
        InvalidateRect(hSample, nullptr, TRUE);
        FocusItem(IDC_SAMPLE_TEXT);
    }

    // Shows the field selected in the list in the sample and makes the field
    // being worked on a copy of it; never while the Name dialog works on it.
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
            m_fields.pList != nullptr ? m_fields.pList->Find(SelectedName().c_str()) : nullptr;
        if (pField == nullptr) {
            return;
        }
        SendMessageA(hSample, EM_SETSEL, static_cast<WPARAM>(pField->GetStart()), pField->GetEnd());
        SendMessageA(hSample, EM_SCROLLCARET, 0, 0);
        CDataField* pCopy = new CDataField(*pField);
        delete m_fields.pField;
        m_fields.pField = pCopy;
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
        if (m_fields.pList != nullptr &&
            !m_fields.pList->IsRangeFree(bAdd ? nullptr : strEdited.c_str(), s, e - 1)) {
            ShowFrameworkMessage(IDS_SAMPLE_OVERLAP);
            return;
        }
        const char* pCopy = m_sample.pCopyText != nullptr ? m_sample.pCopyText : "";
        e = EndBeforeLineBreak(pCopy, s, e);
        CSampleExtent* pExtent = ExtentOfSelection(pCopy, s, e);
        if (pExtent == nullptr) {
            ShowFrameworkMessage(IDS_SELECT_FIELD_TEXT);
            FocusItem(IDC_SAMPLE_TEXT);
            return;
        }
        if (bAdd) {
            PrepareNewField(m_fields.pField, pExtent);
        } else {
            const CDataField* pEdited =
                m_fields.pList != nullptr ? m_fields.pList->Find(strEdited.c_str()) : nullptr;
            if (pEdited == nullptr) {
                delete pExtent;
                return;
            }
            CDataField* pCopyOfField = new CDataField(*pEdited);
            delete pCopyOfField->pExtent;
            pCopyOfField->pExtent = pExtent;
            delete m_fields.pField;
            m_fields.pField = pCopyOfField;
        }
        NameAndStore(bAdd, strEdited);
    }

    // Names the field worked on in the Name dialog and, when it is named,
    // adds it to the list (or puts it in place of the field edited) and
    // selects it.
    void NameAndStore(bool bAdd, const std::string& strEdited) {
        // The Define dialog still paints behind the Name dialog: the field
        // worked on stays the one being named until it ends.
        m_bNaming = true;
        bool bNamed = false;
        try {
            bNamed = RunNameFieldDialog(Window(), m_fields);
        } catch (...) {
            m_bNaming = false;
            throw;
        }
        m_bNaming = false;
        if (!bNamed) {
            return;
        }
        if (m_fields.pList == nullptr) {
            m_fields.pList = new CDataFieldList;
        }
        CDataField* pNew = new CDataField(*m_fields.pField);
        if (bAdd) {
            m_fields.pList->Insert(pNew);
        } else if (m_fields.pList->Replace(strEdited.c_str(), pNew) == 0) {
            delete pNew;
        }
        FillFieldList(List(), m_fields.pList);
        UpdateData(false);
        LRESULT nFound = SendMessageA(List(), LB_FINDSTRINGEXACT, 0,
                                      reinterpret_cast<LPARAM>(m_fields.pField->pName));
        SendMessageA(List(), LB_SETCURSEL, static_cast<WPARAM>(nFound), 0);
        EnableFieldButtons(true);
        FocusItem(IDC_SAMPLE_TEXT);
    }

    void Remove() {
        LRESULT nSelected = SendMessageA(List(), LB_GETCURSEL, 0, 0);
        if (nSelected < 0) {
            return;
        }
        if (m_fields.pList != nullptr) {
            delete m_fields.pList->Unlink(SelectedName().c_str());
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
        bool bChosen = BrowseForSampleFile(m_sample.pFile, strChosen, IDS_SAMPLE_FILTER,
                                           IDS_SAMPLE_DIALOG_TITLE);
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
        selection.strCopyText = m_sample.pCopyText != nullptr ? m_sample.pCopyText : "";
        bool bOtherFile = m_sample.pFile != nullptr && strPath != m_sample.pFile;
        selection.nStart = bOtherFile ? -1 : m_sample.nCopyStart;
        selection.nEnd = bOtherFile ? -1 : m_sample.nCopyEnd;
        selection.nFieldsEnd = m_sample.nCopyEnd;
        if (!RunSelectCopyDialog(Window(), selection, m_fields)) {
            return false;
        }
        ReplaceOwnedText(m_sample.pFile, selection.strFileName.c_str());
        ReplaceOwnedText(m_sample.pCopyText, selection.strCopyText.c_str());
        m_sample.nCopyStart = selection.nStart;
        m_sample.nCopyEnd = selection.nEnd;
        ShowCopy();
        FillFieldList(List(), m_fields.pList);
        m_strFileName = strPath;
        UpdateData(false);
        return true;
    }

    void Close() {
        UpdateData(true);
        ReplaceOwnedText(m_fields.pLastName, m_strSelected.c_str());
        End(IDOK);
    }

    std::string m_strSelected;
    std::string m_strFileName;
    std::string m_strSample;
    CFieldState& m_fields;
    CSampleState& m_sample;
    const char* m_pDocDefPath; // the sample file is first looked for beside it
    // Set while the Name dialog works on the field.
    bool m_bNaming = false;
};

} // namespace

bool RunDefineFieldsDialog(HWND hParent, CFieldState& fields, CSampleState& sample,
                           const char* pDocDefPath) {
    return RunGuarded(
               [&] {
                   CDefineFieldsDlg dialog(fields, sample, pDocDefPath);
                   return static_cast<uint16_t>(dialog.DoModal(hParent) == IDOK ? 1 : 0);
               },
               0) == 1;
}

void FillFieldList(HWND hList, CDataFieldList* pList) {
    FillList(hList, pList, LB_RESETCONTENT, LB_ADDSTRING);
}

void FillFieldCombo(HWND hCombo, CDataFieldList* pList) {
    FillList(hCombo, pList, CB_RESETCONTENT, CB_ADDSTRING);
}
