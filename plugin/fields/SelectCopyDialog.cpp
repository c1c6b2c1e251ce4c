#include "SelectCopyDialog.h"

#include "FieldState.h"
#include "SampleFile.h"
#include "core/FieldSelection.h"
#include "core/StringIds.h"
#include "plugin/framework/GdiObject.h"
#include "plugin/framework/Messages.h"
#include "plugin/framework/ModalDialog.h"

namespace {

class CSelectCopyDlg : public CModalDialog {
  public:
    CSelectCopyDlg(CCopySelection& selection, CFieldState& fields)
        : CModalDialog(IDD_SELECT_COPY), m_selection(selection), m_fields(fields) {}

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_COPY_SAMPLE, m_strSample);
        dx.Check(IDC_DELETE_FIELDS, m_nDelete);
    }

    bool OnInitDialog() override {
        SetDisplayFont();
        CGlobalBlock sample = LoadSampleFile(m_selection.strFileName.c_str());
        CGlobalLock<const char> text(sample.Get());
        if (text.IsLocked()) {
            m_strSample = text.Data();
        }
        UpdateData(false);
        // The focus selects the copy chosen before.
        FocusItem(IDC_COPY_SAMPLE);
        return false;
    }

    void OnCommand(int nId, int nNotification) override {
        if (nId == IDC_COPY_SAMPLE && nNotification == EN_SETFOCUS) {
            SendDlgItemMessageA(Window(), IDC_COPY_SAMPLE, EM_SETSEL,
                                static_cast<WPARAM>(m_selection.nStart),
                                static_cast<LPARAM>(m_selection.nEnd));
            SendDlgItemMessageA(Window(), IDC_COPY_SAMPLE, EM_SCROLLCARET, 0, 0);
        }
    }

    bool OnOK() override {
        UpdateData(true);
        DWORD s = 0;
        DWORD e = 0;
        SendDlgItemMessageA(Window(), IDC_COPY_SAMPLE, EM_GETSEL, reinterpret_cast<WPARAM>(&s),
                            reinterpret_cast<LPARAM>(&e));
        int32_t nStart = static_cast<int32_t>(s);
        int32_t nEnd = EndBeforeLineBreak(m_strSample.c_str(), nStart, static_cast<int32_t>(e));
        if (nEnd - nStart == 0) {
            ShowFrameworkMessage(IDS_SELECT_FIRST_COPY);
            return false;
        }
        CDataFieldList*& pList = m_fields.pList;
        CDataField*& pField = m_fields.pField;
        if (m_nDelete != 0) {
            delete pList;
            pList = nullptr;
        }
        // Offsets are 16-bit values, as the publication stores them.
        if (pList != nullptr && static_cast<int16_t>(nEnd) < m_selection.nFieldsEnd) {
            if (ShowFrameworkMessage(IDS_FIELDS_PAST_END, MB_OKCANCEL | MB_ICONSTOP) != IDOK) {
                return false;
            }
            pList->RemoveAfter(nEnd);
            if (pField != nullptr &&
                (pField->pName == nullptr || !pList->Contains(pField->pName))) {
                delete pField;
                pField = nullptr;
            }
        }
        m_selection.strCopyText =
            m_strSample.substr(static_cast<size_t>(nStart), static_cast<size_t>(nEnd - nStart));
        m_selection.nStart = static_cast<int16_t>(nStart);
        m_selection.nEnd = static_cast<int16_t>(nEnd);
        return true;
    }

  private:
    // The sample is shown in 8-point Terminal, a fixed-pitch font, so that
    // columns of the data line up.
    void SetDisplayFont() {
        LOGFONTA font{};
        HDC hScreen = GetDC(nullptr);
        font.lfHeight = -MulDiv(8, GetDeviceCaps(hScreen, LOGPIXELSY), 72);
        ReleaseDC(nullptr, hScreen);
        font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpynA(font.lfFaceName, "Terminal", LF_FACESIZE);
        m_font.Reset(CreateFontIndirectA(&font));
        SendDlgItemMessageA(Window(), IDC_COPY_SAMPLE, WM_SETFONT,
                            reinterpret_cast<WPARAM>(m_font.Get()), TRUE);
    }

    CCopySelection& m_selection;
    CFieldState& m_fields;
    std::string m_strSample;
    int m_nDelete = 0;
    // Lives as long as the dialog object, which outlives its window.
    CFont m_font;
};

} // namespace

bool RunSelectCopyDialog(HWND hParent, CCopySelection& selection, CFieldState& fields) {
    CSelectCopyDlg dialog(selection, fields);
    return dialog.DoModal(hParent) == IDOK;
}
