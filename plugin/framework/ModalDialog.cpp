#include "ModalDialog.h"

#include "App.h"
#include "Catalogue.h"
#include "Help.h"

#include <algorithm>

namespace {
constexpr int HelpButtonId = 1036;

bool Contains(const std::vector<int>& ids, int nId) {
    return std::find(ids.begin(), ids.end(), nId) != ids.end();
}
} // namespace

INT_PTR CModalDialog::DoModal(HWND hOwner) {
    m_exception = nullptr;
    INT_PTR nResult = DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(m_nTemplateId), hOwner,
                                      DialogProc, reinterpret_cast<LPARAM>(this));
    if (m_exception) {
        std::rethrow_exception(m_exception);
    }
    return nResult;
}

void CModalDialog::FocusItem(int nId) {
    SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(nId)), TRUE);
}

bool CModalDialog::UpdateData(bool bSave) {
    CDataExchange dx(m_hWnd, bSave);
    DoDataExchange(dx);
    return !dx.Failed();
}

const CHelpTable& CModalDialog::HelpTable() const {
    static const CHelpTable none;
    auto found = DialogHelpTables().find(m_nTemplateId);
    return found != DialogHelpTables().end() ? found->second : none;
}

bool CModalDialog::Refuse(int nId, const std::string& strMessage) {
    ShowRefusal(m_hWnd, nId, strMessage);
    return false;
}

bool CModalDialog::Refuse(int nId, unsigned nMessageId) {
    return Refuse(nId, LoadCatalogueString(nMessageId));
}

void CModalDialog::ShowTopic() {
    OpenHelp(m_hWnd, HELP_CONTEXT, HelpTopic());
}

void CModalDialog::ShowPopup(int nId) {
    OpenHelp(m_hWnd, HELP_CONTEXTPOPUP, PopupContext(nId));
}

bool CModalDialog::OnHelpKey(int nControlId) {
    const CHelpTable& table = HelpTable();
    if (Contains(table.popupControls, nControlId)) {
        ShowPopup(nControlId);
        return true;
    }
    if (Contains(table.topicControls, nControlId)) {
        ShowTopic();
        return true;
    }
    return false;
}

void CModalDialog::CentreOverOwner() {
    HWND hOwner = GetWindow(m_hWnd, GW_OWNER);
    RECT area;
    if (hOwner != nullptr) {
        GetWindowRect(hOwner, &area);
    } else {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT box;
    GetWindowRect(m_hWnd, &box);
    int nLeft = area.left + ((area.right - area.left) - (box.right - box.left)) / 2;
    int nTop = area.top + ((area.bottom - area.top) - (box.bottom - box.top)) / 2;
    SetWindowPos(m_hWnd, nullptr, nLeft, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK CModalDialog::DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    if (nMessage == WM_INITDIALOG) {
        SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        reinterpret_cast<CModalDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* pDialog = reinterpret_cast<CModalDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
    if (pDialog == nullptr) {
        return FALSE;
    }
    try {
        return pDialog->HandleMessage(nMessage, wParam, lParam);
    } catch (...) {
        // Kept for DoModal, which raises it again once the dialog is gone.
        if (!pDialog->m_exception) {
            pDialog->m_exception = std::current_exception();
        }
        EndDialog(hWnd, -1);
        return TRUE;
    }
}

INT_PTR CModalDialog::HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam) {
    switch (nMessage) {
    case WM_INITDIALOG:
        CentreOverOwner();
        return OnInitDialog() ? TRUE : FALSE;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(m_hWnd, &paint);
        EndPaint(m_hWnd, &paint);
        OnPaint();
        return TRUE;
    }
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HBRUSH hBrush = TheApp().DialogBrush();
        if (hBrush == nullptr) {
            return FALSE; // the system's colours
        }
        HDC hdc = reinterpret_cast<HDC>(wParam);
        SetTextColor(hdc, TheApp().DialogTextColor());
        SetBkColor(hdc, TheApp().DialogBackColor());
        return reinterpret_cast<INT_PTR>(hBrush);
    }
    case WM_HELP: {
        const HELPINFO* pInfo = reinterpret_cast<const HELPINFO*>(lParam);
        bool bControl = pInfo != nullptr && pInfo->iContextType == HELPINFO_WINDOW;
        return bControl && OnHelpKey(pInfo->iCtrlId) ? TRUE : FALSE;
    }
    case WM_COMMAND: {
        int nId = LOWORD(wParam);
        if (nId == IDOK) {
            if (OnOK()) {
                EndDialog(m_hWnd, IDOK);
            }
        } else if (nId == IDCANCEL) {
            EndDialog(m_hWnd, IDCANCEL);
        } else if (nId == HelpButtonId) {
            ShowTopic();
        } else {
            OnCommand(nId, HIWORD(wParam));
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}
