#include "AreaDefinition.h"

#include "LineReader.h"
#include "NumberReader.h"

#include <cstring>
#include <istream>
#include <ostream>
#include <sstream>
#include <string>

namespace {

const char* const AlignmentWords[] = {"Left", "Center", "Right", "Justify"};

// The longest quoted file name taken, its closing quote included.
constexpr size_t MaxQuoted = 260;

bool EndsWithQuote(const std::string& strText) {
    return !strText.empty() && strText.back() == '"';
}

// The code of an alignment word in its mode, or -1.
int32_t AlignmentCode(const std::string& strWord, const std::string& strMode) {
    int32_t nBase = 0;
    if (strMode == "Flow") {
        nBase = 4;
    } else if (strMode != "AsIs") {
        return -1;
    }
    for (int32_t i = 0; i < 4; ++i) {
        if (strWord == AlignmentWords[i]) {
            return nBase + i;
        }
    }
    return -1;
}

// Parses the words of a graphic area after "Graphic": its placement.
bool ParseGraphic(CAreaDefinition& area, std::istream& words) {
    std::string strWord;
    area.nKind = KindGraphic;
    if (!(words >> strWord)) {
        return false;
    }
    if (strWord == "ScaleAndTrim") {
        area.nPlacement = PlaceScaleAndTrim;
        return static_cast<bool>(words >> Number(area.fTrim2) >> Number(area.fTrim3) >>
                                 Number(area.fTrim0) >> Number(area.fTrim1));
    }
    if (strWord != "ScaleToFit") {
        return false;
    }
    area.nPlacement = PlaceScaleToFit;
    return true;
}

// Parses the words of a text area after "Text": alignment and mode, font,
// size, spacing and colour.
bool ParseText(CAreaDefinition& area, std::istream& words) {
    std::string strWord;
    std::string strMode;
    area.nKind = KindText;
    if (!(words >> strWord >> strMode)) {
        return false;
    }
    int32_t nCode = AlignmentCode(strWord, strMode);
    if (nCode < 0) {
        return false;
    }
    area.nAlignment = nCode;
    // Each keyword is read with its value, then checked.
    return words >> strWord >> area.strFont && strWord == "Font" &&
           words >> strWord >> Number(area.fSize) && strWord == "Size" &&
           words >> strWord >> Number(area.fSpacing) && strWord == "Spacing" &&
           words >> strWord >> Number(area.fCyan) >> Number(area.fMagenta) >>
               Number(area.fYellow) >> Number(area.fBlack) &&
           strWord == "CMYK";
}

// Parses the words of one area line; false on a syntax error.
bool ParseArea(CAreaDefinition& area, std::istream& words) {
    std::string strWord;
    if (!(words >> area.strName) || !(words >> strWord) || strWord != "Is" || !(words >> strWord)) {
        return false;
    }
    bool bKind = strWord == "Graphic" ? ParseGraphic(area, words)
                 : strWord == "Text"  ? ParseText(area, words)
                                      : false;
    if (!bKind || !(words >> strWord) || strWord != "On" ||
        ReadQuoted(words, area.strFile) != ReadOk || !(words >> area.strPage)) {
        return false;
    }
    if (!(words >> strWord >> Number(area.fLeft) >> Number(area.fTop)) || strWord != "At") {
        return false;
    }
    if (!(words >> strWord >> Number(area.fWidth) >> Number(area.fHeight)) || strWord != "For") {
        return false;
    }
    if (area.nKind == KindText) {
        // A missing first position is not an error.
        float fX = -1;
        float fY = -1;
        if (words >> strWord >> Number(fX) >> Number(fY) && strWord == "FirstPos") {
            area.fFirstPosX = fX;
            area.fFirstPosY = fY;
        } else {
            area.fFirstPosX = -1;
            area.fFirstPosY = -1;
        }
    }
    return true;
}

} // namespace

int WriteArea(const CAreaDefinition& area, std::ostream& out) {
    out << area.strName << " Is";
    if (area.nKind == KindText) {
        out << " Text";
        if (area.nAlignment >= 0 && area.nAlignment <= 7) {
            out << ' ' << AlignmentWords[area.nAlignment % 4]
                << (area.nAlignment < 4 ? " AsIs" : " Flow");
        }
        out << " Font " << area.strFont << " Size " << area.fSize << " Spacing " << area.fSpacing
            << " CMYK " << area.fCyan << ' ' << area.fMagenta << ' ' << area.fYellow << ' '
            << area.fBlack;
    } else {
        out << " Graphic";
        if (area.nPlacement == PlaceScaleToFit) {
            out << " ScaleToFit";
        } else if (area.nPlacement == PlaceScaleAndTrim) {
            out << " ScaleAndTrim " << area.fTrim2 << ' ' << area.fTrim3 << ' ' << area.fTrim0
                << ' ' << area.fTrim1;
        }
    }
    out << " On \"" << area.strFile << "\" " << area.strPage << " At " << area.fLeft << ' '
        << area.fTop << " For " << area.fWidth << ' ' << area.fHeight;
    if (area.nKind == KindText) {
        out << " FirstPos " << area.fFirstPosX << ' ' << area.fFirstPosY;
    }
    out << '\n';
    out.flush();
    return out.fail() ? ReadError : ReadOk;
}

int ReadArea(CAreaDefinition& area, std::istream& in, size_t nMaxLine) {
    return ReadRecordLine(
        in, [&area](std::istream& words) { return ParseArea(area, words); }, nMaxLine);
}

int ReadQuoted(std::istream& in, CSmallString& text) {
    std::string strWord;
    if (!(in >> strWord)) {
        return ReadError;
    }
    if (strWord[0] != '"') {
        if (strWord.size() >= MaxQuoted) {
            return ReadError;
        }
        text.Assign(strWord.c_str(), static_cast<int32_t>(strWord.size()));
        return ReadOk;
    }
    std::string strQuoted = strWord.substr(1);
    while (!EndsWithQuote(strQuoted)) {
        if (!(in >> strWord)) {
            return ReadError;
        }
        strQuoted += ' ';
        strQuoted += strWord;
        if (strQuoted.size() > MaxQuoted) {
            return ReadError;
        }
    }
    if (strQuoted.size() > MaxQuoted) {
        return ReadError;
    }
    strQuoted.pop_back();
    text.Assign(strQuoted.c_str(), static_cast<int32_t>(strQuoted.size()));
    return ReadOk;
}
