#include "Catalogue.h"

#include "App.h"

#include <windows.h>

std::string LoadCatalogueString(unsigned nId) {
    char szText[256];
    int nLength = LoadStringA(AppInstance(), nId, szText, sizeof szText);
    return std::string(szText, nLength > 0 ? static_cast<size_t>(nLength) : 0);
}

std::string FormatCatalogueString(unsigned nId, const char* pText) {
    return FormatCatalogueString(nId, std::vector<std::string>{pText != nullptr ? pText : ""});
}

std::string FormatCatalogueString(unsigned nId, const std::vector<std::string>& texts) {
    std::string strText = LoadCatalogueString(nId);
    size_t nAt = 0;
    for (const std::string& strValue : texts) {
        nAt = strText.find("%s", nAt);
        if (nAt == std::string::npos) {
            break;
        }
        strText.replace(nAt, 2, strValue);
        nAt += strValue.size();
    }
    return strText;
}
