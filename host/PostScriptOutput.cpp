#include "PostScriptOutput.h"

#include "core/Units.h"

#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace {

// A PostScript string literal of the text.
std::string Literal(const std::string& strText) {
    std::string strOut = "(";
    for (char c : strText) {
        if (c == '(' || c == ')' || c == '\\') {
            strOut += '\\';
        }
        strOut += (c >= 32 && c < 127) ? c : '?';
    }
    return strOut + ")";
}

std::string Number(double dValue) {
    char szNumber[32];
    snprintf(szNumber, sizeof szNumber, "%.2f", dValue);
    return szNumber;
}

// The PostScript font of a host font name and its style bits (2 bold,
// 4 italic): the standard font of the nearest family.
std::string PostScriptFont(const std::string& strFont, int16_t nStyle) {
    bool bBold = (nStyle & 2) != 0;
    bool bItalic = (nStyle & 4) != 0;
    if (strFont.find("Times") != std::string::npos) {
        return bBold && bItalic ? "Times-BoldItalic"
               : bBold          ? "Times-Bold"
               : bItalic        ? "Times-Italic"
                                : "Times-Roman";
    }
    std::string strFamily = strFont.find("Courier") != std::string::npos ? "Courier" : "Helvetica";
    return strFamily + (bBold && bItalic ? "-BoldOblique"
                        : bBold          ? "-Bold"
                        : bItalic        ? "-Oblique"
                                         : "");
}

// True when the EPS text draws something: more than the header comments a
// placeholder carries.
bool EpsDraws(const std::string& strEps) {
    std::istringstream lines(strEps);
    std::string strLine;
    while (std::getline(lines, strLine)) {
        if (!strLine.empty() && strLine[0] != '%') {
            return true;
        }
    }
    return false;
}

// A text block: its lines in its font, size, leading, alignment and colour,
// the first baseline one size below its top.
std::string TextBlock(const CHostObject& object, double dLeft, double dTop, double dWidth,
                      double dPageHeight) {
    const CTextAttributes& text = object.text;
    double dSize = text.nSize > 0 ? text.nSize / 10.0 : 12;
    double dLeading = text.nLeading > 0 ? text.nLeading / 10.0 : dSize * 1.2;
    std::string strOut = "/" + PostScriptFont(text.strFont, text.nStyle) + " findfont " +
                         Number(dSize) + " scalefont setfont " + Number(text.anCmyk[0] / 1000.0) +
                         " " + Number(text.anCmyk[1] / 1000.0) + " " +
                         Number(text.anCmyk[2] / 1000.0) + " " + Number(text.anCmyk[3] / 1000.0) +
                         " setcmykcolor\n";
    std::istringstream lines(text.strContent);
    std::string strLine;
    double dBaseline = dPageHeight - dTop - dSize;
    while (std::getline(lines, strLine)) {
        std::string strShown = Literal(strLine);
        // Centred (1) and right-aligned (2) lines are placed by their width.
        std::string strPlace = Number(dLeft) + " " + Number(dBaseline) + " moveto ";
        if (text.nAlignment == 1 || text.nAlignment == 2) {
            strPlace = Number(dLeft) + " " + Number(dWidth) + " " + strShown +
                       " stringwidth pop sub " + (text.nAlignment == 1 ? "2 div " : "") + "add " +
                       Number(dBaseline) + " moveto ";
        }
        strOut += strPlace + strShown + " show\n";
        dBaseline -= dLeading;
    }
    return strOut + "0 setgray\n";
}

// An EPS drawing scaled into the object's box.
std::string EpsDrawing(const std::string& strEps, double dLeft, double dBottom, double dWidth,
                       double dHeight) {
    size_t nAt = strEps.find("%%BoundingBox:");
    double adBox[4] = {0, 0, 1, 1};
    if (nAt == std::string::npos ||
        sscanf(strEps.c_str() + nAt + 14, "%lf %lf %lf %lf", &adBox[0], &adBox[1], &adBox[2],
               &adBox[3]) != 4 ||
        adBox[2] <= adBox[0] || adBox[3] <= adBox[1]) {
        return "";
    }
    return "gsave " + Number(dLeft) + " " + Number(dBottom) + " translate " +
           Number(dWidth / (adBox[2] - adBox[0])) + " " + Number(dHeight / (adBox[3] - adBox[1])) +
           " scale " + Number(-adBox[0]) + " " + Number(-adBox[1]) +
           " translate newpath\n%%BeginDocument: artwork\n" + strEps +
           (strEps.back() == '\n' ? "" : "\n") + "%%EndDocument\ngrestore\n";
}

// What the page's object draws, the page's top at dPageHeight.
std::string ObjectDrawing(const CHostObject& object, double dPageHeight) {
    double dLeft = object.anBounds[0] / static_cast<double>(TwipsPerPoint);
    double dTop = object.anBounds[1] / static_cast<double>(TwipsPerPoint);
    double dWidth = (object.anBounds[2] - object.anBounds[0]) / static_cast<double>(TwipsPerPoint);
    double dHeight = (object.anBounds[3] - object.anBounds[1]) / static_cast<double>(TwipsPerPoint);
    double dBaseline = dPageHeight - dTop;
    if (object.bText) {
        return TextBlock(object, dLeft, dTop, dWidth, dPageHeight);
    }
    if (EpsDraws(object.strEps)) {
        return EpsDrawing(object.strEps, dLeft, dBaseline - dHeight, dWidth, dHeight);
    }
    // A picture the host cannot show here is framed; a placeholder shows
    // what its EPS draws: nothing.
    return object.nKind != PlaceholderKind ? Number(dLeft) + " " + Number(dBaseline) + " " +
                                                 Number(dWidth) + " " + Number(dHeight) + " box\n"
                                           : "";
}

// The document's comments up to their end: its pages, paper and fonts.
std::string Comments(const CPublication& publication, double dPaperWidth, double dPaperHeight) {
    std::set<std::string> fonts;
    for (const CHostPage& page : publication.pages) {
        for (const CHostObject& object : page.objects) {
            if (object.bText && !object.text.strContent.empty()) {
                fonts.insert(PostScriptFont(object.text.strFont, object.text.nStyle));
            }
        }
    }
    std::string strOut = "%!PS-Adobe-3.0\n";
    strOut += "%%Creator: pubhost\n";
    strOut += "%%Title: " + publication.strPath + "\n";
    strOut += "%%Pages: " + std::to_string(publication.pages.size()) + "\n";
    strOut += "%%BoundingBox: 0 0 " + std::to_string(static_cast<int>(dPaperWidth)) + " " +
              std::to_string(static_cast<int>(dPaperHeight)) + "\n";
    if (!fonts.empty()) {
        std::string strFonts;
        for (const std::string& strFont : fonts) {
            strFonts += (strFonts.empty() ? "font " : " ") + strFont;
        }
        strOut += "%%DocumentNeededResources: " + strFonts + "\n";
    }
    return strOut + "%%EndComments\n";
}

} // namespace

std::string PublicationPostScript(const CPublication& publication) {
    const double dPaperWidth = publication.paper.Width() / static_cast<double>(TwipsPerPoint);
    const double dPaperHeight = publication.paper.Height() / static_cast<double>(TwipsPerPoint);
    const double dPageWidth = publication.nPageWidth / static_cast<double>(TwipsPerPoint);
    const double dPageHeight = publication.nPageHeight / static_cast<double>(TwipsPerPoint);
    // The page lies in the middle of the paper.
    const double dx = (dPaperWidth - dPageWidth) / 2;
    const double dy = (dPaperHeight - dPageHeight) / 2;
    std::string strOut = Comments(publication, dPaperWidth, dPaperHeight);
    strOut += "%%BeginProlog\n"
              "/box { 4 dict begin /h exch def /w exch def /y exch def /x exch def\n"
              "  newpath x y moveto w 0 rlineto 0 h neg rlineto w neg 0 rlineto closepath\n"
              "  stroke end } bind def\n"
              "%%EndProlog\n";
    strOut += "%%BeginSetup\n<< /PageSize [" + Number(dPaperWidth) + " " + Number(dPaperHeight) +
              "] >> setpagedevice\n%%EndSetup\n";
    for (size_t p = 0; p < publication.pages.size(); ++p) {
        std::string strPage = std::to_string(p + 1);
        strOut += "%%Page: " + strPage + " " + strPage + "\n";
        strOut += "gsave\n" + Number(dx) + " " + Number(dy) + " translate\n";
        strOut += "0.5 setlinewidth\n";
        for (const CHostObject& object : publication.pages[p].objects) {
            strOut += ObjectDrawing(object, dPageHeight);
        }
        strOut += "grestore\nshowpage\n";
    }
    strOut += "%%Trailer\n%%EOF\n";
    return strOut;
}

bool PrintPublication(const CPublication& publication, const std::string& strFile,
                      std::string& strError) {
    if (strFile.empty()) {
        strError = "no file to print to";
        return false;
    }
    std::ofstream out(strFile, std::ios::binary | std::ios::trunc);
    out << PublicationPostScript(publication);
    out.flush();
    if (!out) {
        strError = "cannot write " + strFile;
        return false;
    }
    return true;
}
