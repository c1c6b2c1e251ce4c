#include "NameFieldDialog.h"

#include "FieldState.h"
#include "core/FieldSelection.h"
#include "core/OwnedText.h"
#include "core/StringIds.h"
#include "plugin/framework/Catalogue.h"
#include "plugin/framework/ModalDialog.h"

#include <cstring>
#include <string>

namespace {

// The longest name the name edit takes.
constexpr size_t MaxFieldName = 30;

// A delimiter keyword as the dialog shows it; a single character as it is.
std::string DisplayedDelimiter(const char* pDelimiter) {
    unsigned nId = DelimiterDisplayId(pDelimiter);
    return nId != 0 ? LoadCatalogueString(nId)
                    : std::string(pDelimiter != nullptr ? pDelimiter : "");
}

bool IsNone(const char* pText) {
    return pText != nullptr && strcmp(pText, "NULL") == 0;
}

class CNameFieldDlg : public CModalDialog {
  public:
    CNameFieldDlg(CDataField& field, CFieldState& fields)
        : CModalDialog(IDD_NAME_FIELD), m_field(field), m_fields(fields) {}

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_FIELD_NAME, m_strName, MaxFieldName);
        dx.Check(IDC_REFERENCE, m_nReference);
        dx.Radio(IDC_UNITS_CHARACTERS, m_nUnits);
        dx.Radio(IDC_LENGTH_COUNT, m_nLength);
        dx.Text(IDC_COUNT_TEXT, m_strCount);
        dx.Text(IDC_UNTIL_TEXT, m_strUntil);
        dx.Check(IDC_STRIP_SPACES, m_nStrip);
        dx.Text(IDC_FIELD_SAMPLE, m_strSample);
        dx.Radio(IDC_TYPE_TEXT, m_nType);
    }

    bool OnInitDialog() override {
        m_strSample = m_field.GetSample() != nullptr ? m_field.GetSample() : "";
        if (m_field.pName != nullptr) {
            m_strName = m_field.pName;
            m_bEditing = true;
            m_strNameOnEntry = m_field.pName;
        }
        m_nType = m_field.nType;
        m_nReference = m_field.bReference;
        // Characters only for a selection inside one line with a character
        // after it on that line.
        if (NeedsLineUnits(*m_field.pExtent)) {
            EnableItem(IDC_UNITS_CHARACTERS, false);
            m_field.nUnits = UnitsLines;
            m_field.nLength = LengthCount;
        }
        m_nUnits = m_field.nUnits;
        if (m_nUnits == UnitsCharacters) {
            EnableItem(IDC_STRIP_SPACES, true);
            m_strCount = std::to_string(m_field.GetCharCount());
            m_strUntil = DisplayedDelimiter(m_field.GetCharDelimiter());
        } else {
            EnableItem(IDC_STRIP_SPACES, false);
            m_strCount = std::to_string(m_field.GetLineCount());
            if (IsNone(m_field.GetNextLine())) {
                EnableItem(IDC_LENGTH_UNTIL, false);
            }
            m_strUntil = m_field.GetNextLine() != nullptr ? m_field.GetNextLine() : "";
        }
        m_nLength = m_field.nLength;
        ShowLengthMode(m_nLength == LengthCount);
        m_nStrip = m_field.bStripSpaces;
        UpdateData(false);
        FocusItem(IDC_FIELD_NAME);
        return false;
    }

    void OnCommand(int nId, int nNotification) override {
        if (nNotification != BN_CLICKED) {
            return;
        }
        switch (nId) {
        case IDC_UNITS_CHARACTERS:
            OnCharacters();
            break;
        case IDC_UNITS_LINES:
            OnLines();
            break;
        case IDC_LENGTH_COUNT:
            ShowLengthMode(true);
            break;
        case IDC_LENGTH_UNTIL:
            ShowLengthMode(false);
            break;
        default:
            break;
        }
    }

    bool Validate() override {
        if (!IsValidName(m_strName.c_str())) {
            return Refuse(IDC_FIELD_NAME, IDS_INVALID_NAME);
        }
        // An edited field that keeps its name is not checked against itself.
        if (!m_bEditing || m_strName != m_strNameOnEntry) {
            if (m_fields.pList != nullptr && m_fields.pList->Contains(m_strName.c_str())) {
                return Refuse(IDC_FIELD_NAME, IDS_FIELD_NAME_EXISTS);
            }
            m_field.SetName(m_strName.c_str());
        }
        m_field.bReference = m_nReference;
        m_field.nType = m_nType;
        m_field.nUnits = m_nUnits;
        m_field.nLength = m_nLength;
        m_field.bStripSpaces = m_nStrip;
        ReplaceOwnedText(m_fields.pLastName, m_strName.c_str());
        return true;
    }

  private:
    // Count: its edit on, the delimiter's off; Until the other way round.
    void ShowLengthMode(bool bCount) {
        EnableItem(IDC_COUNT_TEXT, bCount);
        EnableItem(IDC_UNTIL_TEXT, !bCount);
    }

    void OnCharacters() {
        UpdateData(true);
        m_strCount = std::to_string(m_field.GetCharCount());
        if (IsNone(m_field.GetCharDelimiter())) {
            m_nLength = LengthCount;
            ShowLengthMode(true);
        }
        EnableItem(IDC_LENGTH_UNTIL, true);
        m_strUntil = DisplayedDelimiter(m_field.GetCharDelimiter());
        EnableItem(IDC_STRIP_SPACES, true);
        UpdateData(false);
    }

    void OnLines() {
        UpdateData(true);
        m_strCount = std::to_string(m_field.GetLineCount());
        bool bNoNextLine = IsNone(m_field.GetNextLine());
        if (bNoNextLine) {
            m_nLength = LengthCount;
            ShowLengthMode(true);
        }
        EnableItem(IDC_LENGTH_UNTIL, !bNoNextLine);
        m_strUntil = m_field.GetNextLine() != nullptr ? m_field.GetNextLine() : "";
        EnableItem(IDC_STRIP_SPACES, false);
        UpdateData(false);
    }

    CDataField& m_field;
    CFieldState& m_fields;
    std::string m_strName;
    int m_nReference = 0;
    int m_nUnits = -1;
    int m_nLength = -1;
    std::string m_strCount;
    std::string m_strUntil;
    int m_nStrip = 0;
    std::string m_strSample;
    int m_nType = -1;
    bool m_bEditing = false;
    std::string m_strNameOnEntry;
};

} // namespace

bool RunNameFieldDialog(HWND hParent, CFieldState& fields) {
    if (fields.pField == nullptr || fields.pField->pExtent == nullptr) {
        return false;
    }
    CNameFieldDlg dialog(*fields.pField, fields);
    return dialog.DoModal(hParent) == IDOK;
}
