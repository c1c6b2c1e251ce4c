// Runs the plug-in's message boxes and dialogs unattended: on a thread of its
// own it waits, with a time limit, for each expected window of the host's UI
// thread, records what it shows and presses the chosen button.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <utility>
#include <vector>

struct CSeenWindow {
    std::string strCaption;
    std::string strText;      // the message text of a message box
    std::vector<int> buttons; // identifiers of the visible buttons, in window order
    std::string strIcon;      // "exclamation", "information", "stop", "question" or ""
    std::string strFolder;    // an Open File dialog's folder when it came up
    std::string strFileName;  // an Open File dialog's file name when it came up
    std::vector<std::pair<int, std::string>> edits; // edit fields and their texts
    int nPressed = 0;

    // The text of the edit field, or "(none)".
    std::string EditText(int nId) const;
};

using ControlTexts = std::vector<std::pair<int, std::string>>;

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
    // Expects the next dialog of any kind and presses Cancel.
    void CancelDialog();
    // Expects the next dialog, sets the texts of its controls and presses the
    // button. With a snapshot marker, it first writes the file "MARKER.ready"
    // and waits (at most 20 s) for "MARKER.done", so that a screenshot can be
    // taken while the dialog shows the texts.
    void FillDialog(const ControlTexts& texts, int nButton, const std::string& strMarker = "");

    // Starts working through the expected windows.
    void Start();
    // Waits for the driver; true when every expected window came and was answered.
    bool Finish();

    const std::vector<CSeenWindow>& Seen() const { return m_seen; }
    const std::string& Error() const { return m_strError; }

  private:
    struct CStep {
        int nButton;
        std::string strPath; // a file to choose in an Open File dialog
        bool bChooseFile;
        ControlTexts texts;
        std::string strMarker;
    };
    void Run();
    HWND WaitForNewDialog();

    DWORD m_nUiThread;
    DWORD m_nTimeoutMs;
    std::vector<CStep> m_steps;
    std::vector<HWND> m_handled;
    std::vector<CSeenWindow> m_seen;
    std::string m_strError;
    std::thread m_thread;
};

// What a message box or dialog shows, read from its controls.
CSeenWindow DescribeWindow(HWND hWindow);
