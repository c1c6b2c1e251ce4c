#include "Catalogue.h"

#include "App.h"

#include <windows.h>

std::string LoadCatalogueString(unsigned nId) {
    char szText[256];
    int nLength = LoadStringA(AppInstance(), nId, szText, sizeof szText);
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

std::string FormatCatalogueString(unsigned nId, const char* pText) {
    std::string strText = LoadCatalogueString(nId);
    size_t nAt = strText.find("%s");
    if (nAt != std::string::npos) {
        strText.replace(nAt, 2, pText != nullptr ? pText : "");
    }
    return strText;
}
