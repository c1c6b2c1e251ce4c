// Loading and unloading of the library: the application object lives exactly
// as long as the module.
#include "plugin/framework/App.h"

#include <windows.h>

namespace {
CPluginApp theApp("NEB Variable Data");
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD nReason, LPVOID) {
    if (nReason == DLL_PROCESS_ATTACH) {
        return theApp.InitInstance(hInstance) ? TRUE : FALSE;
    }
    return TRUE;
}
