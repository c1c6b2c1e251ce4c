#include "DefineFieldsCommand.h"

#include <windows.h>

// The command is refused until its dialogs and host conversation exist.
uint16_t DefineDataFields(HostParamBlock*) {
    OutputDebugStringA("DefineDataFields is not available in this build\n");
    return StatusFailed;
}
