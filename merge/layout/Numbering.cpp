#include "merge/layout/Numbering.h"

#include "merge/data/DelimitedCopies.h"

#include <cstdio>

namespace {

const struct {
    RunNumber number;
    const char* pName;
} Names[] = {{RunNumber::Copy, "copy"},   {RunNumber::Copies, "copies"}, {RunNumber::Page, "page"},
             {RunNumber::Pages, "pages"}, {RunNumber::Sheet, "sheet"},   {RunNumber::Side, "side"}};

long Value(RunNumber number, const CRunPlace& place) {
    switch (number) {
    case RunNumber::Copy:
        return place.nCopy;
    case RunNumber::Copies:
        return place.nCopies;
    case RunNumber::Page:
        return place.nPage;
    case RunNumber::Pages:
        return place.nPages;
    case RunNumber::Sheet:
        return place.nSheet;
    case RunNumber::Side:
        return place.nSide;
    }
    return 0;
}

// "name" or "name:N" or "name:0N" into the part; false with why.
bool ReadField(const std::string& strField, CNumbering::CPart& part, std::string& strError) {
    size_t nColon = strField.find(':');
    std::string strName = strField.substr(0, nColon);
    bool bKnown = false;
    std::vector<std::string> names;
    for (const auto& name : Names) {
        names.push_back(name.pName);
        if (strName == name.pName) {
            part.number = name.number;
            bKnown = true;
        }
    }
    if (!bKnown) {
        std::string strNearest = NearestName(strName, names);
        strError = "{" + strField + "}: no such number" +
                   (strNearest.empty() ? "" : "; did you mean {" + strNearest + "}?") +
                   " (copy, copies, page, pages, sheet, side)";
        return false;
    }
    if (nColon == std::string::npos) {
        return true;
    }
    std::string strWidth = strField.substr(nColon + 1);
    part.bZeros = strWidth.size() > 1 && strWidth[0] == '0';
    if (strWidth.empty() || strWidth.size() > 3 ||
        strWidth.find_first_not_of("0123456789") != std::string::npos ||
        (part.nWidth = std::stoi(strWidth)) < 1 || part.nWidth > MaxNumberWidth) {
        strError = "{" + strField + "}: the width after \":\" is a number from 1 to " +
                   std::to_string(MaxNumberWidth) + " (06 pads with zeros)";
        return false;
    }
    return true;
}

} // namespace

bool CNumbering::UsesSheets() const {
    for (const CPart& part : parts) {
        if (part.bNumber && (part.number == RunNumber::Sheet || part.number == RunNumber::Side)) {
            return true;
        }
    }
    return false;
}

bool ParseNumbering(const std::string& strTemplate, CNumbering& numbering, std::string& strError) {
    numbering.parts.assign(1, {});
    for (size_t i = 0; i < strTemplate.size(); ++i) {
        char c = strTemplate[i];
        if ((c == '{' || c == '}') && i + 1 < strTemplate.size() && strTemplate[i + 1] == c) {
            numbering.parts.back().strText += c;
            ++i;
        } else if (c == '}') {
            strError = "a \"}\" that closes no \"{\" (write \"}}\" for the brace itself)";
            return false;
        } else if (c == '{') {
            size_t nEnd = strTemplate.find('}', i);
            if (nEnd == std::string::npos) {
                strError = "a \"{\" that is not closed (write \"{{\" for the brace itself)";
                return false;
            }
            CNumbering::CPart& part = numbering.parts.back();
            part.bNumber = true;
            if (!ReadField(strTemplate.substr(i + 1, nEnd - i - 1), part, strError)) {
                return false;
            }
            numbering.parts.emplace_back();
            i = nEnd;
        } else {
            numbering.parts.back().strText += c;
        }
    }
    return true;
}

std::string Numbered(const CNumbering& numbering, const CRunPlace& place) {
    std::string strOut;
    for (const CNumbering::CPart& part : numbering.parts) {
        strOut += part.strText;
        if (part.bNumber) {
            char szNumber[48];
            snprintf(szNumber, sizeof szNumber, part.bZeros ? "%0*ld" : "%*ld", part.nWidth,
                     Value(part.number, place));
            strOut += szNumber;
        }
    }
    return strOut;
}
