#include "Lifecycle.h"

#include "PublicationState.h"
#include "WorkingState.h"
#include "fields/DefineFieldsCommand.h"
#include "framework/CommandGuard.h"
#include "objects/CreateObjectCommand.h"
#include "objects/ObjectState.h"
#include "output/ProduceJobCommand.h"

#include <windows.h>

uint16_t Startup(HostParamBlock* pBlock) {
    nEpsClipboardFormat = RegisterClipboardFormatA(EpsClipboardFormatName);
    ResetWorkingState();
    if (LoadPublicationState(pBlock) == StatusFailed) {
        ReleaseWorkingState();
        return StatusFailed;
    }
    return StatusOk;
}

uint16_t Shutdown(HostParamBlock* pBlock) {
    SavePublicationState(pBlock);
    ReleaseWorkingState();
    return StatusOk;
}

namespace {
uint16_t RunCommand(HostParamBlock* pBlock) {
    switch (pBlock->command) {
    case 1:
        return RunGuarded([pBlock] { return CreateVariableDataObject(pBlock); }, StatusOk);
    case 2:
        return RunGuarded([pBlock] { return DefineDataFields(pBlock); }, StatusOk);
    case 3:
        return RunGuarded([pBlock] { return ProduceJob(pBlock); }, StatusOk);
    default:
        return StatusFailed;
    }
}
} // namespace

uint16_t Dispatch(HostParamBlock* pBlock) {
    switch (pBlock->code) {
    case SelStartup:
        return Startup(pBlock);
    case SelShutdown:
        return Shutdown(pBlock);
    case 4:
    case 5:
        return StatusOk;
    case SelCommand:
        return RunCommand(pBlock);
    default:
        return StatusFailed;
    }
}
