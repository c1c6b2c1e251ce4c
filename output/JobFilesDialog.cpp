#include "JobFilesDialog.h"

#include "framework/ModalDialog.h"
#include "resources/StringIds.h"

namespace {

class CJobFilesDialog : public CModalDialog {
  public:
    CJobFilesDialog(std::string& strDocDef, std::string& strPostScript)
        : CModalDialog(IDD_JOB_FILES), m_strDocDef(strDocDef), m_strPostScript(strPostScript) {}

  protected:
    void OnInitDialog() override {
        for (int nId : {IDC_DOCDEF_PATH, IDC_POSTSCRIPT_PATH}) {
            SendMessageA(Item(nId), EM_LIMITTEXT, MaxJobPath, 0);
        }
        SetItemText(IDC_DOCDEF_PATH, m_strDocDef);
        SetItemText(IDC_POSTSCRIPT_PATH, m_strPostScript);
    }

    bool OnOK() override {
        std::string strDocDef = ItemText(IDC_DOCDEF_PATH);
        std::string strPostScript = ItemText(IDC_POSTSCRIPT_PATH);
        // A path longer than the job's buffers is refused, not cut.
        int nTooLong = strDocDef.size() > MaxJobPath       ? IDC_DOCDEF_PATH
                       : strPostScript.size() > MaxJobPath ? IDC_POSTSCRIPT_PATH
                                                           : 0;
        if (nTooLong != 0) {
            MessageBeep(MB_ICONEXCLAMATION);
            SetFocus(Item(nTooLong));
            return false;
        }
        m_strDocDef = strDocDef;
        m_strPostScript = strPostScript;
        return true;
    }

    bool IsHelpControl(int nId) const override {
        return nId == IDC_DOCDEF_PATH || nId == IDC_POSTSCRIPT_PATH;
    }

  private:
    std::string& m_strDocDef;
    std::string& m_strPostScript;
};

} // namespace

bool RunJobFilesDialog(std::string& strDocDefPath, std::string& strPostScriptPath) {
    CJobFilesDialog dialog(strDocDefPath, strPostScriptPath);
    return dialog.DoModal(nullptr) == IDOK;
}
