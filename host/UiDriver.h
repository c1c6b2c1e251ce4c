// Runs the plug-in's message boxes and dialogs unattended: on a thread of its
// own it waits, with a time limit, for each expected window of the host's UI
// thread, records what it shows and answers it. A window that does not come
// in time, or one that comes unasked, is an error that names it; an unasked
// window is closed, so that the test goes on and fails instead of hanging.
#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// One control of a window as the driver saw it.
struct CSeenControl {
    int nId = 0;
    std::string strClass;
    std::string strText;
    bool bEnabled = false;
    int nCheck = 0;     // a button's check state
    int nSelStart = -1; // an edit's selection
    int nSelEnd = -1;
    int nSelected = -1;               // the selected entry of a list or combo box
    std::vector<std::string> entries; // the entries of a list or combo box
};

struct CSeenWindow {
    HWND hWindow = nullptr;
    std::string strCaption;
    std::string strText;      // the message text of a message box
    std::string strLabel;     // the first label of a dialog
    std::vector<int> buttons; // identifiers of the visible buttons, in window order
    std::string strIcon;      // "exclamation", "information", "stop", "question" or ""
    std::string strFolder;    // an Open File dialog's folder when it came up
    std::string strFileName;  // an Open File dialog's file name when it came up
    std::vector<std::pair<int, std::string>> edits; // edit fields and their texts
    std::vector<CSeenControl> controls;             // every control, in window order
    int nPressed = 0;
    int64_t nSeenTicks = 0; // when the driver found it ready (host clock)

    // The text of the edit field, or "(none)".
    std::string EditText(int nId) const;
    // The control with the identifier; one with identifier 0 when there is none.
    const CSeenControl& Control(int nId) const;
    // "message box "caption": text" or "dialog "caption"", for error messages.
    std::string Name() const;
};

using ControlTexts = std::vector<std::pair<int, std::string>>;

// An edit's selection, a byte range.
struct CEditSelection {
    int nId;
    int nStart;
    int nEnd;
};

// What is done in a dialog, in this order: control texts set, text typed, selections
// made, double-clicks, list entries picked, check boxes and radio buttons
// clicked, F1 pressed, buttons clicked (each of these done before the next),
// the picture taken, then the closing button.
struct CDialogActions {
    ControlTexts texts;
    ControlTexts typed; // typed into a control, character by character
    std::vector<CEditSelection> selections;
    std::vector<std::pair<int, int>> doubleClicks; // an edit, and the character clicked
    std::vector<std::pair<int, int>> picks;        // a list or combo box, and the entry picked
    std::vector<int> toggles;                      // check boxes and radio buttons
    std::vector<int> helpKeys;                     // F1 with the focus on the control
    std::vector<int> clicks;                       // buttons that open no window
    // The closing button; 0 for none: the window stays and a later step
    // finds it again.
    int nButton = IDOK;
    // A picture of the window alone, written as a BMP file.
    std::string strImage;
    // The closing button opens a window of its own on top (a refusal's
    // message); the dialog stays and is expected again by a later step.
    bool bStaysOpen = false;
    // With a snapshot marker, the file "MARKER.ready" is written before the
    // closing button, and "MARKER.done" awaited (at most 20 s), so that a
    // screenshot can be taken while the dialog shows its texts.
    std::string strMarker;
};

class CUiDriver {
  public:
    // Watches the windows of the given thread (by default the calling one).
    explicit CUiDriver(DWORD nUiThread = GetCurrentThreadId(), DWORD nTimeoutMs = 15000);
    CUiDriver(const CUiDriver&) = delete;
    CUiDriver& operator=(const CUiDriver&) = delete;
    ~CUiDriver();

    // Expects the next message box and presses the button (IDOK, IDCANCEL...).
    void PressOnMessageBox(int nButton);
    // Expects the next Open File dialog, enters the path and presses Open.
    void ChooseFile(const std::string& strPath);
    // Expects the next dialog (of the plug-in's own, or an Open File dialog)
    // and presses Cancel.
    void CancelDialog();
    // Expects the next dialog of the plug-in's own, sets the texts of its
    // controls and presses the button (see CDialogActions for the marker).
    void FillDialog(const ControlTexts& texts, int nButton, const std::string& strMarker = "");
    // Expects the next dialog of the plug-in's own and acts in it.
    void UseDialog(const CDialogActions& actions);

    // Starts working through the expected windows; after the last one the
    // driver closes every window that still comes, until Finish.
    void Start();
    // Stops the driver; true when every expected window came and was
    // answered, and no other window came.
    bool Finish();

    // Tolerant answering, for runs in which the host fails on purpose: a
    // window that comes unasked (also while a step waits for its own) is
    // closed and listed instead of being an error, and a step whose window
    // does not come ends the script quietly.
    void TolerateUnaskedWindows() { m_bTolerant = true; }
    // What the tolerant driver closed unasked, and where the script ended.
    const std::vector<std::string>& Unasked() const { return m_unasked; }

    const std::vector<CSeenWindow>& Seen() const { return m_seen; }
    const std::string& Error() const { return m_strError; }

    // True while any driver has been started and not finished, or a test
    // answers its windows itself.
    static bool AnyActive() { return s_nActive.load() > 0; }

  private:
    friend class CSelfAnsweredWindows;
    enum Kind { MessageBoxWindow, OpenFileWindow, OwnDialogWindow, AnyDialogWindow };
    struct CStep {
        Kind kind;
        std::string strPath; // a file to choose in an Open File dialog
        CDialogActions actions;
    };
    void Run();
    // The window a step answers, as it was found.
    struct CStepWindow {
        HWND hWindow = nullptr;
        HWND hFileName = nullptr; // an Open dialog's file name control
        Kind kind = MessageBoxWindow;
        CSeenWindow seen;
    };
    bool RunStep(size_t nIndex, const CStep& step);
    bool WaitForStepWindow(size_t nIndex, const CStep& step, CStepWindow& window);
    void ActOnStepWindow(const CStep& step, CStepWindow& window);
    bool CloseStepWindow(const CDialogActions& actions, const CStepWindow& window);
    void Guard();
    void AddError(const std::string& strError);

    DWORD m_nUiThread;
    DWORD m_nTimeoutMs;
    std::vector<CStep> m_steps;
    std::vector<CSeenWindow> m_seen;
    std::string m_strError;
    std::thread m_thread;
    std::atomic<bool> m_bStop{false};
    std::atomic<bool> m_bDone{false};
    bool m_bStarted = false;
    bool m_bTolerant = false;
    std::vector<std::string> m_unasked;
    static std::atomic<int> s_nActive;
};

// While this lives, the windows that come up are answered by the test's own
// code (a dialog that closes itself), and no guard takes them for unasked.
class CSelfAnsweredWindows {
  public:
    CSelfAnsweredWindows() { ++CUiDriver::s_nActive; }
    CSelfAnsweredWindows(const CSelfAnsweredWindows&) = delete;
    CSelfAnsweredWindows& operator=(const CSelfAnsweredWindows&) = delete;
    ~CSelfAnsweredWindows() { --CUiDriver::s_nActive; }
};

// Watches the calling thread's windows for as long as it lives, whenever no
// driver is running: every dialog or message box that comes up then is
// unasked, is named and is closed. It watches from inside the thread (a hook
// on window activation), so that no other thread has to poll the windows
// while the thread loads libraries. The Windows test programs run one over
// their tests; of guards that live at once, only the one made last acts.
class CUiGuard {
  public:
    CUiGuard();
    CUiGuard(const CUiGuard&) = delete;
    CUiGuard& operator=(const CUiGuard&) = delete;
    ~CUiGuard();

    // The windows closed since the last call, each named.
    std::vector<std::string> TakeUnasked();

  private:
    static LRESULT CALLBACK OnWindowEvent(int nCode, WPARAM wParam, LPARAM lParam);

    HHOOK m_hHook;
    CUiGuard* m_pOuter;
    std::vector<std::string> m_unasked;
    std::vector<HWND> m_closing; // named already, asked to close
    static CUiGuard* s_pInnermost;
};

// What a message box or dialog shows, read from its controls.
CSeenWindow DescribeWindow(HWND hWindow);
