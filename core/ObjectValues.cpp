#include "ObjectValues.h"

#include "PlaceholderText.h"
#include "core/StringIds.h"

#include <cstdio>
#include <cstdlib>

namespace {

const char* const AlignmentEntries[] = {"Left", "Center", "Right", "Justify"};

} // namespace

bool IsNumberText(const char* pText, bool bAllowPoint) {
    bool bPoint = false;
    for (const char* p = pText != nullptr ? pText : ""; *p != '\0'; ++p) {
        if (*p == '.' && bAllowPoint && !bPoint) {
            bPoint = true;
        } else if (*p < '0' || *p > '9') {
            return false;
        }
    }
    return true;
}

bool ReadNumberText(const std::string& strText, float& fValue) {
    if (!IsNumberText(strText.c_str(), true) ||
        strText.find_first_of("0123456789") == std::string::npos) {
        return false;
    }
    fValue = strtof(strText.c_str(), nullptr);
    return true;
}

std::string FormatGeneral(float fValue) {
    char szText[32];
    snprintf(szText, sizeof szText, "%g", static_cast<double>(fValue));
    return szText;
}

std::string FormatPercent(float fFraction) {
    char szText[32];
    snprintf(szText, sizeof szText, "%-3.1f", static_cast<double>(fFraction * 100));
    return szText;
}

const char* AlignmentEntry(int32_t nAlignment) {
    return nAlignment >= 0 && nAlignment <= 7 ? AlignmentEntries[nAlignment % 4]
                                              : AlignmentEntries[0];
}

bool AlignmentFlows(int32_t nAlignment) {
    return nAlignment >= 4 && nAlignment <= 7;
}

int32_t AlignmentCode(const std::string& strEntry, bool bFlow) {
    int32_t nCode = 0;
    for (int32_t i = 0; i < 4; ++i) {
        if (strEntry == AlignmentEntries[i]) {
            nCode = i;
        }
    }
    return bFlow ? nCode + 4 : nCode;
}

unsigned KindRefusal(int16_t nKind) {
    switch (nKind) {
    case 1:
    case 4:
    case 5:
    case 6:
    case 8:
    case 9:
    case 10:
    case 11:
        return 0;
    case 3:
        return IDS_LINE_NOT_VALID;
    case 12:
        return IDS_POLYGON_NOT_VALID;
    default:
        return IDS_OBJECT_NOT_SUPPORTED;
    }
}

std::string StyledFontName(std::string strFont, int16_t nStyle) {
    JoinFontNameWords(strFont);
    int nBits = nStyle & 7;
    if ((nBits & 6) != 0) {
        strFont += "-";
        if ((nBits & 2) != 0) {
            strFont += "Bold";
        }
        if ((nBits & 4) != 0) {
            strFont += "Italic";
        }
    }
    return strFont;
}
