#include "merge/postscript/PostScriptWriter.h"

#include "merge/data/TextEncoding.h"
#include "merge/files/InputFiles.h"
#include "merge/output/Syntax.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <map>

namespace {

// Text fit for a DSC comment line: no control characters.
std::string CommentText(std::string strText) {
    for (char& c : strText) {
        c = static_cast<unsigned char>(c) < 0x20 || c == 0x7F ? '?' : c;
    }
    return strText;
}

// The end marker of a reusable stream of the content: a word the content
// does not hold, named after its hash.
std::string Marker(uint64_t nHash, const std::string& strContent = "") {
    char szMarker[40];
    snprintf(szMarker, sizeof szMarker, "%s%016" PRIx64, StreamEndWord, nHash);
    std::string strMarker = szMarker;
    while (strContent.find(strMarker) != std::string::npos) {
        strMarker += "x";
    }
    return strMarker;
}

// The start of a reusable stream: what follows up to the marker is kept
// and can be run again (and again) with NebDraw.
std::string StreamStart(const std::string& strName, const std::string& strMarker) {
    return "/" + strName + " currentfile 0 (" + strMarker +
           ") /SubFileDecode filter /ReusableStreamDecode filter\n";
}

// What the merged file defines before the master runs: the real showpage,
// kept, and a showpage that does nothing while a master page runs (bound
// into the master's procedures, since it is defined before them); the
// Windows-1252 font encoding; the re-encoding of a font; the drawing of a
// reusable stream.
std::string Prolog() {
    std::string strOut = "/NebShowpage systemdict /showpage get def\n/NebInMaster false def\n"
                         "/showpage { NebInMaster not { NebShowpage } if } def\n"
                         "/NebEncoding [";
    for (int nCode = 0; nCode < 256; ++nCode) {
        std::string strName = WinAnsiGlyphName(nCode);
        strOut += std::string(nCode % 8 == 0 ? "\n" : " ") + "/" +
                  (strName.empty() ? ".notdef" : strName);
    }
    strOut += "\n] def\n"
              "/NebReencode { findfont dup length dict begin\n"
              "  { 1 index /FID ne { def } { pop pop } ifelse } forall\n"
              "  /Encoding NebEncoding def currentdict end definefont } bind def\n"
              "/NebDraw { dup 0 setfileposition cvx exec } bind def\n";
    return strOut;
}

// The drawing of a master page, its own showpage doing nothing.
std::string DrawMaster(int nPage) {
    return "save userdict /NebInMaster true put NebMaster" + std::to_string(nPage) +
           " NebDraw restore\n";
}

} // namespace

bool CPostScriptWriter::Begin(size_t nPages, std::string& strError) {
    const std::vector<CPlannedPage>& pages = m_job.pages;
    for (const CPlannedPage& page : pages) {
        for (const CPlannedMerge& merge : page.merges) {
            if (SetsText(merge, m_job.options.ticket)) {
                m_fonts.emplace(merge.pArea->strFont.Text(), 0);
            }
        }
    }
    double dWidth = m_pSheets != nullptr ? m_pSheets->dWidth : pages[0].dWidth;
    double dHeight = m_pSheets != nullptr ? m_pSheets->dHeight : pages[0].dHeight;
    std::string strOut =
        "%!PS-Adobe-3.0\n%%Creator: nebmerge\n%%Title: " + CommentText(m_job.strDocDefFile) +
        "\n%%Pages: " + std::to_string(nPages) + "\n%%BoundingBox: 0 0 " +
        std::to_string(static_cast<int>(dWidth)) + " " + std::to_string(static_cast<int>(dHeight)) +
        "\n";
    int nFont = 0;
    for (auto& font : m_fonts) {
        font.second = ++nFont;
        strOut += std::string(nFont == 1 ? "%%DocumentNeededResources:" : "%%+") + " font " +
                  CommentText(font.first) + "\n";
    }
    strOut += "%%EndComments\n%%BeginProlog\n" + Prolog() + "%%EndProlog\n%%BeginSetup\n" +
              m_job.master.strHead + "<< /PageSize [" + Number(dWidth) + " " + Number(dHeight) +
              "] >> setpagedevice\n";
    for (const auto& font : m_fonts) {
        strOut += "/NebF" + std::to_string(font.second) + " " +
                  Literal(font.first + "-NebWinAnsi") + " cvn " + Literal(font.first) +
                  " cvn NebReencode def\n";
    }
    // Each master page the job takes, once.
    for (int nPage : MasterPagesUsed(pages)) {
        const std::string& strBody = m_job.master.pages[static_cast<size_t>(nPage - 1)];
        std::string strMarker = Marker(Fnv1a(FnvStart, strBody.data(), strBody.size()), strBody);
        strOut += StreamStart("NebMaster" + std::to_string(nPage), strMarker) + strBody +
                  strMarker + "\ndef\n";
    }
    if (!m_out.Write(strOut)) {
        strError = m_out.Path() + ": cannot be written";
        return false;
    }
    return SharedPictures(strError);
}

// Each picture that more than one copy places, once, as a reusable stream
// (unless it holds the word that would end its stream early: then where it
// is placed), and the setup's end.
bool CPostScriptWriter::SharedPictures(std::string& strError) {
    int nStream = 0;
    for (CPicture& picture : m_job.pictures->All()) {
        if (!picture.bGood || picture.nUses < 2 || picture.bHoldsEndWord) {
            continue;
        }
        picture.nStream = ++nStream;
        std::string strMarker = Marker(picture.nHash);
        m_out.Write(StreamStart("NebPicture" + std::to_string(nStream), strMarker) +
                    "%%BeginDocument: " + CommentText(picture.strPath) + "\n");
        if (!CopyPicture(picture, strError)) {
            return false;
        }
        m_out.Write("\n%%EndDocument\n" + strMarker + "\ndef\n");
    }
    if (!m_out.Write("%%EndSetup\n")) {
        strError = m_out.Path() + ": cannot be written";
        return false;
    }
    return true;
}

bool CPostScriptWriter::Finish(std::string& strError) {
    if (!m_out.Write("%%Trailer\n%%EOF\n")) {
        strError = m_out.Path() + ": cannot be written";
        return false;
    }
    return true;
}

bool CPostScriptWriter::WritePage(std::string& strError) {
    bool bWritten = m_out.Write(m_strPage);
    m_strPage.clear();
    if (!bWritten) {
        strError = m_out.Path() + ": cannot be written";
    }
    return bWritten;
}

// One page of the copy as it is drawn on its own: the master page, then
// the values.
bool CPostScriptWriter::Card(const CShownCard& card, std::string& strError) {
    m_strPage += DrawMaster(card.nMasterPage) + "save\n";
    for (const CShownValue& value : card.values) {
        if (value.kind == ShownKind::Code) {
            DrawCode(value);
        } else if (value.kind == ShownKind::Picture) {
            if (!PlacePicture(*value.pPicture, value.placement, strError)) {
                strError = value.strSource + ": " + strError;
                return false;
            }
        } else {
            SetText(value);
        }
    }
    m_strPage += "restore\n";
    return true;
}

// Each page of the copy or side of the sheet; a sheet's cards each moved to
// its slot and clipped at its bleed, then the crop marks.
bool CPostScriptWriter::Unit(const CShownUnit& unit, std::string& strError) {
    for (const CShownPage& page : unit.pages) {
        m_strPage += "%%Page: " + page.strName + " " + std::to_string(m_nPage++) + "\n";
        for (const CShownCard& card : page.cards) {
            if (page.bSheet) {
                const CCardPlace& place = card.place;
                m_strPage += "save " + Number(place.adClip[0]) + " " + Number(place.adClip[1]) +
                             " " + Number(place.adClip[2]) + " " + Number(place.adClip[3]) +
                             " rectclip newpath " + Number(place.dX) + " " + Number(place.dY) +
                             " translate\n";
            }
            if (!Card(card, strError)) {
                return false;
            }
            m_strPage += page.bSheet ? "restore\n" : "";
        }
        if (!page.marks.empty()) {
            m_strPage += "save 1 1 1 1 setcmykcolor " + Number(MarkWeight) + " setlinewidth\n";
            for (const CMark& mark : page.marks) {
                m_strPage += Number(mark.dX0) + " " + Number(mark.dY0) + " moveto " +
                             Number(mark.dX1) + " " + Number(mark.dY1) + " lineto stroke\n";
            }
            m_strPage += "restore\n";
        }
        if (!page.finishing.bars.empty()) {
            m_strPage += "save\n";
            DrawCode(page.finishing);
            m_strPage += "restore\n";
        }
        m_strPage += "NebShowpage\n";
    }
    return WritePage(strError);
}

// The code's bars in the area's colour.
void CPostScriptWriter::DrawCode(const CShownValue& code) {
    const CAreaDefinition& area = *code.pArea;
    m_strPage += Number(area.fCyan) + " " + Number(area.fMagenta) + " " + Number(area.fYellow) +
                 " " + Number(area.fBlack) + " setcmykcolor\n";
    for (const CRectangle& bar : code.bars) {
        m_strPage += Number(bar.dX) + " " + Number(bar.dY) + " " + Number(bar.dWidth) + " " +
                     Number(bar.dHeight) + " rectfill\n";
    }
}

void CPostScriptWriter::SetText(const CShownValue& text) {
    const CAreaDefinition& area = *text.pArea;
    const std::string strFont = area.strFont.Text();
    m_strPage += "NebF" + std::to_string(m_fonts[strFont]) + " " + Number(text.dSize) +
                 " scalefont setfont " + Number(area.fCyan) + " " + Number(area.fMagenta) + " " +
                 Number(area.fYellow) + " " + Number(area.fBlack) + " setcmykcolor\n";
    for (const CShownLine& line : text.lines) {
        m_strPage += Number(line.dX) + " " + Number(line.dY) + " moveto";
        // Runs of characters the font encoding has, shown as a string; any
        // other character by its glyph's name; one the font lacks not at all.
        std::string strRun;
        auto EndRun = [&]() {
            if (strRun.empty()) {
                return;
            }
            m_strPage += line.dWordSpace > 0 ? " " + Number(line.dWordSpace) + " 0 32 " +
                                                   Literal(strRun) + " widthshow"
                                             : " " + Literal(strRun) + " show";
            strRun.clear();
        };
        for (char32_t c : line.strText) {
            int nCode = WinAnsiCode(c);
            bool bShown = m_metrics.CanShow(strFont, c);
            if (nCode >= 0 && bShown) {
                strRun += static_cast<char>(nCode);
            } else if (bShown && !GlyphName(c).empty()) {
                EndRun();
                m_strPage += " /" + GlyphName(c) + " glyphshow";
            }
        }
        EndRun();
        m_strPage += "\n";
    }
}

// One page for each master page, as a copy's page draws it, and one for each
// picture, on a page of its box's size.
bool CPostScriptWriter::FormPages(const std::vector<int>& masterPages,
                                  const std::vector<CPicture*>& pictures, double dBleed,
                                  std::string& strError) {
    size_t nPage = 0;
    auto Page = [&](double dWidth, double dHeight) {
        ++nPage;
        m_strPage += "%%Page: " + std::to_string(nPage) + " " + std::to_string(nPage) +
                     "\n<< /PageSize [" + Number(dWidth) + " " + Number(dHeight) +
                     "] >> setpagedevice\n";
    };
    auto End = [&]() {
        m_strPage += "NebShowpage\n";
        bool bWritten = m_out.Write(m_strPage);
        m_strPage.clear();
        strError = bWritten ? strError : m_out.Path() + ": cannot be written";
        return bWritten;
    };
    for (int nMaster : masterPages) {
        const CPlannedPage& planned =
            *std::find_if(m_job.pages.begin(), m_job.pages.end(),
                          [&](const CPlannedPage& page) { return page.nMasterPage == nMaster; });
        Page(planned.dWidth + 2 * dBleed, planned.dHeight + 2 * dBleed);
        m_strPage += (dBleed > 0 ? Number(dBleed) + " " + Number(dBleed) + " translate\n" : "") +
                     DrawMaster(nMaster);
        if (!End()) {
            return false;
        }
    }
    for (const CPicture* pPicture : pictures) {
        CAreaDefinition area;
        area.fLeft = 0;
        area.fTop = 0;
        area.fWidth = static_cast<float>(pPicture->adBox[2] - pPicture->adBox[0]);
        area.fHeight = static_cast<float>(pPicture->adBox[3] - pPicture->adBox[1]);
        Page(area.fWidth, area.fHeight);
        if (!PlacePicture(*pPicture, PlaceInArea(area, pPicture->adBox, area.fHeight), strError) ||
            !End()) {
            return false;
        }
    }
    return true;
}

// Places the picture where it lands in its area (clipped to the area when
// it is trimmed), with the state an EPS expects and nothing it leaves
// behind.
bool CPostScriptWriter::PlacePicture(const CPicture& picture, const CPlacement& placement,
                                     std::string& strError) {
    const double* adBox = picture.adBox;
    m_strPage += "/NebEpsState save def /NebOperands count 1 sub def /NebDicts countdictstack def\n"
                 "userdict begin /showpage {} def 0 setgray 0 setlinecap 1 setlinewidth "
                 "0 setlinejoin 10 setmiterlimit [] 0 setdash newpath\n";
    if (placement.bClip) {
        m_strPage += Number(placement.adClip[0]) + " " + Number(placement.adClip[1]) + " " +
                     Number(placement.adClip[2]) + " " + Number(placement.adClip[3]) +
                     " rectclip\n";
    }
    m_strPage += Number(placement.dX) + " " + Number(placement.dY) + " translate " +
                 Number(placement.dScale) + " " + Number(placement.dScale) + " scale " +
                 Number(-adBox[0]) + " " + Number(-adBox[1]) + " translate\n";
    if (picture.nStream != 0) {
        m_strPage += "NebPicture" + std::to_string(picture.nStream) + " NebDraw\n";
    } else {
        m_strPage += "%%BeginDocument: " + CommentText(picture.strPath) + "\n";
        if (!m_out.Write(m_strPage) || !CopyPicture(picture, strError)) {
            return false;
        }
        m_strPage = "\n%%EndDocument\n";
    }
    m_strPage += "count NebOperands sub {pop} repeat "
                 "countdictstack NebDicts sub {end} repeat NebEpsState restore\n";
    return true;
}

// The picture's PostScript section, as it is, into the output.
bool CPostScriptWriter::CopyPicture(const CPicture& picture, std::string& strError) {
    size_t nSize = 0;
    int nFile = OpenRegularFile(picture.strPath, nSize, strError);
    if (nFile < 0) {
        return false;
    }
    bool bCopied = nSize >= picture.nOffset + picture.nLength &&
                   lseek(nFile, static_cast<off_t>(picture.nOffset), SEEK_SET) >= 0;
    std::string strChunk(1 << 16, '\0');
    size_t nLeft = picture.nLength;
    bool bWritten = true;
    while (bCopied && bWritten && nLeft > 0) {
        long nRead = ReadSome(nFile, &strChunk[0], std::min(nLeft, strChunk.size()));
        bCopied = nRead > 0;
        bWritten = !bCopied || m_out.Write(strChunk.data(), static_cast<size_t>(nRead));
        nLeft -= bCopied ? static_cast<size_t>(nRead) : 0;
    }
    close(nFile);
    if (!bCopied || !bWritten) {
        strError = !bWritten ? m_out.Path() + ": cannot be written"
                             : picture.strPath + ": changed or unreadable while it was merged";
    }
    return bCopied && bWritten;
}

bool WriteFormSource(CJob& job, const std::vector<int>& masterPages,
                     const std::vector<CPicture*>& pictures, double dBleed, CFontMetrics& metrics,
                     COutputFile& out, std::string& strError) {
    CPostScriptWriter writer(job, metrics, out);
    return writer.Begin(masterPages.size() + pictures.size(), strError) &&
           writer.FormPages(masterPages, pictures, dBleed, strError) && writer.Finish(strError);
}
