#include "Lifecycle.h"

#include "PublicationState.h"
#include "WorkingState.h"
#include "core/StringIds.h"
#include "plugin/channel/HostChannel.h"
#include "plugin/fields/DefineFieldsCommand.h"
#include "plugin/framework/CommandGuard.h"
#include "plugin/framework/Help.h"
#include "plugin/objects/CreateObjectCommand.h"
#include "plugin/output/ProduceJobCommand.h"

#include <windows.h>

uint16_t Startup(HostParamBlock* pBlock, CWorkingState& state) {
    state.objects.nEpsClipboardFormat = RegisterClipboardFormatA(EpsClipboardFormatName);
    state.Reset();
    unsigned nMessage = 0;
    try {
        if (LoadPublicationState(pBlock, state) != StatusFailed) {
            return StatusOk;
        }
    } catch (...) {
        // The host shows why the plug-in could not start.
        nMessage = CurrentExceptionMessage();
    }
    state.Release();
    if (nMessage != 0) {
        try {
            SetErrorText(pBlock, nMessage, IDS_CAPTION);
        } catch (...) {
            // Without its text the failure is still reported.
        }
    }
    return StatusFailed;
}

uint16_t Shutdown(HostParamBlock* pBlock, CWorkingState& state) {
    // What could not be saved is reported; the working state is released
    // and the help windows closed whatever happened.
    RunGuarded([&] { return SavePublicationState(pBlock, state); }, StatusOk);
    state.Release();
    CloseHelp();
    return StatusOk;
}

namespace {
// Each command gets the parts of the working state it works on.
uint16_t RunCommand(HostParamBlock* pBlock, CWorkingState& state) {
    switch (pBlock->command) {
    case 1:
        return RunGuarded(
            [&] {
                return CreateVariableDataObject(pBlock, {state.objects, state.fields, state.sample,
                                                         state.fontMap, state.jobFiles});
            },
            StatusOk);
    case 2:
        return RunGuarded(
            [&] { return DefineDataFields(pBlock, state.fields, state.sample, state.jobFiles); },
            StatusOk);
    case 3:
        return RunGuarded(
            [&] {
                return ProduceJob(pBlock, state.fields, state.sample, state.objects,
                                  state.jobFiles);
            },
            StatusOk);
    default:
        return StatusFailed;
    }
}
} // namespace

uint16_t Dispatch(HostParamBlock* pBlock, CWorkingState& state) {
    switch (pBlock->code) {
    case SelStartup:
        return Startup(pBlock, state);
    case SelShutdown:
        return Shutdown(pBlock, state);
    case 4:
    case 5:
        return StatusOk;
    case SelCommand:
        return RunCommand(pBlock, state);
    default:
        return StatusFailed;
    }
}
