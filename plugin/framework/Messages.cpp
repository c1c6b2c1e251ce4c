#include "Messages.h"

#include "App.h"
#include "Catalogue.h"
#include "core/StringIds.h"

#include <windows.h>

namespace {
// Loaded on the first ShowMessage and kept for the rest of the session.
char szCaption[256];
} // namespace

const char* MessageCaption() {
    return szCaption;
}

int ShowMessage(unsigned nId, unsigned nStyle) {
    if (szCaption[0] == '\0') {
        LoadStringA(AppInstance(), IDS_CAPTION, szCaption, sizeof szCaption);
    }
    return MessageBoxA(GetActiveWindow(), LoadCatalogueString(nId).c_str(), szCaption, nStyle);
}

int FrameworkMessageBox(const char* pText, unsigned nStyle) {
    std::string strTitle = LoadCatalogueString(IDS_APP_TITLE);
    if (strTitle.empty()) {
        strTitle = TheApp().Title();
    }
    unsigned nButtons = nStyle & MB_TYPEMASK;
    bool bPlainButtons = nButtons == MB_OK || nButtons == MB_OKCANCEL || nButtons == MB_YESNO ||
                         nButtons == MB_YESNOCANCEL;
    if ((nStyle & MB_ICONMASK) == 0 && bPlainButtons) {
        nStyle |= MB_ICONEXCLAMATION;
    }
    return MessageBoxA(GetActiveWindow(), pText, strTitle.c_str(), nStyle);
}

int ShowFrameworkMessage(unsigned nId, unsigned nStyle) {
    return FrameworkMessageBox(LoadCatalogueString(nId).c_str(), nStyle);
}

int ShowFormattedMessage(unsigned nId, const char* pText) {
    return FrameworkMessageBox(FormatCatalogueString(nId, pText).c_str(), MB_OK);
}
