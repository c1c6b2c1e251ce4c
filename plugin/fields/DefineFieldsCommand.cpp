#include "DefineFieldsCommand.h"

#include "DefineFieldsDialog.h"

#include <string>

uint16_t DefineDataFields(HostParamBlock* pBlock, CFieldState& fields, CSampleState& sample,
                          CJobFileState& jobFiles) {
    std::string strDocDef;
    std::string strPostScript;
    ComputeJobFileNames(pBlock, jobFiles, strDocDef, strPostScript);
    RunDefineFieldsDialog(GetActiveWindow(), fields, sample, jobFiles.pDocDefPath);
    return StatusOk;
}
