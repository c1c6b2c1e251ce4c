#include "JobFilesDialog.h"

#include "core/StringIds.h"
#include "plugin/framework/ModalDialog.h"

namespace {

class CJobFilesDialog : public CModalDialog {
  public:
    CJobFilesDialog(std::string& strDocDef, std::string& strPostScript)
        : CModalDialog(IDD_JOB_FILES), m_strDocDef(strDocDef), m_strPostScript(strPostScript) {}

  protected:
    // A path longer than the job's buffers is refused, not cut.
    void DoDataExchange(CDataExchange& dx) override {
        dx.Text(IDC_DOCDEF_PATH, m_strDocDef, MaxJobPath);
        dx.Text(IDC_POSTSCRIPT_PATH, m_strPostScript, MaxJobPath);
    }

  private:
    std::string& m_strDocDef;
    std::string& m_strPostScript;
};

} // namespace

bool RunJobFilesDialog(std::string& strDocDefPath, std::string& strPostScriptPath) {
    // The paths change only when the user confirms them.
    std::string strDocDef = strDocDefPath;
    std::string strPostScript = strPostScriptPath;
    CJobFilesDialog dialog(strDocDef, strPostScript);
    if (dialog.DoModal(nullptr) != IDOK) {
        return false;
    }
    strDocDefPath = strDocDef;
    strPostScriptPath = strPostScript;
    return true;
}
