#include "UiDriver.h"

#include <commdlg.h>

#include <algorithm>

namespace {

constexpr int MessageTextId = 65535;
constexpr DWORD PollMs = 20;

std::string WindowText(HWND hWindow) {
    char szText[2048];
    int nLength = GetWindowTextA(hWindow, szText, sizeof szText);
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

std::string ClassOf(HWND hWindow) {
    char szClass[64];
    int nLength = GetClassNameA(hWindow, szClass, sizeof szClass);
    return std::string(szClass, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

std::string IconName(HICON hIcon) {
    struct {
        LPCSTR pId;
        const char* pName;
    } const icons[] = {{IDI_EXCLAMATION, "exclamation"},
                       {IDI_ASTERISK, "information"},
                       {IDI_HAND, "stop"},
                       {IDI_QUESTION, "question"}};
    for (const auto& icon : icons) {
        if (hIcon == LoadIconA(nullptr, icon.pId)) {
            return icon.pName;
        }
    }
    return "other";
}

BOOL CALLBACK AddChild(HWND hChild, LPARAM lParam) {
    CSeenWindow& seen = *reinterpret_cast<CSeenWindow*>(lParam);
    std::string strClass = ClassOf(hChild);
    LONG nStyle = GetWindowLongA(hChild, GWL_STYLE);
    if (strClass == "Edit") {
        seen.edits.emplace_back(GetDlgCtrlID(hChild), WindowText(hChild));
    } else if (strClass == "Button" && (nStyle & WS_VISIBLE)) {
        seen.buttons.push_back(GetDlgCtrlID(hChild));
    } else if (strClass == "Static" && (nStyle & SS_TYPEMASK) == SS_ICON) {
        HICON hIcon = reinterpret_cast<HICON>(SendMessageA(hChild, STM_GETICON, 0, 0));
        if (hIcon != nullptr) {
            seen.strIcon = IconName(hIcon);
        }
    }
    return TRUE;
}

struct CFindContext {
    const std::vector<HWND>* pHandled;
    HWND hFound;
};

BOOL CALLBACK FindDialog(HWND hWindow, LPARAM lParam) {
    CFindContext& context = *reinterpret_cast<CFindContext*>(lParam);
    if (!IsWindowVisible(hWindow) || ClassOf(hWindow) != "#32770") {
        return TRUE;
    }
    const std::vector<HWND>& handled = *context.pHandled;
    if (std::find(handled.begin(), handled.end(), hWindow) != handled.end()) {
        return TRUE;
    }
    context.hFound = hWindow;
    return FALSE;
}

// The file name field of an Open File dialog, or null for other windows.
HWND FileNameControl(HWND hDialog) {
    constexpr int FileNameCombo = 1148; // cmb13
    constexpr int FileNameEdit = 1152;  // edt1
    HWND hControl = GetDlgItem(hDialog, FileNameCombo);
    return hControl != nullptr ? hControl : GetDlgItem(hDialog, FileNameEdit);
}

// Announces that the window is ready to be photographed and waits until the
// photograph has been taken.
void WaitForSnapshot(const std::string& strMarker) {
    std::string strReady = strMarker + ".ready";
    std::string strDone = strMarker + ".done";
    HANDLE hReady = CreateFileA(strReady.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hReady != INVALID_HANDLE_VALUE) {
        CloseHandle(hReady);
    }
    for (int i = 0; i < 1000 && GetFileAttributesA(strDone.c_str()) == INVALID_FILE_ATTRIBUTES;
         ++i) {
        Sleep(PollMs);
    }
}

} // namespace

CSeenWindow DescribeWindow(HWND hWindow) {
    CSeenWindow seen;
    seen.strCaption = WindowText(hWindow);
    HWND hText = GetDlgItem(hWindow, MessageTextId);
    if (hText != nullptr) {
        seen.strText = WindowText(hText);
    }
    EnumChildWindows(hWindow, AddChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

CUiDriver::CUiDriver(DWORD nUiThread, DWORD nTimeoutMs)
    : m_nUiThread(nUiThread), m_nTimeoutMs(nTimeoutMs) {}

CUiDriver::~CUiDriver() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CUiDriver::PressOnMessageBox(int nButton) {
    m_steps.push_back({nButton, "", false, {}, ""});
}

void CUiDriver::ChooseFile(const std::string& strPath) {
    m_steps.push_back({IDOK, strPath, true, {}, ""});
}

void CUiDriver::CancelDialog() {
    m_steps.push_back({IDCANCEL, "", false, {}, ""});
}

void CUiDriver::FillDialog(const ControlTexts& texts, int nButton, const std::string& strMarker) {
    m_steps.push_back({nButton, "", false, texts, strMarker});
}

std::string CSeenWindow::EditText(int nId) const {
    for (const auto& edit : edits) {
        if (edit.first == nId) {
            return edit.second;
        }
    }
    return "(none)";
}

void CUiDriver::Start() {
    m_thread = std::thread([this] { Run(); });
}

bool CUiDriver::Finish() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return m_strError.empty();
}

HWND CUiDriver::WaitForNewDialog() {
    DWORD nStart = GetTickCount();
    while (GetTickCount() - nStart < m_nTimeoutMs) {
        CFindContext context{&m_handled, nullptr};
        EnumThreadWindows(m_nUiThread, FindDialog, reinterpret_cast<LPARAM>(&context));
        if (context.hFound != nullptr) {
            return context.hFound;
        }
        Sleep(PollMs);
    }
    return nullptr;
}

void CUiDriver::Run() {
    for (size_t i = 0; i < m_steps.size(); ++i) {
        HWND hDialog = WaitForNewDialog();
        if (hDialog == nullptr) {
            m_strError = "window " + std::to_string(i + 1) + " of " +
                         std::to_string(m_steps.size()) + " did not appear";
            return;
        }
        m_handled.push_back(hDialog);
        const CStep& step = m_steps[i];
        CSeenWindow seen = DescribeWindow(hDialog);
        seen.nPressed = step.nButton;
        HWND hFileName = FileNameControl(hDialog);
        if (hFileName != nullptr) {
            char szFolder[MAX_PATH] = {};
            SendMessageA(hDialog, CDM_GETFOLDERPATH, sizeof szFolder,
                         reinterpret_cast<LPARAM>(szFolder));
            seen.strFolder = szFolder;
            seen.strFileName = WindowText(hFileName);
            if (step.bChooseFile) {
                SendMessageA(hFileName, WM_SETTEXT, 0,
                             reinterpret_cast<LPARAM>(step.strPath.c_str()));
            }
        } else if (step.bChooseFile) {
            m_strError = "window \"" + seen.strCaption + "\" is not an Open File dialog";
            PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            return;
        }
        for (const auto& text : step.texts) {
            SendMessageA(GetDlgItem(hDialog, text.first), WM_SETTEXT, 0,
                         reinterpret_cast<LPARAM>(text.second.c_str()));
        }
        if (!step.strMarker.empty()) {
            WaitForSnapshot(step.strMarker);
        }
        m_seen.push_back(seen);
        // Posted, never sent: the button's handler may open a window of its own.
        PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(step.nButton, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(hDialog, step.nButton)));
        DWORD nStart = GetTickCount();
        while (IsWindow(hDialog) && GetTickCount() - nStart < m_nTimeoutMs) {
            Sleep(PollMs);
        }
        if (IsWindow(hDialog)) {
            m_strError = "window \"" + seen.strCaption + "\" did not close after button " +
                         std::to_string(step.nButton);
            return;
        }
    }
}
