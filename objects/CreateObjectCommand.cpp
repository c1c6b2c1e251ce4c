#include "CreateObjectCommand.h"

#include <windows.h>

// The command is refused until its dialogs and host conversation exist.
uint16_t CreateVariableDataObject(HostParamBlock*) {
    OutputDebugStringA("CreateVariableDataObject is not available in this build\n");
    return StatusFailed;
}
