#include "DataExchange.h"

#include "Catalogue.h"
#include "Messages.h"
#include "core/StringIds.h"

#include <vector>

namespace {

std::string WindowText(HWND hWindow) {
    int nLength = GetWindowTextLengthA(hWindow);
    std::vector<char> text(static_cast<size_t>(nLength > 0 ? nLength : 0) + 1, '\0');
    GetWindowTextA(hWindow, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool IsClass(HWND hWindow, const char* pClass) {
    char szClass[32] = {};
    GetClassNameA(hWindow, szClass, sizeof szClass);
    return lstrcmpiA(szClass, pClass) == 0;
}

bool IsRadioButton(HWND hWindow) {
    if (hWindow == nullptr || !IsClass(hWindow, "Button")) {
        return false;
    }
    LONG nType = GetWindowLongA(hWindow, GWL_STYLE) & BS_TYPEMASK;
    return nType == BS_RADIOBUTTON || nType == BS_AUTORADIOBUTTON;
}

// The messages through which a combo box or a list box selects and reads its
// entries.
struct CListMessages {
    UINT nSelectString;
    UINT nGetSelection;
    UINT nGetTextLength;
    UINT nGetText;
};
const CListMessages ComboMessages = {CB_SELECTSTRING, CB_GETCURSEL, CB_GETLBTEXTLEN, CB_GETLBTEXT};
const CListMessages ListMessages = {LB_SELECTSTRING, LB_GETCURSEL, LB_GETTEXTLEN, LB_GETTEXT};

// Selects the first entry that begins with the value (the selection stays
// when none does), or reads the selected entry's text (empty when none is).
void ExchangeEntry(HWND hList, const CListMessages& messages, bool bSave, std::string& strValue) {
    if (!bSave) {
        SendMessageA(hList, messages.nSelectString, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(strValue.c_str()));
        return;
    }
    // CB_ERR and LB_ERR are both -1.
    LRESULT nSelected = SendMessageA(hList, messages.nGetSelection, 0, 0);
    LRESULT nLength = nSelected < 0 ? -1
                                    : SendMessageA(hList, messages.nGetTextLength,
                                                   static_cast<WPARAM>(nSelected), 0);
    if (nLength < 0) {
        strValue.clear();
        return;
    }
    std::vector<char> text(static_cast<size_t>(nLength) + 1, '\0');
    SendMessageA(hList, messages.nGetText, static_cast<WPARAM>(nSelected),
                 reinterpret_cast<LPARAM>(text.data()));
    strValue = text.data();
}

} // namespace

void ShowRefusal(HWND hDialog, int nId, const std::string& strMessage) {
    FrameworkMessageBox(strMessage.c_str(), MB_OK);
    HWND hControl = GetDlgItem(hDialog, nId);
    if (hControl == nullptr) {
        return;
    }
    SendMessageA(hDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hControl), TRUE);
    if (IsClass(hControl, "Edit")) {
        SendMessageA(hControl, EM_SETSEL, 0, -1);
    }
}

void CDataExchange::Fail(int nId, const std::string& strMessage) {
    m_bFailed = true;
    ShowRefusal(m_hDialog, nId, strMessage);
}

void CDataExchange::Text(int nId, std::string& strValue, size_t nMaxLength) {
    if (Skipped()) {
        return;
    }
    HWND hEdit = Control(nId);
    if (!m_bSave) {
        if (nMaxLength > 0) {
            SendMessageA(hEdit, EM_LIMITTEXT, nMaxLength, 0);
        }
        SetWindowTextA(hEdit, strValue.c_str());
        return;
    }
    std::string strText = WindowText(hEdit);
    if (nMaxLength > 0 && strText.size() > nMaxLength) {
        std::string strMessage = LoadCatalogueString(IDS_ENTER_NO_MORE_THAN);
        size_t nAt = strMessage.find("%1");
        if (nAt != std::string::npos) {
            strMessage.replace(nAt, 2, std::to_string(nMaxLength));
        }
        Fail(nId, strMessage);
        return;
    }
    strValue = strText;
}

void CDataExchange::Check(int nId, int& nValue) {
    if (Skipped()) {
        return;
    }
    HWND hButton = Control(nId);
    if (m_bSave) {
        nValue = static_cast<int>(SendMessageA(hButton, BM_GETCHECK, 0, 0));
    } else {
        SendMessageA(hButton, BM_SETCHECK, static_cast<WPARAM>(nValue), 0);
    }
}

void CDataExchange::Radio(int nFirstId, int& nIndex) {
    if (Skipped()) {
        return;
    }
    int nChecked = -1;
    int i = 0;
    for (HWND hButton = Control(nFirstId); IsRadioButton(hButton);
         hButton = GetWindow(hButton, GW_HWNDNEXT), ++i) {
        if (i > 0 && (GetWindowLongA(hButton, GWL_STYLE) & WS_GROUP) != 0) {
            break;
        }
        if (m_bSave) {
            if (SendMessageA(hButton, BM_GETCHECK, 0, 0) == BST_CHECKED && nChecked < 0) {
                nChecked = i;
            }
        } else {
            SendMessageA(hButton, BM_SETCHECK, i == nIndex ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    if (m_bSave) {
        nIndex = nChecked;
    }
}

void CDataExchange::ComboText(int nId, std::string& strValue) {
    if (Skipped()) {
        return;
    }
    HWND hCombo = Control(nId);
    bool bDropDownList = (GetWindowLongA(hCombo, GWL_STYLE) & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
    if (m_bSave && !bDropDownList) {
        // A combo box with an edit field: what the field holds.
        strValue = WindowText(hCombo);
        return;
    }
    ExchangeEntry(hCombo, ComboMessages, m_bSave, strValue);
}

void CDataExchange::ListText(int nId, std::string& strValue) {
    if (!Skipped()) {
        ExchangeEntry(Control(nId), ListMessages, m_bSave, strValue);
    }
}
