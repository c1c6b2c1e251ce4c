#include "Lifecycle.h"

#include "PublicationState.h"
#include "WorkingState.h"
#include "channel/HostChannel.h"
#include "fields/DefineFieldsCommand.h"
#include "framework/CommandGuard.h"
#include "objects/CreateObjectCommand.h"
#include "objects/ObjectState.h"
#include "output/ProduceJobCommand.h"
#include "resources/StringIds.h"

#include <windows.h>

uint16_t Startup(HostParamBlock* pBlock) {
    nEpsClipboardFormat = RegisterClipboardFormatA(EpsClipboardFormatName);
    ResetWorkingState();
    unsigned nMessage = 0;
    try {
        if (LoadPublicationState(pBlock) != StatusFailed) {
            return StatusOk;
        }
    } catch (...) {
        // The host shows why the plug-in could not start.
        nMessage = CurrentExceptionMessage();
    }
    ReleaseWorkingState();
    if (nMessage != 0) {
        try {
            SetErrorText(pBlock, nMessage, IDS_CAPTION);
        } catch (...) {
            // Without its text the failure is still reported.
        }
    }
    return StatusFailed;
}

uint16_t Shutdown(HostParamBlock* pBlock) {
    // What could not be saved is reported; the working state is released
    // whatever happened.
    RunGuarded([pBlock] { return SavePublicationState(pBlock); }, StatusOk);
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
