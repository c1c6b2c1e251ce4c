#include "merge/pdf/PdfFonts.h"

#include "merge/data/TextEncoding.h"
#include "merge/files/InputFiles.h"
#include "merge/output/Syntax.h"

#include <algorithm>
#include <cstdio>
#include <set>

namespace {

// Where the parts of a Type 1 program end, as the PDF's font file gives
// them: the clear text up to and with "eexec" and its line end, the
// encrypted part, and the closing 512 zeros with "cleartomark".
bool ProgramParts(const std::string& strProgram, size_t& nClear, size_t& nEncrypted) {
    size_t nEexec = strProgram.find("eexec");
    if (nEexec == std::string::npos) {
        return false;
    }
    nClear = nEexec + 5;
    while (nClear < strProgram.size() &&
           (strProgram[nClear] == '\r' || strProgram[nClear] == '\n')) {
        ++nClear;
    }
    // The zeros, counted back from "cleartomark" over the line breaks
    // between them; a program without them has no closing part.
    size_t nMark = strProgram.rfind("cleartomark");
    size_t nAt = nMark == std::string::npos || nMark < nClear ? nClear : nMark;
    int nZeros = 0;
    while (nAt > nClear && nZeros < 512) {
        char c = strProgram[nAt - 1];
        if (c != '0' && c != '\r' && c != '\n' && c != ' ') {
            break;
        }
        nZeros += c == '0';
        --nAt;
    }
    nEncrypted = nZeros == 512 ? nAt - nClear : strProgram.size() - nClear;
    return true;
}

// The CMap that maps each used code of a font to its character.
std::string ToUnicode(const std::vector<char32_t>& characters) {
    std::vector<std::string> entries;
    for (size_t nCode = 0; nCode < characters.size(); ++nCode) {
        if (characters[nCode] != 0 && characters[nCode] != BadByte) {
            char szCode[24];
            snprintf(szCode, sizeof szCode, "<%02zX>", nCode);
            entries.push_back(std::string(szCode) + " <" + Utf16Hex(characters[nCode]) + ">\n");
        }
    }
    std::string strOut = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                         "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> "
                         "def\n/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                         "1 begincodespacerange\n<00> <FF>\nendcodespacerange\n";
    for (size_t i = 0; i < entries.size(); i += 100) {
        size_t nCount = std::min<size_t>(100, entries.size() - i);
        strOut += std::to_string(nCount) + " beginbfchar\n";
        for (size_t k = i; k < i + nCount; ++k) {
            strOut += entries[k];
        }
        strOut += "endbfchar\n";
    }
    return strOut + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

} // namespace

CPdfFonts::CPdfFonts(CFontMetrics& metrics, CPdfFile& pdf)
    : m_metrics(metrics), m_pdf(pdf), m_nResources(pdf.NewObject()) {}

size_t CPdfFonts::NewFace(CFamily& family, const std::string& strFont) {
    CFace face;
    face.strFont = strFont;
    face.nObject = m_pdf.NewObject();
    face.strResource = "F" + std::to_string(family.nNumber) +
                       (family.faces.empty() ? "" : "." + std::to_string(family.faces.size()));
    face.glyphs.resize(256);
    face.characters.resize(256);
    family.faces.push_back(m_faces.size());
    m_faces.push_back(std::move(face));
    return m_faces.size() - 1;
}

CPdfFonts::CFamily& CPdfFonts::Family(const std::string& strFont) {
    auto found = m_families.find(strFont);
    if (found != m_families.end()) {
        return found->second;
    }
    std::string strShown = strFont;
    if (m_metrics.Facts(strFont) == nullptr) {
        strShown = "Courier";
        m_substituted.push_back(strFont);
    }
    m_shownIn[strFont] = strShown;
    CFamily& family = m_families[strFont];
    family.nNumber = static_cast<int>(m_families.size());
    CFace& face = m_faces[NewFace(family, strShown)];
    // A glyph two codes would name (the no-break space's and the soft
    // hyphen's are the space's and the hyphen's) is left to the first: a code
    // is read back as one character, and readers map a glyph to one.
    std::set<std::string> named;
    for (int nCode = 32; nCode < 256; ++nCode) {
        std::string strGlyph = WinAnsiGlyphName(nCode);
        if (!strGlyph.empty() && named.insert(strGlyph).second) {
            face.glyphs[static_cast<size_t>(nCode)] = strGlyph;
            face.characters[static_cast<size_t>(nCode)] =
                DecodeText(std::string(1, static_cast<char>(nCode)), TextEncoding::Windows1252)[0];
        }
    }
    return family;
}

bool CPdfFonts::Code(CFamily& family, char32_t c, size_t& nFace, int& nCode) {
    nCode = WinAnsiCode(c);
    if (nCode >= 32 && !m_faces[family.faces[0]].glyphs[static_cast<size_t>(nCode)].empty()) {
        nFace = family.faces[0];
        return true;
    }
    auto found = family.others.find(c);
    if (found != family.others.end()) {
        std::tie(nFace, nCode) = found->second;
        return true;
    }
    std::string strGlyph = GlyphName(c);
    if (strGlyph.empty()) {
        return false;
    }
    nFace = family.faces.back();
    if (family.faces.size() == 1 || m_faces[nFace].nNext > 255) {
        nFace = NewFace(family, m_faces[nFace].strFont);
    }
    CFace& face = m_faces[nFace];
    nCode = face.nNext++;
    face.glyphs[static_cast<size_t>(nCode)] = strGlyph;
    face.characters[static_cast<size_t>(nCode)] = c;
    family.others[c] = {nFace, nCode};
    return true;
}

std::string CPdfFonts::Show(const std::string& strFont, const std::u32string& strText,
                            double dSize) {
    CFamily& family = Family(strFont);
    const std::string& strShown = m_shownIn[strFont];
    std::string strOut;
    std::string strRun;
    size_t nCurrent = SIZE_MAX;
    auto EndRun = [&]() {
        if (!strRun.empty()) {
            strOut += "/" + m_faces[nCurrent].strResource + " " + Number(dSize) + " Tf " +
                      Literal(strRun) + " Tj ";
            strRun.clear();
        }
    };
    for (char32_t c : strText) {
        size_t nFace = 0;
        int nCode = 0;
        if (!m_metrics.CanShow(strShown, c) || !Code(family, c, nFace, nCode)) {
            continue;
        }
        if (nFace != nCurrent) {
            EndRun();
            nCurrent = nFace;
        }
        strRun += static_cast<char>(nCode);
    }
    EndRun();
    return strOut;
}

bool CPdfFonts::WriteProgram(const std::string& strFont, int nDescriptor, std::string& strError) {
    if (m_metrics.Facts(strFont) == nullptr) {
        strError = m_metrics.Error();
        return false;
    }
    const CFontFacts& facts = *m_metrics.Facts(strFont);
    std::string strPath = m_metrics.ProgramFile(strFont);
    std::string strProgram;
    size_t nClear = 0;
    size_t nEncrypted = 0;
    if (!ReadWholeFile(strPath, 16 << 20, strProgram, strError) ||
        !ProgramParts(strProgram, nClear, nEncrypted)) {
        strError = strError.empty() ? strPath + ": not a Type 1 font program" : strError;
        return false;
    }
    std::string strPacked = Compressed(strProgram);
    int nProgram = m_pdf.NewObject();
    int nFlags = (facts.bFixedPitch ? 1 : 0) + (facts.bSymbolic ? 4 : 32) +
                 (facts.dItalicAngle != 0 ? 64 : 0);
    return !strPacked.empty() &&
           m_pdf.Stream(nProgram,
                        " /Filter /FlateDecode /Length1 " + std::to_string(nClear) + " /Length2 " +
                            std::to_string(nEncrypted) + " /Length3 " +
                            std::to_string(strProgram.size() - nClear - nEncrypted),
                        strPacked) &&
           m_pdf.Object(nDescriptor,
                        "<< /Type /FontDescriptor /FontName " + PdfName(facts.strName) +
                            " /Flags " + std::to_string(nFlags) + " /FontBBox [" +
                            Number(facts.adBox[0]) + " " + Number(facts.adBox[1]) + " " +
                            Number(facts.adBox[2]) + " " + Number(facts.adBox[3]) +
                            "] /ItalicAngle " + Number(facts.dItalicAngle) + " /Ascent " +
                            Number(facts.dAscent) + " /Descent " + Number(facts.dDescent) +
                            " /CapHeight " + Number(facts.dCapHeight) + " /StemV " +
                            Number(facts.dStemV > 0 ? facts.dStemV : 80) + " /FontFile " +
                            Ref(nProgram) + " >>");
}

bool CPdfFonts::Finish(std::string& strError) {
    std::map<std::string, int> descriptors; // by the font shown
    std::string strResources = "<<";
    for (const CFace& face : m_faces) {
        if (descriptors.count(face.strFont) == 0) {
            int nDescriptor = m_pdf.NewObject();
            descriptors[face.strFont] = nDescriptor;
            if (!WriteProgram(face.strFont, nDescriptor, strError)) {
                return false;
            }
        }
        int nFirst = 0;
        while (nFirst < 255 && face.glyphs[static_cast<size_t>(nFirst)].empty()) {
            ++nFirst;
        }
        int nLast = std::max(
            nFirst, face.strResource.find('.') == std::string::npos ? 255 : face.nNext - 1);
        std::string strWidths;
        std::string strNames;
        for (int nCode = nFirst; nCode <= nLast; ++nCode) {
            const std::string& strGlyph = face.glyphs[static_cast<size_t>(nCode)];
            strWidths +=
                " " + std::to_string(std::max(
                          0, strGlyph.empty() ? 0 : m_metrics.GlyphWidth(face.strFont, strGlyph)));
            strNames += strGlyph.empty() ? " /.notdef" : " " + PdfName(strGlyph);
        }
        int nToUnicode = m_pdf.NewObject();
        std::string strMap = ToUnicode(face.characters);
        if (!m_pdf.Stream(nToUnicode, "", strMap) ||
            !m_pdf.Object(face.nObject,
                          "<< /Type /Font /Subtype /Type1 /BaseFont " +
                              PdfName(m_metrics.Facts(face.strFont)->strName) + " /FirstChar " +
                              std::to_string(nFirst) + " /LastChar " + std::to_string(nLast) +
                              " /Widths [" + strWidths + " ] /Encoding << /Type /Encoding " +
                              "/Differences [" + std::to_string(nFirst) + strNames +
                              "] >> /FontDescriptor " + Ref(descriptors[face.strFont]) +
                              " /ToUnicode " + Ref(nToUnicode) + " >>")) {
            strError = "the merged PDF cannot be written";
            return false;
        }
        strResources += " /" + face.strResource + " " + Ref(face.nObject);
    }
    if (!m_pdf.Object(m_nResources, strResources + " >>")) {
        strError = "the merged PDF cannot be written";
        return false;
    }
    return true;
}
