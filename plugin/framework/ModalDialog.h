// The base of the plug-in's modal dialogs: a dialog resource of the plug-in,
// centred over its owner, in the plug-in's colours, its values moved between
// members and controls by one exchange routine, OK checking them in a fixed
// order, and help on the Help button and on F1.
#pragma once

#include "DataExchange.h"
#include "core/HelpContexts.h"

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

class CModalDialog {
  public:
    explicit CModalDialog(int nTemplateId) : m_nTemplateId(nTemplateId) {}
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;
    virtual ~CModalDialog() = default;

    // Runs the dialog; IDOK, IDCANCEL, or -1 when it could not be shown. An
    // exception raised while the dialog handled a message ends the dialog
    // and leaves this call, so that it never crosses the window system.
    INT_PTR DoModal(HWND hOwner);

  protected:
    // The one routine that moves every value of the dialog, in the direction
    // the exchange says.
    virtual void DoDataExchange(CDataExchange& dx) { (void)dx; }
    // Runs the exchange; false when a value was refused.
    bool UpdateData(bool bSave);

    // Opening: the members into the controls. True lets the dialog manager
    // put the focus on the first control; false when the dialog set it.
    virtual bool OnInitDialog() { return UpdateData(false); }
    // OK: the controls into the members, then the checks; true ends the dialog.
    virtual bool OnOK() { return UpdateData(true) && Validate(); }
    // The dialog's checks after the exchange, in their order; each failure
    // returns Refuse(...).
    virtual bool Validate() { return true; }
    // A command of a control other than OK, Cancel and Help.
    virtual void OnCommand(int nId, int nNotification) {
        (void)nId;
        (void)nNotification;
    }
    // Which controls answer F1 with what: by default the dialog's row of the
    // plug-in's help tables.
    virtual const CHelpTable& HelpTable() const;
    // After the dialog has painted itself.
    virtual void OnPaint() {}

    // A failed check: shows the message in the framework's message box, puts
    // the focus on the control and selects an edit's whole text; false.
    bool Refuse(int nId, const std::string& strMessage);
    bool Refuse(int nId, unsigned nMessageId);

    // The dialog's help topic and a control's pop-up.
    DWORD HelpTopic() const { return TopicContext(m_nTemplateId); }
    void ShowTopic();
    void ShowPopup(int nId);

    HWND Window() const { return m_hWnd; }
    HWND Item(int nId) const { return GetDlgItem(m_hWnd, nId); }
    void EnableItem(int nId, bool bEnable) { EnableWindow(Item(nId), bEnable ? TRUE : FALSE); }
    // Moves the focus to the control the way the dialog manager does.
    void FocusItem(int nId);
    // Ends the dialog with the result.
    void End(INT_PTR nResult) { EndDialog(m_hWnd, nResult); }

  private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    bool OnHelpKey(int nControlId);
    void CentreOverOwner();

    int m_nTemplateId;
    HWND m_hWnd = nullptr;
    std::exception_ptr m_exception;
};
