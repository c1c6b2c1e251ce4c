// Character widths of the standard PostScript fonts, from the metrics (AFM)
// files of the URW base-35 fonts, which stand in for them in Ghostscript: the
// names the font mapping file uses (Helvetica-Bold, Times-Roman, ...) are
// mapped to their URW files.
#pragma once

#include <map>
#include <string>
#include <unordered_map>

// What the metrics file's header says of a font, as a PDF font descriptor
// needs it (thousandths of the size).
struct CFontFacts {
    std::string strName; // the font's own name (NimbusSans-Regular, ...)
    double adBox[4] = {};
    double dItalicAngle = 0;
    double dCapHeight = 0;
    double dAscent = 0;
    double dDescent = 0;
    double dStemV = 0; // 0 when the file does not say
    bool bFixedPitch = false;
    bool bSymbolic = false; // its own glyph set (Symbol, Dingbats)
};

class CFontMetrics {
  public:
    // The folder of the AFM files: Debian's fonts-urw-base35 by default.
    explicit CFontMetrics(std::string strFolder = "/usr/share/fonts/type1/urw-base35");

    // The URW file (without ".afm") for a standard font name, or empty.
    static std::string UrwName(const std::string& strFont);

    // The width of the text in points at the size, or a negative number when
    // the font's metrics cannot be had (an unknown name, a missing file). A
    // character the font has no glyph for adds nothing.
    double TextWidth(const std::string& strFont, const std::u32string& strText, double dSize);
    // The same for text in Windows-1252.
    double TextWidth(const std::string& strFont, const std::string& strText, double dSize);
    // The first character of the text that the font has no glyph for (a
    // control character, a byte that is no character), or 0 when it has them
    // all; without the font's metrics, only a byte that is no character.
    char32_t MissingGlyph(const std::string& strFont, const std::u32string& strText);
    // False when the font's metrics say it has no glyph for the character, or
    // the character is a byte that is no character.
    bool CanShow(const std::string& strFont, char32_t c);
    // The width of the named glyph in thousandths of the size, or -1 when the
    // font has no such glyph or no metrics.
    int GlyphWidth(const std::string& strFont, const std::string& strGlyph);
    // The font's header facts, or null without its metrics.
    const CFontFacts* Facts(const std::string& strFont);
    // The URW font program (Type 1) that the metrics describe.
    std::string ProgramFile(const std::string& strFont) const;
    // Why the last font could not be had.
    const std::string& Error() const { return m_strError; }

  private:
    struct CWidths {
        bool bRead = false;
        int anWinAnsi[256]; // thousandths of the size, by Windows-1252 code; -1 without glyph
        std::unordered_map<std::string, int> byName; // every glyph of the font
        CFontFacts facts;
        // The width of the character's glyph, or -1.
        int Width(char32_t c) const;
    };
    const CWidths* Widths(const std::string& strFont);

    std::string m_strFolder;
    std::map<std::string, CWidths> m_fonts;
    // The font asked for last, asked again for every line set in it.
    std::string m_strLastFont;
    const CWidths* m_pLastWidths = nullptr;
    std::string m_strError;
};
