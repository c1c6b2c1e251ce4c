#include "DefineFieldsCommand.h"

#include "DefineFieldsDialog.h"
#include "channel/JobFileNames.h"

#include <string>

uint16_t DefineDataFields(HostParamBlock* pBlock) {
    std::string strDocDef;
    std::string strPostScript;
    ComputeJobFileNames(pBlock, strDocDef, strPostScript);
    RunDefineFieldsDialog(GetActiveWindow());
    return StatusOk;
}
