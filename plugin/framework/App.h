// The plug-in's application object: its title, the module instance from which
// resources are loaded, and the colours of every dialog of the plug-in.
#pragma once

#include "GdiObject.h"

#include <windows.h>

class CPluginApp {
  public:
    explicit CPluginApp(const char* pTitle);
    CPluginApp(const CPluginApp&) = delete;
    CPluginApp& operator=(const CPluginApp&) = delete;
    ~CPluginApp();

    // Records the module and sets the dialog colours; the plug-in loads also
    // when the colours cannot be set (its dialogs then keep the system's).
    // The brush is made by CreateSolidBrush unless a test gives another maker.
    using BrushMaker = HBRUSH(WINAPI*)(COLORREF);
    bool InitInstance(HINSTANCE hInstance, BrushMaker pMakeBrush = CreateSolidBrush);

    const char* Title() const { return m_pTitle; }
    HINSTANCE Instance() const { return m_hInstance; }

    // Background brush and text colour of the plug-in's dialogs, for their
    // WM_CTLCOLOR* handling; no brush when none could be made.
    HBRUSH DialogBrush() const { return m_dialogBrush.Get(); }
    COLORREF DialogBackColor() const { return m_crBack; }
    COLORREF DialogTextColor() const { return m_crText; }

  private:
    const char* m_pTitle;
    HINSTANCE m_hInstance = nullptr;
    COLORREF m_crBack = RGB(192, 192, 192);
    COLORREF m_crText = RGB(0, 0, 0);
    CBrush m_dialogBrush;
};

// The one application object of the module.
CPluginApp& TheApp();

// The module whose resources the plug-in loads.
HINSTANCE AppInstance();
