// The fonts of the text the PDF writer sets. Each standard font used is its
// URW Type 1 program, embedded once, shown through a font in the
// Windows-1252 encoding and, for characters outside it (Ł, ő, ...), through
// fonts whose codes are given out as the characters are first met. Widths
// are those the check measures with; every font maps its codes back to
// Unicode, so that the text extracts as the customer wrote it. The fonts
// are written at the end, when it is known what was set.
#pragma once

#include "merge/layout/FontMetrics.h"
#include "merge/pdf/PdfFile.h"

#include <map>
#include <string>
#include <unordered_map>
#include <vector>

class CPdfFonts {
  public:
    CPdfFonts(CFontMetrics& metrics, CPdfFile& pdf);

    // The font resources every page names (written by Finish).
    int Resources() const { return m_nResources; }
    // The operators that show the text at the size from the text position:
    // one run per font it takes, each selecting its font. A character the
    // font has no glyph for is left out, as the check reports it.
    std::string Show(const std::string& strFont, const std::u32string& strText, double dSize);
    // The fonts whose text was set in Courier, no program being had for them.
    const std::vector<std::string>& Substituted() const { return m_substituted; }
    // Writes the fonts, their descriptors and programs, and the resources;
    // false with a message.
    bool Finish(std::string& strError);

  private:
    struct CFace {
        std::string strFont; // the standard font whose program it shows
        std::string strResource;
        int nObject = 0;
        std::vector<std::string> glyphs; // by code; empty: unused
        std::vector<char32_t> characters;
        int nNext = 33; // the next code to give out (a face for other characters)
    };
    struct CFamily {
        int nNumber = 0;           // its fonts' resource names: F1, F1.1, ...
        std::vector<size_t> faces; // the Windows-1252 face first
        std::unordered_map<char32_t, std::pair<size_t, int>> others; // to face and code
    };
    CFamily& Family(const std::string& strFont);
    bool Code(CFamily& family, char32_t c, size_t& nFace, int& nCode);
    size_t NewFace(CFamily& family, const std::string& strFont);
    bool WriteProgram(const std::string& strFont, int nDescriptor, std::string& strError);

    CFontMetrics& m_metrics;
    CPdfFile& m_pdf;
    int m_nResources;
    std::vector<CFace> m_faces;
    std::map<std::string, CFamily> m_families;    // by the font the text names
    std::map<std::string, std::string> m_shownIn; // the font the text names to the font shown
    std::vector<std::string> m_substituted;
};
