// The library's entry point, exported as `main`: the host's only door into
// the plug-in. No exception ever leaves it.
#include "Lifecycle.h"

#include <windows.h>

extern "C" uint16_t __stdcall PluginMain(HostParamBlock* pBlock) {
    if (pBlock == nullptr) {
        return StatusFailed;
    }
    try {
        return Dispatch(pBlock, PluginState());
    } catch (...) {
        return StatusFailed;
    }
}
