#include "App.h"

namespace {
CPluginApp* g_pApp = nullptr;
}

CPluginApp::CPluginApp(const char* pTitle) : m_pTitle(pTitle) {
    g_pApp = this;
}

CPluginApp::~CPluginApp() {
    if (g_pApp == this) {
        g_pApp = nullptr;
    }
}

bool CPluginApp::InitInstance(HINSTANCE hInstance, BrushMaker pMakeBrush) {
    m_hInstance = hInstance;
    if (m_dialogBrush.IsEmpty()) {
        m_dialogBrush.Reset(pMakeBrush(m_crBack));
    }
    // Without a brush of their own the dialogs keep the system's colours.
    return true;
}

CPluginApp& TheApp() {
    // A module that links the plug-in's code without its entry (a test
    // program) gets an application object of its own on first use.
    if (g_pApp == nullptr) {
        static CPluginApp fallback("NEB Variable Data");
        g_pApp = &fallback;
        fallback.InitInstance(GetModuleHandleA(nullptr));
    }
    return *g_pApp;
}

HINSTANCE AppInstance() {
    return TheApp().Instance();
}
