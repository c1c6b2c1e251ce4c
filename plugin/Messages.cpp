#include "Messages.h"

#include "framework/App.h"
#include "resources/StringIds.h"

#include <windows.h>

#include <cstring>

namespace {
// Loaded on the first ShowMessage and kept for the rest of the session.
char szCaption[256];

constexpr unsigned IconMask = MB_ICONMASK;
} // namespace

std::string LoadCatalogueString(unsigned nId) {
    char szText[256];
    int nLength = LoadStringA(AppInstance(), nId, szText, sizeof szText);
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

const char* MessageCaption() {
    return szCaption;
}

int ShowMessage(unsigned nId, unsigned nStyle) {
    if (szCaption[0] == '\0') {
        LoadStringA(AppInstance(), IDS_CAPTION, szCaption, sizeof szCaption);
    }
    char szText[256];
    if (LoadStringA(AppInstance(), nId, szText, sizeof szText) <= 0) {
        szText[0] = '\0';
    }
    return MessageBoxA(GetActiveWindow(), szText, szCaption, nStyle);
}

int FrameworkMessageBox(const char* pText, unsigned nStyle) {
    char szTitle[256];
    if (LoadStringA(AppInstance(), IDS_APP_TITLE, szTitle, sizeof szTitle) <= 0) {
        lstrcpynA(szTitle, TheApp().Title(), sizeof szTitle);
    }
    unsigned nButtons = nStyle & MB_TYPEMASK;
    bool bPlainButtons = nButtons == MB_OK || nButtons == MB_OKCANCEL || nButtons == MB_YESNO ||
                         nButtons == MB_YESNOCANCEL;
    if ((nStyle & IconMask) == 0 && bPlainButtons) {
        nStyle |= MB_ICONEXCLAMATION;
    }
    return MessageBoxA(GetActiveWindow(), pText, szTitle, nStyle);
}

int ShowFrameworkMessage(unsigned nId, unsigned nStyle) {
    char szText[256];
    if (LoadStringA(AppInstance(), nId, szText, sizeof szText) <= 0) {
        szText[0] = '\0';
    }
    return FrameworkMessageBox(szText, nStyle);
}

std::string FormatCatalogueString(unsigned nId, const char* pText) {
    std::string strText = LoadCatalogueString(nId);
    size_t nAt = strText.find("%s");
    if (nAt != std::string::npos) {
        strText.replace(nAt, 2, pText != nullptr ? pText : "");
    }
    return strText;
}

int ShowFormattedMessage(unsigned nId, const char* pText) {
    return FrameworkMessageBox(FormatCatalogueString(nId, pText).c_str(), MB_OK);
}
