#include "ModalDialog.h"

#include "App.h"
#include "PathParts.h"

#include <vector>

namespace {
constexpr int HelpButtonId = 1036;
constexpr DWORD PopupHelpBase = 0x50000;
} // namespace

std::string HelpFilePath() {
    char szPath[MAX_PATH + 1] = {};
    GetModuleFileNameA(AppInstance(), szPath, MAX_PATH);
    CPathParts parts = SplitPath(szPath);
    return parts.strDrive + parts.strFolder + "nebvdata.hlp";
}

INT_PTR CModalDialog::DoModal(HWND hOwner) {
    return DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(m_nTemplateId), hOwner, DialogProc,
                           reinterpret_cast<LPARAM>(this));
}

std::string CModalDialog::ItemText(int nId) const {
    HWND hItem = Item(nId);
    int nLength = GetWindowTextLengthA(hItem);
    std::vector<char> text(static_cast<size_t>(nLength) + 1, '\0');
    GetWindowTextA(hItem, text.data(), nLength + 1);
    return text.data();
}

void CModalDialog::SetItemText(int nId, const std::string& strText) {
    SetDlgItemTextA(m_hWnd, nId, strText.c_str());
}

void CModalDialog::ShowHelp(int nControlId) {
    std::string strHelp = HelpFilePath();
    if (IsHelpControl(nControlId)) {
        WinHelpA(m_hWnd, strHelp.c_str(), HELP_CONTEXTPOPUP,
                 PopupHelpBase + static_cast<DWORD>(nControlId));
    } else {
        WinHelpA(m_hWnd, strHelp.c_str(), HELP_CONTEXT, static_cast<ULONG_PTR>(HelpTopic()));
    }
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
    return pDialog != nullptr ? pDialog->HandleMessage(nMessage, wParam, lParam) : FALSE;
}

INT_PTR CModalDialog::HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam) {
    switch (nMessage) {
    case WM_INITDIALOG:
        CentreOverOwner();
        OnInitDialog();
        return TRUE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        HDC hdc = reinterpret_cast<HDC>(wParam);
        SetTextColor(hdc, TheApp().DialogTextColor());
        SetBkColor(hdc, TheApp().DialogBackColor());
        return reinterpret_cast<INT_PTR>(TheApp().DialogBrush());
    }
    case WM_HELP: {
        const HELPINFO* pInfo = reinterpret_cast<const HELPINFO*>(lParam);
        ShowHelp(pInfo != nullptr && pInfo->iContextType == HELPINFO_WINDOW ? pInfo->iCtrlId : 0);
        return TRUE;
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
            ShowHelp(0);
        } else {
            OnCommand(nId);
        }
        return TRUE;
    }
    default:
        return FALSE;
    }
}
