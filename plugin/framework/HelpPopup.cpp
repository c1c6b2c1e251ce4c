#include "HelpPopup.h"

#include "App.h"

namespace {
const char* const PopupClass = "NebHelpPopup";
constexpr int Margin = 6;
constexpr int TextWidth = 280;
constexpr UINT TextFormat = DT_WORDBREAK | DT_NOPREFIX | DT_LEFT;

HWND hPopup = nullptr;
HHOOK hKeyHook = nullptr;

HFONT PopupFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

void Paint(HWND hWnd) {
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hWnd, &paint);
    RECT area;
    GetClientRect(hWnd, &area);
    InflateRect(&area, -Margin, -Margin);
    char szText[2048] = {};
    GetWindowTextA(hWnd, szText, sizeof szText);
    HGDIOBJ hOld = SelectObject(hdc, PopupFont());
    SetBkMode(hdc, TRANSPARENT);
    SetTextColor(hdc, GetSysColor(COLOR_INFOTEXT));
    DrawTextA(hdc, szText, -1, &area, TextFormat);
    SelectObject(hdc, hOld);
    EndPaint(hWnd, &paint);
}

LRESULT CALLBACK PopupProc(HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    switch (nMessage) {
    case WM_PAINT:
        Paint(hWnd);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        DestroyWindow(hWnd);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hWnd) {
            DestroyWindow(hWnd);
        }
        return 0;
    case WM_DESTROY:
        if (hPopup == hWnd) {
            hPopup = nullptr;
            UnhookWindowsHookEx(hKeyHook);
            hKeyHook = nullptr;
        }
        return 0;
    default:
        return DefWindowProcA(hWnd, nMessage, wParam, lParam);
    }
}

// Any key pressed while the pop-up shows closes it, as a click does.
LRESULT CALLBACK KeyHook(int nCode, WPARAM wParam, LPARAM lParam) {
    bool bKeyDown = (lParam & 0x80000000) == 0;
    if (nCode == HC_ACTION && bKeyDown && hPopup != nullptr) {
        PostMessageA(hPopup, WM_CLOSE, 0, 0);
    }
    return CallNextHookEx(hKeyHook, nCode, wParam, lParam);
}

bool RegisterPopupClass() {
    WNDCLASSA windowClass = {};
    if (GetClassInfoA(AppInstance(), PopupClass, &windowClass)) {
        return true;
    }
    windowClass.lpfnWndProc = PopupProc;
    windowClass.hInstance = AppInstance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_INFOBK);
    windowClass.lpszClassName = PopupClass;
    return RegisterClassA(&windowClass) != 0;
}

// The pop-up's frame in the owner's client area: the text's size with
// margins, below the control (at the mouse without one), kept inside the
// owner.
RECT PopupFrame(HWND hOwner, HWND hControl, const std::string& strText) {
    HDC hdc = GetDC(hOwner);
    HGDIOBJ hOld = SelectObject(hdc, PopupFont());
    RECT text = {0, 0, TextWidth, 0};
    DrawTextA(hdc, strText.c_str(), -1, &text, TextFormat | DT_CALCRECT);
    SelectObject(hdc, hOld);
    ReleaseDC(hOwner, hdc);
    POINT at;
    RECT control;
    if (hControl != nullptr && GetWindowRect(hControl, &control)) {
        at = {control.left, control.bottom + 2};
    } else {
        GetCursorPos(&at);
    }
    ScreenToClient(hOwner, &at);
    RECT owner;
    GetClientRect(hOwner, &owner);
    int nWidth = text.right + 2 * Margin + 2;
    int nHeight = text.bottom + 2 * Margin + 2;
    at.x = at.x + nWidth > owner.right ? owner.right - nWidth : at.x;
    at.y = at.y + nHeight > owner.bottom ? owner.bottom - nHeight : at.y;
    at.x = at.x < 0 ? 0 : at.x;
    at.y = at.y < 0 ? 0 : at.y;
    return {at.x, at.y, at.x + nWidth, at.y + nHeight};
}
} // namespace

bool ShowHelpPopup(HWND hOwner, HWND hControl, const std::string& strText) {
    CloseHelpPopup();
    if (!RegisterPopupClass()) {
        return false;
    }
    RECT frame = PopupFrame(hOwner, hControl, strText);
    // A window inside the dialog, on top of its controls: it shows on every
    // display, and goes with the dialog.
    hPopup = CreateWindowExA(0, PopupClass, strText.c_str(), WS_CHILD | WS_BORDER, frame.left,
                             frame.top, frame.right - frame.left, frame.bottom - frame.top, hOwner,
                             nullptr, AppInstance(), nullptr);
    if (hPopup == nullptr) {
        return false;
    }
    hKeyHook = SetWindowsHookExA(WH_KEYBOARD, KeyHook, nullptr, GetCurrentThreadId());
    SetWindowPos(hPopup, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(hPopup);
    SetCapture(hPopup);
    return true;
}

void CloseHelpPopup() {
    if (hPopup != nullptr) {
        DestroyWindow(hPopup);
    }
}
