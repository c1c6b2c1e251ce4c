#include "UiDriver.h"

#include <commdlg.h>

std::atomic<int> CUiDriver::s_nActive{0};
std::atomic<CUiGuard*> CUiGuard::s_pInnermost{nullptr};

namespace {

constexpr int MessageTextId = 65535;
constexpr DWORD PollMs = 20;
// How long a window asked to close may take before it is asked harder.
constexpr DWORD CloseWaitMs = 2000;

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
    } else if (strClass == "Static" && (nStyle & SS_TYPEMASK) <= SS_RIGHT &&
               seen.strLabel.empty()) {
        seen.strLabel = WindowText(hChild);
    } else if (strClass == "Static" && (nStyle & SS_TYPEMASK) == SS_ICON) {
        HICON hIcon = reinterpret_cast<HICON>(SendMessageA(hChild, STM_GETICON, 0, 0));
        if (hIcon != nullptr) {
            seen.strIcon = IconName(hIcon);
        }
    }
    return TRUE;
}

// A message box holds nothing but its texts, its icon and buttons of the
// standard answers.
BOOL CALLBACK CheckMessageBoxChild(HWND hChild, LPARAM lParam) {
    bool& bMessageBox = *reinterpret_cast<bool*>(lParam);
    std::string strClass = ClassOf(hChild);
    int nId = GetDlgCtrlID(hChild);
    bool bAnswer = strClass == "Button" && nId >= IDOK && nId <= IDCONTINUE;
    if (strClass != "Static" && !bAnswer) {
        bMessageBox = false;
        return FALSE;
    }
    return TRUE;
}

bool IsMessageBox(HWND hWindow) {
    if (GetDlgItem(hWindow, MessageTextId) == nullptr) {
        return false;
    }
    bool bMessageBox = true;
    EnumChildWindows(hWindow, CheckMessageBoxChild, reinterpret_cast<LPARAM>(&bMessageBox));
    return bMessageBox;
}

// The file name field of an Open File dialog, or null for other windows.
HWND FileNameControl(HWND hDialog) {
    constexpr int FileNameCombo = 1148; // cmb13
    constexpr int FileNameEdit = 1152;  // edt1
    HWND hControl = GetDlgItem(hDialog, FileNameCombo);
    return hControl != nullptr ? hControl : GetDlgItem(hDialog, FileNameEdit);
}

BOOL CALLBACK FindReady(HWND hWindow, LPARAM lParam) {
    if (!IsWindowVisible(hWindow) || !IsWindowEnabled(hWindow) || ClassOf(hWindow) != "#32770") {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(lParam) = hWindow;
    return FALSE;
}

// A dialog window of the thread that can take input now (one under a modal
// window of its own is disabled); null when there is none.
HWND ReadyWindow(DWORD nThread) {
    HWND hFound = nullptr;
    EnumThreadWindows(nThread, FindReady, reinterpret_cast<LPARAM>(&hFound));
    return hFound;
}

HWND WaitForReadyWindow(DWORD nThread, DWORD nTimeoutMs, const std::atomic<bool>& bStop) {
    DWORD nStart = GetTickCount();
    do {
        if (HWND hWindow = ReadyWindow(nThread)) {
            return hWindow;
        }
        Sleep(PollMs);
    } while (GetTickCount() - nStart < nTimeoutMs && !bStop.load());
    return nullptr;
}

// Waits until the window is gone; false when it is still there at the limit.
bool WaitUntilClosed(HWND hWindow, DWORD nTimeoutMs) {
    DWORD nStart = GetTickCount();
    while (IsWindow(hWindow) && IsWindowVisible(hWindow)) {
        if (GetTickCount() - nStart >= nTimeoutMs) {
            return false;
        }
        Sleep(PollMs);
    }
    return true;
}

// Asks a window that nobody expected to go: Cancel, then No (a Yes/No box
// takes no Cancel), then OK, then a close.
void CloseUnasked(HWND hWindow) {
    const UINT messages[][2] = {
        {WM_COMMAND, IDCANCEL}, {WM_COMMAND, IDNO}, {WM_COMMAND, IDOK}, {WM_CLOSE, 0}};
    for (const auto& message : messages) {
        PostMessageA(hWindow, message[0], message[1], 0);
        if (WaitUntilClosed(hWindow, CloseWaitMs)) {
            return;
        }
    }
}

// Presses F1 on a control as the dialog manager reports it to the dialog.
void PressHelpKey(HWND hDialog, int nId) {
    HWND hControl = GetDlgItem(hDialog, nId);
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = nId;
    info.hItemHandle = hControl;
    info.dwContextId = GetWindowContextHelpId(hControl);
    DWORD_PTR nResult = 0;
    SendMessageTimeoutA(hDialog, WM_HELP, 0, reinterpret_cast<LPARAM>(&info), SMTO_NORMAL, 5000,
                        &nResult);
}

void ClickButton(HWND hDialog, int nId) {
    // Posted, never sent: the button's handler may open a window of its own.
    PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(hDialog, nId)));
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

const char* KindName(int nKind) {
    static const char* const names[] = {"a message box", "an Open File dialog",
                                        "a dialog of the plug-in", "a dialog"};
    return names[nKind];
}

} // namespace

CSeenWindow DescribeWindow(HWND hWindow) {
    CSeenWindow seen;
    seen.strCaption = WindowText(hWindow);
    if (IsMessageBox(hWindow)) {
        seen.strText = WindowText(GetDlgItem(hWindow, MessageTextId));
    }
    EnumChildWindows(hWindow, AddChild, reinterpret_cast<LPARAM>(&seen));
    return seen;
}

std::string CSeenWindow::EditText(int nId) const {
    for (const auto& edit : edits) {
        if (edit.first == nId) {
            return edit.second;
        }
    }
    return "(none)";
}

std::string CSeenWindow::Name() const {
    if (!strText.empty()) {
        return "message box \"" + strCaption + "\": \"" + strText + "\"";
    }
    return "dialog \"" + strCaption + "\"" + (strLabel.empty() ? "" : " (\"" + strLabel + "\")");
}

CUiDriver::CUiDriver(DWORD nUiThread, DWORD nTimeoutMs)
    : m_nUiThread(nUiThread), m_nTimeoutMs(nTimeoutMs) {}

CUiDriver::~CUiDriver() {
    Finish();
}

void CUiDriver::PressOnMessageBox(int nButton) {
    CDialogActions actions;
    actions.nButton = nButton;
    m_steps.push_back({MessageBoxWindow, "", actions});
}

void CUiDriver::ChooseFile(const std::string& strPath) {
    m_steps.push_back({OpenFileWindow, strPath, CDialogActions()});
}

void CUiDriver::CancelDialog() {
    CDialogActions actions;
    actions.nButton = IDCANCEL;
    m_steps.push_back({AnyDialogWindow, "", actions});
}

void CUiDriver::FillDialog(const ControlTexts& texts, int nButton, const std::string& strMarker) {
    CDialogActions actions;
    actions.texts = texts;
    actions.nButton = nButton;
    actions.strMarker = strMarker;
    m_steps.push_back({OwnDialogWindow, "", actions});
}

void CUiDriver::UseDialog(const CDialogActions& actions) {
    m_steps.push_back({OwnDialogWindow, "", actions});
}

void CUiDriver::Start() {
    m_bStarted = true;
    ++s_nActive;
    m_thread = std::thread([this] { Run(); });
}

bool CUiDriver::Finish() {
    if (m_bStarted) {
        m_bStop = true;
        if (m_thread.joinable()) {
            m_thread.join();
        }
        m_bStarted = false;
        --s_nActive;
    }
    return m_strError.empty();
}

void CUiDriver::AddError(const std::string& strError) {
    m_strError += (m_strError.empty() ? "" : "; ") + strError;
}

void CUiDriver::Run() {
    for (size_t i = 0; i < m_steps.size(); ++i) {
        if (!RunStep(i, m_steps[i])) {
            break;
        }
    }
    Guard();
}

bool CUiDriver::RunStep(size_t nIndex, const CStep& step) {
    std::string strStep = "window " + std::to_string(nIndex + 1) + " of " +
                          std::to_string(m_steps.size()) + " (" + KindName(step.kind) + ")";
    // Once the driver is finished, the call that would have shown the window
    // has returned: it will not come any more.
    HWND hWindow = WaitForReadyWindow(m_nUiThread, m_nTimeoutMs, m_bStop);
    if (hWindow == nullptr) {
        AddError(strStep + " did not appear");
        return false;
    }
    CSeenWindow seen = DescribeWindow(hWindow);
    HWND hFileName = FileNameControl(hWindow);
    Kind kind = IsMessageBox(hWindow)  ? MessageBoxWindow
                : hFileName != nullptr ? OpenFileWindow
                                       : OwnDialogWindow;
    if (kind != step.kind && !(step.kind == AnyDialogWindow && kind != MessageBoxWindow)) {
        AddError(strStep + " was expected, but " + seen.Name() + " appeared");
        CloseUnasked(hWindow);
        return false;
    }
    const CDialogActions& actions = step.actions;
    seen.nPressed = actions.nButton;
    if (kind == OpenFileWindow) {
        char szFolder[MAX_PATH] = {};
        SendMessageA(hWindow, CDM_GETFOLDERPATH, sizeof szFolder,
                     reinterpret_cast<LPARAM>(szFolder));
        seen.strFolder = szFolder;
        seen.strFileName = WindowText(hFileName);
        SendMessageA(hFileName, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(step.strPath.c_str()));
    }
    for (const auto& text : actions.texts) {
        SendMessageA(GetDlgItem(hWindow, text.first), WM_SETTEXT, 0,
                     reinterpret_cast<LPARAM>(text.second.c_str()));
    }
    for (int nId : actions.helpKeys) {
        PressHelpKey(hWindow, nId);
    }
    for (int nId : actions.clicks) {
        ClickButton(hWindow, nId);
    }
    if (!actions.strMarker.empty()) {
        WaitForSnapshot(actions.strMarker);
    }
    m_seen.push_back(seen);
    ClickButton(hWindow, actions.nButton);
    if (actions.bStaysOpen) {
        // The button's window comes up on top and takes the input.
        DWORD nStart = GetTickCount();
        while (IsWindow(hWindow) && IsWindowEnabled(hWindow)) {
            if (GetTickCount() - nStart >= m_nTimeoutMs) {
                AddError(seen.Name() + " opened no window of its own after button " +
                         std::to_string(actions.nButton));
                return false;
            }
            Sleep(PollMs);
        }
        return true;
    }
    if (!WaitUntilClosed(hWindow, m_nTimeoutMs)) {
        AddError(seen.Name() + " did not close after button " + std::to_string(actions.nButton));
        CloseUnasked(hWindow);
        return false;
    }
    return true;
}

void CUiDriver::Guard() {
    while (!m_bStop.load()) {
        if (HWND hWindow = ReadyWindow(m_nUiThread)) {
            AddError("unexpected " + DescribeWindow(hWindow).Name());
            CloseUnasked(hWindow);
            continue;
        }
        Sleep(PollMs);
    }
}

CUiGuard::CUiGuard(DWORD nUiThread) : m_nUiThread(nUiThread), m_pOuter(s_pInnermost.load()) {
    InitializeCriticalSection(&m_lock);
    s_pInnermost = this;
    m_thread = std::thread([this] {
        while (!m_bStop.load()) {
            bool bWatching = s_pInnermost.load() == this && !CUiDriver::AnyActive();
            HWND hWindow = bWatching ? ReadyWindow(m_nUiThread) : nullptr;
            if (hWindow == nullptr) {
                Sleep(PollMs);
                continue;
            }
            std::string strName = "unexpected " + DescribeWindow(hWindow).Name();
            EnterCriticalSection(&m_lock);
            m_unasked.push_back(strName);
            LeaveCriticalSection(&m_lock);
            CloseUnasked(hWindow);
        }
    });
}

CUiGuard::~CUiGuard() {
    m_bStop = true;
    m_thread.join();
    s_pInnermost = m_pOuter;
    DeleteCriticalSection(&m_lock);
}

std::vector<std::string> CUiGuard::TakeUnasked() {
    EnterCriticalSection(&m_lock);
    std::vector<std::string> unasked;
    unasked.swap(m_unasked);
    LeaveCriticalSection(&m_lock);
    return unasked;
}
