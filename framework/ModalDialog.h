// The base of the plug-in's modal dialogs: a dialog resource of the plug-in,
// centred over its owner, in the plug-in's colours, with help on F1.
#pragma once

#include <windows.h>

#include <string>

class CModalDialog {
  public:
    explicit CModalDialog(int nTemplateId) : m_nTemplateId(nTemplateId) {}
    CModalDialog(const CModalDialog&) = delete;
    CModalDialog& operator=(const CModalDialog&) = delete;
    virtual ~CModalDialog() = default;

    // Runs the dialog; IDOK, IDCANCEL, or -1 when it could not be shown.
    INT_PTR DoModal(HWND hOwner);

  protected:
    virtual void OnInitDialog() {}
    // Moves the controls' values into members; false leaves the dialog open.
    virtual bool OnOK() { return true; }
    virtual void OnCommand(int /*nId*/) {}
    // The help topic of the dialog; controls with pop-up help answer true for
    // IsHelpControl.
    int HelpTopic() const { return 0x20000 + m_nTemplateId; }
    virtual bool IsHelpControl(int /*nId*/) const { return false; }
    void ShowHelp(int nControlId);

    HWND Window() const { return m_hWnd; }
    HWND Item(int nId) const { return GetDlgItem(m_hWnd, nId); }
    std::string ItemText(int nId) const;
    void SetItemText(int nId, const std::string& strText);

  private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT nMessage, WPARAM wParam, LPARAM lParam);
    void CentreOverOwner();

    int m_nTemplateId;
    HWND m_hWnd = nullptr;
};

// The plug-in's help file beside the plug-in.
std::string HelpFilePath();
