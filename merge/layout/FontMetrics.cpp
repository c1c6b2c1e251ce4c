#include "merge/layout/FontMetrics.h"

#include "merge/data/TextEncoding.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

struct CFontName {
    const char* pStandard;
    const char* pUrw;
};

// The 35 standard fonts and the URW fonts that stand in for them.
const CFontName FontNames[] = {
    {"AvantGarde-Book", "URWGothic-Book"},
    {"AvantGarde-BookOblique", "URWGothic-BookOblique"},
    {"AvantGarde-Demi", "URWGothic-Demi"},
    {"AvantGarde-DemiOblique", "URWGothic-DemiOblique"},
    {"Bookman-Demi", "URWBookman-Demi"},
    {"Bookman-DemiItalic", "URWBookman-DemiItalic"},
    {"Bookman-Light", "URWBookman-Light"},
    {"Bookman-LightItalic", "URWBookman-LightItalic"},
    {"Courier", "NimbusMonoPS-Regular"},
    {"Courier-Bold", "NimbusMonoPS-Bold"},
    {"Courier-BoldOblique", "NimbusMonoPS-BoldItalic"},
    {"Courier-Oblique", "NimbusMonoPS-Italic"},
    {"Helvetica", "NimbusSans-Regular"},
    {"Helvetica-Bold", "NimbusSans-Bold"},
    {"Helvetica-BoldOblique", "NimbusSans-BoldItalic"},
    {"Helvetica-Oblique", "NimbusSans-Italic"},
    {"Helvetica-Narrow", "NimbusSansNarrow-Regular"},
    {"Helvetica-Narrow-Bold", "NimbusSansNarrow-Bold"},
    {"Helvetica-Narrow-BoldOblique", "NimbusSansNarrow-BoldOblique"},
    {"Helvetica-Narrow-Oblique", "NimbusSansNarrow-Oblique"},
    {"NewCenturySchlbk-Bold", "C059-Bold"},
    {"NewCenturySchlbk-BoldItalic", "C059-BdIta"},
    {"NewCenturySchlbk-Italic", "C059-Italic"},
    {"NewCenturySchlbk-Roman", "C059-Roman"},
    {"Palatino-Bold", "P052-Bold"},
    {"Palatino-BoldItalic", "P052-BoldItalic"},
    {"Palatino-Italic", "P052-Italic"},
    {"Palatino-Roman", "P052-Roman"},
    {"Symbol", "StandardSymbolsPS"},
    {"Times-Bold", "NimbusRoman-Bold"},
    {"Times-BoldItalic", "NimbusRoman-BoldItalic"},
    {"Times-Italic", "NimbusRoman-Italic"},
    {"Times-Roman", "NimbusRoman-Regular"},
    {"ZapfChancery-MediumItalic", "Z003-MediumItalic"},
    {"ZapfDingbats", "D050000L"},
};

// Takes what the line of a font metrics file gives: a glyph's width, or
// one of the font's facts.
void ReadMetricsLine(const std::string& strLine, std::unordered_map<std::string, int>& byName,
                     CFontFacts& facts) {
    char szName[128];
    int nCode = -1;
    int nWidth = 0;
    // "C 65 ; WX 667 ; N A ; B ..."; unencoded glyphs have the code -1.
    if (sscanf(strLine.c_str(), "C %d ; WX %d ; N %127s", &nCode, &nWidth, szName) == 3) {
        byName[szName] = nWidth;
    } else if (sscanf(strLine.c_str(), "FontName %127s", szName) == 1) {
        facts.strName = szName;
    } else if (strLine.rfind("EncodingScheme FontSpecific", 0) == 0) {
        facts.bSymbolic = true;
    } else if (strLine.rfind("IsFixedPitch true", 0) == 0) {
        facts.bFixedPitch = true;
    } else {
        sscanf(strLine.c_str(), "FontBBox %lf %lf %lf %lf", &facts.adBox[0], &facts.adBox[1],
               &facts.adBox[2], &facts.adBox[3]);
        sscanf(strLine.c_str(), "ItalicAngle %lf", &facts.dItalicAngle);
        sscanf(strLine.c_str(), "CapHeight %lf", &facts.dCapHeight);
        sscanf(strLine.c_str(), "Ascender %lf", &facts.dAscent);
        sscanf(strLine.c_str(), "Descender %lf", &facts.dDescent);
        sscanf(strLine.c_str(), "StdVW %lf", &facts.dStemV);
    }
}

} // namespace

CFontMetrics::CFontMetrics(std::string strFolder) : m_strFolder(std::move(strFolder)) {}

std::string CFontMetrics::UrwName(const std::string& strFont) {
    for (const CFontName& name : FontNames) {
        if (strFont == name.pStandard || strFont == name.pUrw) {
            return name.pUrw;
        }
    }
    return "";
}

const CFontMetrics::CWidths* CFontMetrics::Widths(const std::string& strFont) {
    if (m_pLastWidths != nullptr && strFont == m_strLastFont) {
        return m_pLastWidths;
    }
    auto found = m_fonts.find(strFont);
    if (found != m_fonts.end()) {
        if (found->second.bRead) {
            m_strLastFont = strFont;
            m_pLastWidths = &found->second;
        }
        return found->second.bRead ? &found->second : nullptr;
    }
    CWidths& widths = m_fonts[strFont];
    std::string strUrw = UrwName(strFont);
    if (strUrw.empty()) {
        m_strError = "no metrics for the font " + strFont;
        return nullptr;
    }
    std::string strFile = m_strFolder + "/" + strUrw + ".afm";
    std::ifstream in(strFile);
    if (!in) {
        m_strError = strFile + ": cannot read the font metrics";
        return nullptr;
    }
    std::string strLine;
    CFontFacts& facts = widths.facts;
    while (std::getline(in, strLine)) {
        ReadMetricsLine(strLine, widths.byName, facts);
    }
    // The URW files give no ascender or descender: the box's edges stand in.
    facts.dAscent = facts.dAscent == 0 ? facts.adBox[3] : facts.dAscent;
    facts.dDescent = facts.dDescent == 0 ? facts.adBox[1] : facts.dDescent;
    facts.strName = facts.strName.empty() ? strUrw : facts.strName;
    for (int nCode = 0; nCode < 256; ++nCode) {
        auto named = widths.byName.find(WinAnsiGlyphName(nCode));
        widths.anWinAnsi[nCode] = named == widths.byName.end() ? -1 : named->second;
    }
    widths.bRead = true;
    return &widths;
}

int CFontMetrics::CWidths::Width(char32_t c) const {
    int nCode = WinAnsiCode(c);
    if (nCode >= 0) {
        return anWinAnsi[nCode];
    }
    std::string strName = GlyphName(c);
    auto named = strName.empty() ? byName.end() : byName.find(strName);
    return named == byName.end() ? -1 : named->second;
}

double CFontMetrics::TextWidth(const std::string& strFont, const std::u32string& strText,
                               double dSize) {
    const CWidths* pWidths = Widths(strFont);
    if (pWidths == nullptr) {
        return -1;
    }
    long nTotal = 0;
    for (char32_t c : strText) {
        nTotal += std::max(0, pWidths->Width(c));
    }
    return static_cast<double>(nTotal) * dSize / 1000.0;
}

double CFontMetrics::TextWidth(const std::string& strFont, const std::string& strText,
                               double dSize) {
    return TextWidth(strFont, DecodeText(strText, TextEncoding::Windows1252), dSize);
}

char32_t CFontMetrics::MissingGlyph(const std::string& strFont, const std::u32string& strText) {
    for (char32_t c : strText) {
        if (!CanShow(strFont, c)) {
            return c;
        }
    }
    return 0;
}

bool CFontMetrics::CanShow(const std::string& strFont, char32_t c) {
    const CWidths* pWidths = Widths(strFont);
    return pWidths == nullptr ? c != BadByte : pWidths->Width(c) >= 0;
}

int CFontMetrics::GlyphWidth(const std::string& strFont, const std::string& strGlyph) {
    const CWidths* pWidths = Widths(strFont);
    if (pWidths == nullptr) {
        return -1;
    }
    auto named = pWidths->byName.find(strGlyph);
    return named == pWidths->byName.end() ? -1 : named->second;
}

const CFontFacts* CFontMetrics::Facts(const std::string& strFont) {
    const CWidths* pWidths = Widths(strFont);
    return pWidths == nullptr ? nullptr : &pWidths->facts;
}

std::string CFontMetrics::ProgramFile(const std::string& strFont) const {
    return m_strFolder + "/" + UrwName(strFont) + ".t1";
}
