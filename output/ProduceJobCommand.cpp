#include "ProduceJobCommand.h"

#include <windows.h>

// The command is refused until its dialogs and host conversation exist.
uint16_t ProduceJob(HostParamBlock*) {
    OutputDebugStringA("ProduceJob is not available in this build\n");
    return StatusFailed;
}
