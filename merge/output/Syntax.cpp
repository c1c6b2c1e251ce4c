#include "merge/output/Syntax.h"

#include <cstdio>

std::string Number(double dValue) {
    char szNumber[32];
    snprintf(szNumber, sizeof szNumber, "%.2f", dValue);
    return szNumber;
}

std::string Literal(const std::string& strText) {
    std::string strOut = "(";
    for (unsigned char c : strText) {
        if (c == '(' || c == ')' || c == '\\') {
            strOut += '\\';
            strOut += static_cast<char>(c);
        } else if (c < 32 || c > 126) {
            char szOctal[8];
            snprintf(szOctal, sizeof szOctal, "\\%03o", c);
            strOut += szOctal;
        } else {
            strOut += static_cast<char>(c);
        }
    }
    return strOut + ")";
}
