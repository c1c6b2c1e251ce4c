// nebmerge run as a user runs it: a job of one Letter page with text and
// picture areas, a data file of three copies, and the merged PostScript (or
// PDF) read back through Ghostscript's text extraction.
#pragma once

#include "merge/data/TextEncoding.h"
#include "merge/layout/FontMetrics.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace merge_test {

struct CSpan {
    int nPage;
    std::string strFont;
    double dSize;
    double dX0, dY, dX1; // from the top left of the page, points
    std::string strText;
};

inline std::string ReadText(const std::string& strFile) {
    std::ifstream in(strFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A character of the text extraction's XML as UTF-8.
inline std::string Unescaped(const std::string& strChar) {
    if (strChar == "&quot;" || strChar == "&amp;" || strChar == "&lt;" || strChar == "&gt;") {
        return strChar == "&quot;"  ? "\""
               : strChar == "&amp;" ? "&"
               : strChar == "&lt;"  ? "<"
                                    : ">";
    }
    if (strChar.compare(0, 3, "&#x") != 0) {
        return strChar;
    }
    return ToUtf8(
        std::u32string(1, static_cast<char32_t>(std::stoul(strChar.substr(3), nullptr, 16))));
}

inline void WriteText(const std::string& strFile, const std::string& strText) {
    std::ofstream out(strFile, std::ios::binary | std::ios::trunc);
    out << strText;
}

// A DSC master of one Letter page that draws a frame and a static line.
const char* const Master = "%!PS-Adobe-3.0\n%%Pages: 1\n%%BoundingBox: 0 0 612 792\n"
                           "%%EndComments\n%%BeginProlog\n/frame { 36 36 540 720 rectstroke } def\n"
                           "%%EndProlog\n%%BeginSetup\n%%EndSetup\n%%Page: 1 1\nframe\n"
                           "/Helvetica findfont 10 scalefont setfont 72 60 moveto (STATIC) show\n"
                           "showpage\n%%Trailer\n%%EOF\n";

// An EPS of 200 by 100 points that writes MARK in 20-point Helvetica at (10, 10).
const char* const Picture = "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 200 100\n%%EndComments\n"
                            "/Helvetica findfont 20 scalefont setfont 10 10 moveto (MARK) show\n";

class MergedOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        char szFolder[] = "/tmp/nebmerge-test-XXXXXX";
        ASSERT_NE(mkdtemp(szFolder), nullptr);
        strFolder = szFolder;
        WriteText(Path("master.ps"), Master);
        WriteText(Path("picture.eps"), Picture);
        WriteText(
            Path("job.ddf"),
            "Docdef-Version-1.0\r\n[DataDefinition]\r\n"
            "Name Is Chars Inline Text At 0 Chars Until TAB\r\n"
            "Note Is Chars Inline Text At 0 Chars Until TAB\r\n"
            "Photo Is Chars Reference EPS At 0 Chars Until CRLF\r\n"
            "[AreaDefinition]\r\n"
            "NameArea Is Text Left Flow Font Helvetica-Bold Size 18 Spacing 22 CMYK 0.1 0.2 "
            "0.3 0.4 On \"c:\\jobs\\master.ps\" 1 At 72 100 For 300 30 FirstPos -1 -1\r\n"
            "RightArea Is Text Right AsIs Font Times-Roman Size 12 Spacing 14 CMYK 0 0 0 1 On "
            "\"c:\\jobs\\master.ps\" 1 At 72 200 For 200 20 FirstPos -1 -1\r\n"
            "CenterArea Is Text Center AsIs Font Courier Size 10 Spacing 12 CMYK 0 0 0 1 On "
            "\"c:\\jobs\\master.ps\" 1 At 72 250 For 200 20 FirstPos -1 -1\r\n"
            "NoteArea Is Text Justify Flow Font Times-Roman Size 10 Spacing 12 CMYK 0 0 0 1 "
            "On \"c:\\jobs\\master.ps\" 1 At 72 300 For 150 60 FirstPos -1 -1\r\n"
            "FitArea Is Graphic ScaleToFit On \"c:\\jobs\\master.ps\" 1 At 300 400 For 100 "
            "100\r\n"
            "TrimArea Is Graphic ScaleAndTrim 1 1 0 0 On \"c:\\jobs\\master.ps\" 1 At 300 550 "
            "For 100 100\r\n"
            "[DocumentInstructions]\r\n"
            "Merge NameArea Name\r\nMerge RightArea Name\r\nMerge CenterArea Name\r\n"
            "Merge NoteArea Note\r\nMerge FitArea Photo\r\nMerge TrimArea Photo\r\n"
            "IncludePages \"c:\\jobs\\master.ps\" 1 1 612 792 0\r\n");
        WriteText(Path("data.txt"),
                  "Jane Doe\tThe quick brown fox jumps over the lazy dog near the river bank "
                  "today\tpicture.eps\r\n"
                  "John Roe\tShort note\tpicture.eps\r\n"
                  "Wei Chen\tAnother note\tpicture.eps\r\n");
    }

    void TearDown() override { std::system(("rm -rf '" + strFolder + "'").c_str()); }

    std::string Path(const std::string& strName) const { return strFolder + "/" + strName; }

    // Runs nebmerge with the arguments; its exit code, standard output in strOut.
    int Merge(const std::string& strArgs, std::string& strOut) const {
        const char* pProgram = getenv("NEB_NEBMERGE");
        std::string strCommand = std::string(pProgram != nullptr ? pProgram : "nebmerge") + " " +
                                 strArgs + " > '" + Path("stdout.txt") + "' 2> '" +
                                 Path("stderr.txt") + "'";
        int nStatus = std::system(strCommand.c_str());
        strOut = ReadText(Path("stdout.txt"));
        return WIFEXITED(nStatus) ? WEXITSTATUS(nStatus) : -1;
    }

    std::vector<CSpan> Spans(const std::string& strPostScript) const {
        // Debian's Ghostscript 10.0 reads a PDF's text without its ToUnicode
        // maps unless it uses its former PDF interpreter (it warns of that).
        bool bPdf = strPostScript.size() > 4 &&
                    strPostScript.compare(strPostScript.size() - 4, 4, ".pdf") == 0;
        std::string strCommand = std::string("gs -q -dBATCH -dNOPAUSE -dSAFER ") +
                                 (bPdf ? "-dNEWPDF=false " : "") +
                                 "-sDEVICE=txtwrite -dTextFormat=0 -o '" + Path("text.xml") +
                                 "' '" + strPostScript + "' 2> /dev/null";
        EXPECT_EQ(std::system(strCommand.c_str()), 0);
        std::string strXml = ReadText(Path("text.xml"));
        std::vector<CSpan> spans;
        std::regex span("<span bbox=\"(-?\\d+) (-?\\d+) (-?\\d+) (-?\\d+)\" font=\"([^\"]+)\" "
                        "size=\"([0-9.]+)\">");
        std::regex character("c=\"([^\"]*)\"");
        int nPage = 0;
        std::istringstream lines(strXml);
        std::string strLine;
        while (std::getline(lines, strLine)) {
            std::smatch match;
            if (strLine.find("<page") != std::string::npos) {
                ++nPage;
            } else if (std::regex_search(strLine, match, span)) {
                spans.push_back({nPage, match[5], std::stod(match[6]), std::stod(match[1]),
                                 std::stod(match[2]), std::stod(match[3]), ""});
            } else if (std::regex_search(strLine, match, character) && !spans.empty()) {
                std::string strChar = match[1];
                spans.back().strText += Unescaped(strChar);
            }
        }
        return spans;
    }

    // The text of a page of a PDF, in reading order, as poppler gives it.
    std::string PageText(const std::string& strPdf, int nPage) const {
        std::string strPage = std::to_string(nPage);
        EXPECT_EQ(std::system(("pdftotext -f " + strPage + " -l " + strPage + " '" + strPdf +
                               "' '" + Path("page.txt") + "'")
                                  .c_str()),
                  0);
        return ReadText(Path("page.txt"));
    }

    // The span of the page that begins with the text, in the font (a
    // standard font's name, or the URW font that stands in for it).
    static const CSpan* Find(const std::vector<CSpan>& spans, int nPage, const std::string& strText,
                             const std::string& strFont = "") {
        for (const CSpan& span : spans) {
            if (span.nPage == nPage && span.strText.rfind(strText, 0) == 0 &&
                (strFont.empty() || span.strFont == strFont ||
                 span.strFont == CFontMetrics::UrwName(strFont))) {
                return &span;
            }
        }
        return nullptr;
    }

    std::string strFolder;
};

} // namespace merge_test
