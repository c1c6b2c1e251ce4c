#include "UiDriver.h"

#include "HostClock.h"
#include "WindowImage.h"

#include <commdlg.h>

#include <algorithm>

#include <cstring>
#include <vector>

std::atomic<int> CUiDriver::s_nActive{0};
CUiGuard* CUiGuard::s_pInnermost = nullptr;

namespace {

constexpr int MessageTextId = 65535;
constexpr DWORD PollMs = 20;
// How long a window asked to close may take before it is asked harder.
constexpr DWORD CloseWaitMs = 2000;
// How long the driver waits for a window's thread to answer a question; it
// answers at once when idle, so this only bounds a thread that is stuck.
constexpr DWORD AnswerWaitMs = 10000;

// Sends a message to a window of the UI thread and waits a bounded time for
// its answer: the UI thread may be busy, or waiting for this driver, so no
// message of the driver may wait for it without end.
LRESULT SendBounded(HWND hWindow, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR nResult = 0;
    if (!SendMessageTimeoutA(hWindow, nMessage, wParam, lParam, SMTO_NORMAL, AnswerWaitMs,
                             &nResult)) {
        return -1;
    }
    return static_cast<LRESULT>(nResult);
}

// The memory a message points to. A send that timed out may still be handled
// later, and the memory must then still be there: it is freed only when the
// send was answered.
class CMessageBlock {
  public:
    explicit CMessageBlock(size_t nSize) : m_pData(new char[nSize]()), m_nSize(nSize) {}
    CMessageBlock(const std::string& strText) : CMessageBlock(strText.size() + 1) {
        strText.copy(m_pData, strText.size());
    }
    CMessageBlock(const CMessageBlock&) = delete;
    CMessageBlock& operator=(const CMessageBlock&) = delete;
    ~CMessageBlock() {
        if (m_bAnswered) {
            delete[] m_pData;
        }
    }

    char* Data() const { return m_pData; }
    size_t Size() const { return m_nSize; }
    LPARAM Address(size_t nOffset = 0) const { return reinterpret_cast<LPARAM>(m_pData + nOffset); }
    // Sends the message; the answer, or -1 when none came in time.
    LRESULT Send(HWND hWindow, UINT nMessage, WPARAM wParam, LPARAM lParam) {
        DWORD_PTR nResult = 0;
        m_bAnswered = SendMessageTimeoutA(hWindow, nMessage, wParam, lParam, SMTO_NORMAL,
                                          AnswerWaitMs, &nResult) != 0;
        return m_bAnswered ? static_cast<LRESULT>(nResult) : -1;
    }

  private:
    char* m_pData;
    size_t m_nSize;
    bool m_bAnswered = false;
};

std::string WindowText(HWND hWindow) {
    CMessageBlock text(2048);
    LRESULT nLength = text.Send(hWindow, WM_GETTEXT, text.Size(), text.Address());
    return std::string(text.Data(), nLength > 0 ? static_cast<size_t>(nLength) : 0);
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

// The entries of a list box (LB_...) or combo box (CB_...).
std::vector<std::string> Entries(HWND hList, UINT nCount, UINT nLength, UINT nText) {
    std::vector<std::string> entries;
    LRESULT nEntries = SendBounded(hList, nCount, 0, 0);
    for (LRESULT i = 0; i < nEntries; ++i) {
        LRESULT nChars = SendBounded(hList, nLength, static_cast<WPARAM>(i), 0);
        CMessageBlock text(static_cast<size_t>(nChars > 0 ? nChars : 0) + 1);
        text.Send(hList, nText, static_cast<WPARAM>(i), text.Address());
        entries.push_back(text.Data());
    }
    return entries;
}

CSeenControl DescribeControl(HWND hChild, const std::string& strClass) {
    CSeenControl control;
    control.nId = GetDlgCtrlID(hChild);
    control.strClass = strClass;
    control.strText = WindowText(hChild);
    control.bEnabled = IsWindowEnabled(hChild) != FALSE;
    if (strClass == "Button") {
        control.nCheck = static_cast<int>(SendBounded(hChild, BM_GETCHECK, 0, 0));
    } else if (strClass == "Edit") {
        CMessageBlock selection(2 * sizeof(DWORD));
        selection.Send(hChild, EM_GETSEL, static_cast<WPARAM>(selection.Address()),
                       selection.Address(sizeof(DWORD)));
        const DWORD* pRange = reinterpret_cast<const DWORD*>(selection.Data());
        control.nSelStart = static_cast<int>(pRange[0]);
        control.nSelEnd = static_cast<int>(pRange[1]);
    } else if (strClass == "ListBox") {
        control.nSelected = static_cast<int>(SendBounded(hChild, LB_GETCURSEL, 0, 0));
        control.entries = Entries(hChild, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    } else if (strClass == "ComboBox") {
        control.nSelected = static_cast<int>(SendBounded(hChild, CB_GETCURSEL, 0, 0));
        control.entries = Entries(hChild, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    }
    return control;
}

BOOL CALLBACK AddChild(HWND hChild, LPARAM lParam) {
    CSeenWindow& seen = *reinterpret_cast<CSeenWindow*>(lParam);
    std::string strClass = ClassOf(hChild);
    LONG nStyle = GetWindowLongA(hChild, GWL_STYLE);
    if (GetParent(hChild) == seen.hWindow) {
        seen.controls.push_back(DescribeControl(hChild, strClass));
    }
    if (strClass == "Edit") {
        seen.edits.emplace_back(GetDlgCtrlID(hChild), WindowText(hChild));
    } else if (strClass == "Button" && (nStyle & WS_VISIBLE)) {
        seen.buttons.push_back(GetDlgCtrlID(hChild));
    } else if (strClass == "Static" && (nStyle & SS_TYPEMASK) <= SS_RIGHT &&
               seen.strLabel.empty()) {
        seen.strLabel = WindowText(hChild);
    } else if (strClass == "Static" && (nStyle & SS_TYPEMASK) == SS_ICON) {
        HICON hIcon = reinterpret_cast<HICON>(SendBounded(hChild, STM_GETICON, 0, 0));
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

// Presses F1 with the focus on a control, as the dialog manager reports it.
void PressHelpKey(HWND hDialog, int nId) {
    HWND hControl = GetDlgItem(hDialog, nId);
    SendBounded(hDialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hControl), TRUE);
    HELPINFO info{};
    info.cbSize = sizeof info;
    info.iContextType = HELPINFO_WINDOW;
    info.iCtrlId = nId;
    info.hItemHandle = hControl;
    info.dwContextId = GetWindowContextHelpId(hControl);
    CMessageBlock block(sizeof info);
    memcpy(block.Data(), &info, sizeof info);
    block.Send(hDialog, WM_HELP, 0, block.Address());
}

// A double-click on a character of an edit: the first click puts the caret
// before it.
void DoubleClick(HWND hDialog, int nId, int nChar) {
    HWND hEdit = GetDlgItem(hDialog, nId);
    SendBounded(hEdit, EM_SETSEL, static_cast<WPARAM>(nChar), nChar);
    LRESULT nPlace = SendBounded(hEdit, EM_POSFROMCHAR, static_cast<WPARAM>(nChar), 0);
    SendBounded(hEdit, WM_LBUTTONDBLCLK, MK_LBUTTON, nPlace);
}

// Picks a list box or combo box entry as a click on it does: selected, and
// the dialog told.
void PickEntry(HWND hDialog, int nId, int nIndex) {
    HWND hList = GetDlgItem(hDialog, nId);
    bool bCombo = ClassOf(hList) == "ComboBox";
    SendBounded(hList, bCombo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(nIndex), 0);
    SendBounded(hDialog, WM_COMMAND, MAKEWPARAM(nId, bCombo ? CBN_SELCHANGE : LBN_SELCHANGE),
                reinterpret_cast<LPARAM>(hList));
}

// Waits until the window's thread has handled what was sent to it so far and
// has painted what was due; false when the window went or a window of its
// own came up on top.
bool Settle(HWND hWindow) {
    SendBounded(hWindow, WM_NULL, 0, 0);
    bool bReady = IsWindow(hWindow) && IsWindowVisible(hWindow) && IsWindowEnabled(hWindow);
    if (bReady) {
        // Painting that is due happens now, not between the actions that follow.
        RedrawWindow(hWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return bReady;
}

void ClickButton(HWND hDialog, int nId) {
    // Posted, never sent: the button's handler may open a window of its own.
    // A click moves the focus to the button, as the mouse does; a window
    // without such a button is told of the command directly.
    HWND hButton = GetDlgItem(hDialog, nId);
    if (hButton != nullptr) {
        PostMessageA(hButton, BM_CLICK, 0, 0);
    } else {
        PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0);
    }
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

// Waits for the driver's thread to be done while this (the UI) thread
// answers the questions that thread may be asking its windows.
void AnswerUntil(const std::atomic<bool>& bDone) {
    while (!bDone.load()) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
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
    seen.hWindow = hWindow;
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

const CSeenControl& CSeenWindow::Control(int nId) const {
    static const CSeenControl none;
    for (const CSeenControl& control : controls) {
        if (control.nId == nId) {
            return control;
        }
    }
    return none;
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
    m_bDone = false;
    ++s_nActive;
    m_thread = std::thread([this] { Run(); });
}

bool CUiDriver::Finish() {
    if (m_bStarted) {
        m_bStop = true;
        AnswerUntil(m_bDone);
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
    m_bDone = true;
}

// Waits for the step's window; what a tolerant driver meets first that is
// not of the step's kind is closed and listed. False when it does not come.
bool CUiDriver::WaitForStepWindow(size_t nIndex, const CStep& step, CStepWindow& window) {
    std::string strStep = "window " + std::to_string(nIndex + 1) + " of " +
                          std::to_string(m_steps.size()) + " (" + KindName(step.kind) + ")";
    // Once the driver is finished, the call that would have shown the window
    // has returned: it will not come any more.
    for (;;) {
        DWORD nWaitStart = GetTickCount();
        HWND hWindow = nullptr;
        do {
            hWindow = WaitForReadyWindow(m_nUiThread, m_nTimeoutMs, m_bStop);
        } while (hWindow != nullptr && !Settle(hWindow) &&
                 GetTickCount() - nWaitStart < m_nTimeoutMs);
        if (hWindow == nullptr || !Settle(hWindow)) {
            if (m_bTolerant) {
                m_unasked.push_back("the answers ended before " + strStep);
            } else {
                AddError(strStep + " did not appear");
            }
            return false;
        }
        window.hWindow = hWindow;
        window.seen = DescribeWindow(hWindow);
        window.seen.nSeenTicks = ClockTicks();
        window.hFileName = FileNameControl(hWindow);
        window.kind = IsMessageBox(hWindow)         ? MessageBoxWindow
                      : window.hFileName != nullptr ? OpenFileWindow
                                                    : OwnDialogWindow;
        if (window.kind == step.kind ||
            (step.kind == AnyDialogWindow && window.kind != MessageBoxWindow)) {
            return true;
        }
        if (!m_bTolerant) {
            AddError(strStep + " was expected, but " + window.seen.Name() + " appeared");
            CloseUnasked(hWindow);
            return false;
        }
        m_unasked.push_back(window.seen.Name());
        CloseUnasked(hWindow);
    }
}

// Does what the step says to its window, the button aside.
void CUiDriver::ActOnStepWindow(const CStep& step, CStepWindow& window) {
    HWND hWindow = window.hWindow;
    const CDialogActions& actions = step.actions;
    window.seen.nPressed = actions.nButton;
    if (window.kind == OpenFileWindow) {
        CMessageBlock folder(MAX_PATH);
        folder.Send(hWindow, CDM_GETFOLDERPATH, folder.Size(), folder.Address());
        window.seen.strFolder = folder.Data();
        window.seen.strFileName = WindowText(window.hFileName);
        CMessageBlock path(step.strPath);
        path.Send(window.hFileName, WM_SETTEXT, 0, path.Address());
    }
    for (const auto& text : actions.texts) {
        CMessageBlock block(text.second);
        block.Send(GetDlgItem(hWindow, text.first), WM_SETTEXT, 0, block.Address());
    }
    for (const auto& text : actions.typed) {
        HWND hControl = GetDlgItem(hWindow, text.first);
        SendBounded(hWindow, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hControl), TRUE);
        for (char c : text.second) {
            SendBounded(hControl, WM_CHAR, static_cast<unsigned char>(c), 1);
        }
    }
    for (const CEditSelection& selection : actions.selections) {
        SendBounded(GetDlgItem(hWindow, selection.nId), EM_SETSEL,
                    static_cast<WPARAM>(selection.nStart), selection.nEnd);
    }
    for (const auto& click : actions.doubleClicks) {
        DoubleClick(hWindow, click.first, click.second);
    }
    for (const auto& pick : actions.picks) {
        PickEntry(hWindow, pick.first, pick.second);
    }
    for (int nId : actions.toggles) {
        SendBounded(GetDlgItem(hWindow, nId), BM_CLICK, 0, 0);
    }
    for (int nId : actions.helpKeys) {
        PressHelpKey(hWindow, nId);
    }
    for (int nId : actions.clicks) {
        SendBounded(hWindow, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED),
                    reinterpret_cast<LPARAM>(GetDlgItem(hWindow, nId)));
    }
    if (!actions.strImage.empty()) {
        // Whatever the actions changed has been painted by now.
        Settle(hWindow);
        Sleep(200);
        if (!SaveWindowImage(hWindow, actions.strImage)) {
            AddError("no picture of " + window.seen.Name() + " in " + actions.strImage);
        }
    }
    if (!actions.strMarker.empty()) {
        WaitForSnapshot(actions.strMarker);
    }
}

// Presses the step's button and waits for the window to close, or, for a
// button that opens a window of its own, for that window to take the input.
bool CUiDriver::CloseStepWindow(const CDialogActions& actions, const CStepWindow& window) {
    HWND hWindow = window.hWindow;
    ClickButton(hWindow, actions.nButton);
    if (actions.bStaysOpen) {
        // The button's window comes up on top and takes the input.
        DWORD nStart = GetTickCount();
        while (IsWindow(hWindow) && IsWindowEnabled(hWindow)) {
            if (GetTickCount() - nStart >= m_nTimeoutMs) {
                AddError(window.seen.Name() + " opened no window of its own after button " +
                         std::to_string(actions.nButton));
                return false;
            }
            Sleep(PollMs);
        }
        return true;
    }
    if (!WaitUntilClosed(hWindow, m_nTimeoutMs)) {
        AddError(window.seen.Name() + " did not close after button " +
                 std::to_string(actions.nButton));
        CloseUnasked(hWindow);
        return false;
    }
    return true;
}

// Waits for the step's window, acts on it and closes it.
bool CUiDriver::RunStep(size_t nIndex, const CStep& step) {
    CStepWindow window;
    if (!WaitForStepWindow(nIndex, step, window)) {
        return false;
    }
    ActOnStepWindow(step, window);
    m_seen.push_back(window.seen);
    return step.actions.nButton == 0 || CloseStepWindow(step.actions, window);
}

void CUiDriver::Guard() {
    while (!m_bStop.load()) {
        // A dialog answered last may still be finishing its work before it
        // closes: only one still there once its thread is idle is unasked.
        HWND hWindow = ReadyWindow(m_nUiThread);
        if (hWindow != nullptr && Settle(hWindow) && !m_bStop.load()) {
            if (m_bTolerant) {
                m_unasked.push_back(DescribeWindow(hWindow).Name());
            } else {
                AddError("unexpected " + DescribeWindow(hWindow).Name());
            }
            CloseUnasked(hWindow);
            continue;
        }
        Sleep(PollMs);
    }
}

CUiGuard::CUiGuard() : m_pOuter(s_pInnermost) {
    m_hHook = SetWindowsHookExA(WH_CBT, OnWindowEvent, nullptr, GetCurrentThreadId());
    s_pInnermost = this;
}

CUiGuard::~CUiGuard() {
    if (m_hHook != nullptr) {
        UnhookWindowsHookEx(m_hHook);
    }
    s_pInnermost = m_pOuter;
}

LRESULT CALLBACK CUiGuard::OnWindowEvent(int nCode, WPARAM wParam, LPARAM lParam) {
    CUiGuard* pGuard = s_pInnermost;
    if (nCode == HCBT_ACTIVATE && pGuard != nullptr && !CUiDriver::AnyActive()) {
        HWND hWindow = reinterpret_cast<HWND>(wParam);
        std::vector<HWND>& closing = pGuard->m_closing;
        closing.erase(std::remove_if(closing.begin(), closing.end(),
                                     [](HWND hGone) { return !IsWindow(hGone); }),
                      closing.end());
        bool bSeen = std::find(closing.begin(), closing.end(), hWindow) != closing.end();
        if (!bSeen && ClassOf(hWindow) == "#32770") {
            closing.push_back(hWindow);
            // Named now, closed as soon as it runs: Cancel, or No for a box
            // that has no Cancel.
            CSeenWindow seen = DescribeWindow(hWindow);
            pGuard->m_unasked.push_back("unexpected " + seen.Name());
            PostMessageA(hWindow, WM_COMMAND, IDCANCEL, 0);
            if (IsMessageBox(hWindow)) {
                PostMessageA(hWindow, WM_COMMAND, IDNO, 0);
            }
        }
    }
    return CallNextHookEx(nullptr, nCode, wParam, lParam);
}

std::vector<std::string> CUiGuard::TakeUnasked() {
    std::vector<std::string> unasked;
    unasked.swap(m_unasked);
    return unasked;
}
