// Moving a dialog's values between its members and its controls: one run
// goes one way, into the controls when the dialog opens and out of them on
// OK. The first value refused stops the run, with its message shown and the
// focus on its control.
#pragma once

#include <windows.h>

#include <string>

class CDataExchange {
  public:
    CDataExchange(HWND hDialog, bool bSave) : m_hDialog(hDialog), m_bSave(bSave) {}

    // True when the values go from the controls into the members.
    bool Saving() const { return m_bSave; }
    bool Failed() const { return m_bFailed; }

    // An edit's text. With a maximum length, the edit takes no more when the
    // dialog opens, and a longer text is refused with "Please enter no more
    // than %1 characters." (the member then keeps its value).
    void Text(int nId, std::string& strValue, size_t nMaxLength = 0);
    // A check box: 0 clear, 1 checked, 2 indeterminate.
    void Check(int nId, int& nValue);
    // The checked button of the radio group that starts with the control:
    // its index in the group, or -1 when none is checked.
    void Radio(int nFirstId, int& nIndex);
    // The selected entry's text of a combo box or a list box (empty when none
    // is selected). Into the control, the first entry that begins with the
    // value, case ignored, is selected; when none does, the selection stays.
    void ComboText(int nId, std::string& strValue);
    void ListText(int nId, std::string& strValue);

    // Stops the run: the message is shown in the framework's message box, the
    // focus goes to the control and an edit's whole text is selected.
    void Fail(int nId, const std::string& strMessage);

  private:
    HWND Control(int nId) const { return GetDlgItem(m_hDialog, nId); }
    bool Skipped() const { return m_bFailed; }

    HWND m_hDialog;
    bool m_bSave;
    bool m_bFailed = false;
};

// A refused value: the message is shown in the framework's message box, then
// the focus goes to the dialog's control (the way the dialog manager moves
// it) and an edit's whole text is selected.
void ShowRefusal(HWND hDialog, int nId, const std::string& strMessage);
