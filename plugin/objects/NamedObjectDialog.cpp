#include "NamedObjectDialog.h"

#include "core/NamedObject.h"
#include "core/ObjectValues.h"
#include "core/OwnedText.h"
#include "core/StringIds.h"
#include "plugin/fields/DefineFieldsDialog.h"
#include "plugin/fonts/FontMap.h"
#include "plugin/framework/Catalogue.h"
#include "plugin/framework/Messages.h"
#include "plugin/framework/ModalDialog.h"

#include <cstring>
#include <string>

namespace {

// The longest object name the name edit takes.
constexpr size_t MaxObjectName = 30;

// Every control of the text attributes, labels and group included.
const int TextControls[] = {IDC_TEXT_GROUP,      IDC_FONT_LABEL,    IDC_FONT,
                            IDC_FONT_SIZE_LABEL, IDC_FONT_SIZE,     IDC_FONT_SIZE_UNIT,
                            IDC_ALIGNMENT_LABEL, IDC_ALIGNMENT,     IDC_LEADING_LABEL,
                            IDC_LEADING,         IDC_LEADING_UNIT,  IDC_FLOW,
                            IDC_CYAN_LABEL,      IDC_MAGENTA_LABEL, IDC_YELLOW_LABEL,
                            IDC_BLACK_LABEL,     IDC_CYAN,          IDC_MAGENTA,
                            IDC_YELLOW,          IDC_BLACK,         IDC_CYAN_UNIT,
                            IDC_MAGENTA_UNIT,    IDC_YELLOW_UNIT,   IDC_BLACK_UNIT};
const int GraphicControls[] = {IDC_GRAPHIC_GROUP, IDC_PLACEMENT_LABEL, IDC_PLACEMENT};

class CNamedObjectDlg : public CModalDialog {
  public:
    CNamedObjectDlg(CNamedObject& object, const CNamedObjectParts& parts)
        : CModalDialog(IDD_NAMED_OBJECT), m_object(object), m_area(*object.pArea), m_parts(parts),
          m_objects(parts.objects), m_fields(parts.fields), m_fontMap(parts.fontMap) {}

  protected:
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_OBJECT_NAME, m_strName, MaxObjectName);
        dx.Text(IDC_CYAN, m_astrColor[0]);
        dx.Text(IDC_MAGENTA, m_astrColor[1]);
        dx.Text(IDC_YELLOW, m_astrColor[2]);
        dx.Text(IDC_BLACK, m_astrColor[3]);
        dx.Text(IDC_FONT_SIZE, m_strSize);
        dx.Text(IDC_LEADING, m_strLeading);
        dx.ComboText(IDC_FONT, m_strFont);
        dx.ComboText(IDC_PLACEMENT, m_strPlacement);
        dx.ComboText(IDC_DATA_FIELD, m_strDataField);
        dx.ComboText(IDC_ALIGNMENT, m_strAlignment);
        dx.Check(IDC_FLOW, m_nFlow);
    }

    bool OnInitDialog() override {
        m_strName.assign(m_area.strName.Text(),
                         m_area.strName.Length() < 50 ? m_area.strName.Length() : 50);
        m_strOpeningName = m_strName;
        m_bGraphic = m_area.nKind == KindGraphic;
        if (m_bGraphic) {
            OpenForGraphic();
        } else if (!OpenForText()) {
            End(0);
            return true;
        }
        FillFieldCombo(Item(IDC_DATA_FIELD), m_fields.pList);
        if (m_fields.pLastName != nullptr) {
            m_strDataField = m_fields.pLastName;
        }
        UpdateData(false);
        return true;
    }

    void OnCommand(int nId, int nNotification) override {
        if (nId == IDC_DEFINE_FIELDS && nNotification == BN_CLICKED) {
            DefineFields();
        } else if (nId == IDC_DATA_FIELD && nNotification == CBN_SELCHANGE) {
            std::string strField;
            CDataExchange dx(Window(), true);
            dx.ComboText(IDC_DATA_FIELD, strField);
            if (SendDlgItemMessageA(Window(), IDC_DATA_FIELD, CB_GETCURSEL, 0, 0) >= 0) {
                ReplaceOwnedText(m_fields.pLastName, strField.c_str());
            }
        }
    }

    bool Validate() override;

  private:
    void EnableGroup(const int* pIds, size_t nCount, bool bEnable) {
        for (size_t i = 0; i < nCount; ++i) {
            EnableItem(pIds[i], bEnable);
        }
    }

    void OpenForGraphic() {
        EnableGroup(TextControls, sizeof TextControls / sizeof TextControls[0], false);
        SendDlgItemMessageA(Window(), IDC_FONT, CB_RESETCONTENT, 0, 0);
        SendDlgItemMessageA(Window(), IDC_ALIGNMENT, CB_RESETCONTENT, 0, 0);
        m_nFlow = 0;
        EnableGroup(GraphicControls, sizeof GraphicControls / sizeof GraphicControls[0], true);
        std::string strPlacement = LoadCatalogueString(IDS_PLACE_SCALE_FIT);
        SendDlgItemMessageA(Window(), IDC_PLACEMENT, CB_RESETCONTENT, 0, 0);
        SendDlgItemMessageA(Window(), IDC_PLACEMENT, CB_ADDSTRING, 0,
                            reinterpret_cast<LPARAM>(strPlacement.c_str()));
        m_strPlacement = strPlacement;
    }

    // False when there is no font mapping file (ZTM5002 shown).
    bool OpenForText() {
        EnableGroup(GraphicControls, sizeof GraphicControls / sizeof GraphicControls[0], false);
        SendDlgItemMessageA(Window(), IDC_PLACEMENT, CB_RESETCONTENT, 0, 0);
        EnableGroup(TextControls, sizeof TextControls / sizeof TextControls[0], true);
        if (!RequireFontMap(m_fontMap)) {
            return false;
        }
        FillFontList(m_fontMap, Item(IDC_FONT));
        if (!MapFontName(m_fontMap, m_strFont, Item(IDC_FONT), m_area.strFont.Text())) {
            ShowFrameworkMessage(IDS_FONT_NOT_MAPPED);
            m_strFont = LoadCatalogueString(IDS_DEFAULT_FONT);
        }
        m_strSize = FormatGeneral(m_area.fSize);
        m_strLeading = FormatGeneral(m_area.fSpacing);
        m_strAlignment = AlignmentEntry(m_area.nAlignment);
        m_nFlow = AlignmentFlows(m_area.nAlignment) ? 1 : 0;
        for (unsigned nId :
             {IDS_ALIGN_LEFT, IDS_ALIGN_RIGHT, IDS_ALIGN_CENTER, IDS_ALIGN_JUSTIFY}) {
            std::string strEntry = LoadCatalogueString(nId);
            SendDlgItemMessageA(Window(), IDC_ALIGNMENT, CB_ADDSTRING, 0,
                                reinterpret_cast<LPARAM>(strEntry.c_str()));
        }
        const float afColor[4] = {m_area.fCyan, m_area.fMagenta, m_area.fYellow, m_area.fBlack};
        for (int i = 0; i < 4; ++i) {
            m_astrColor[i] = FormatPercent(afColor[i]);
        }
        m_fFirstX = m_area.fFirstPosX;
        m_fFirstY = m_area.fFirstPosY;
        return true;
    }

    void DefineFields() {
        UpdateData(true);
        RunDefineFieldsDialog(Window(), m_fields, m_parts.sample, m_parts.jobFiles.pDocDefPath);
        FillFieldCombo(Item(IDC_DATA_FIELD), m_fields.pList);
        if (m_fields.pLastName != nullptr) {
            m_strDataField = m_fields.pLastName;
        }
        UpdateData(false);
    }

    bool ValidateText(const CDataField* pField);

    CNamedObject& m_object;
    CAreaDefinition& m_area;
    const CNamedObjectParts& m_parts;
    CObjectState& m_objects;
    CFieldState& m_fields;
    CFontMapState& m_fontMap;
    std::string m_strName;
    std::string m_astrColor[4];
    std::string m_strSize;
    std::string m_strLeading;
    std::string m_strFont;
    std::string m_strPlacement;
    std::string m_strDataField;
    std::string m_strAlignment;
    int m_nFlow = 0;
    std::string m_strOpeningName;
    bool m_bGraphic = false;
    float m_fFirstX = -1;
    float m_fFirstY = -1;
};

// The checks and writes of a text object, in their order.
bool CNamedObjectDlg::ValidateText(const CDataField* pField) {
    if (!m_strDataField.empty() && (pField == nullptr || pField->nType != TypeText)) {
        return Refuse(IDC_DATA_FIELD, IDS_SELECT_TEXT_FIELD);
    }
    float fSize = 0;
    if (!ReadNumberText(m_strSize, fSize) || fSize < 4 || fSize > 650) {
        return Refuse(IDC_FONT_SIZE, IDS_FONT_SIZE_RANGE);
    }
    float fLeading = 0;
    if (!ReadNumberText(m_strLeading, fLeading) || fLeading <= 0) {
        return Refuse(IDC_LEADING, IDS_LEADING_RANGE);
    }
    if (m_strFont.empty()) {
        return Refuse(IDC_FONT, IDS_SELECT_FONT);
    }
    m_area.nAlignment = AlignmentCode(m_strAlignment, m_nFlow != 0);
    m_area.strFont = m_strFont.c_str();
    m_area.fSize = fSize;
    m_area.fSpacing = fLeading;
    m_area.fFirstPosX = m_fFirstX;
    m_area.fFirstPosY = m_fFirstY;
    const int anColorIds[4] = {IDC_CYAN, IDC_MAGENTA, IDC_YELLOW, IDC_BLACK};
    float afColor[4] = {};
    for (int i = 0; i < 4; ++i) {
        if (!ReadNumberText(m_astrColor[i], afColor[i]) || afColor[i] < 0 || afColor[i] > 100) {
            return Refuse(anColorIds[i], IDS_COLOR_RANGE);
        }
    }
    SetColor(afColor[0] * 0.01f, afColor[1] * 0.01f, afColor[2] * 0.01f, afColor[3] * 0.01f,
             &m_object);
    return true;
}

bool CNamedObjectDlg::Validate() {
    if (!IsValidName(m_strName.c_str())) {
        return Refuse(IDC_OBJECT_NAME, IDS_INVALID_NAME);
    }
    const CDataField* pField = !m_strDataField.empty() && m_fields.pList != nullptr
                                   ? m_fields.pList->Find(m_strDataField.c_str())
                                   : nullptr;
    if (m_bGraphic) {
        if (!m_strDataField.empty() && (pField == nullptr || pField->nType != TypeEps)) {
            return Refuse(IDC_DATA_FIELD, IDS_SELECT_EPS_FIELD);
        }
        if (SendDlgItemMessageA(Window(), IDC_PLACEMENT, CB_GETCURSEL, 0, 0) == 0) {
            m_area.nPlacement = PlaceScaleToFit;
        }
    } else if (!ValidateText(pField)) {
        return false;
    }
    if (m_strDataField.empty() &&
        ShowFrameworkMessage(IDS_NO_DATA_FIELD_QUESTION, MB_YESNO) == IDYES) {
        FocusItem(IDC_DATA_FIELD);
        return false;
    }
    if (m_objects.pNames == nullptr) {
        m_objects.pNames = new CStringList;
    }
    if (m_strName != m_strOpeningName && m_objects.pNames->Contains(m_strName.c_str())) {
        return Refuse(IDC_OBJECT_NAME, IDS_OBJECT_NAME_EXISTS);
    }
    // The name (renamed or not) moves to the end of the list.
    m_objects.pNames->Remove(m_strOpeningName.c_str());
    m_objects.pNames->Add(m_strName.c_str());
    ReplaceOwnedText(m_objects.pLastName, m_strName.c_str());
    m_area.strName = m_strName.c_str();
    m_area.nKind = m_bGraphic ? KindGraphic : KindText;
    if (!m_strDataField.empty()) {
        strncpy(m_object.szDataField, m_strDataField.c_str(), MaxDataFieldName);
        m_object.szDataField[MaxDataFieldName] = '\0';
    }
    return true;
}

} // namespace

bool EditNamedObject(HWND hOwner, CNamedObject* pObject, const CNamedObjectParts& parts) {
    if (pObject == nullptr || pObject->pArea == nullptr) {
        return false;
    }
    CNamedObjectDlg dialog(*pObject, parts);
    return dialog.DoModal(hOwner) == IDOK;
}
