#include "PostScriptOutput.h"

#include <cstdio>
#include <fstream>

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

// The title of an EPS text, or empty.
std::string EpsTitle(const std::string& strEps) {
    size_t nAt = strEps.find("%%Title: ");
    if (nAt == std::string::npos) {
        return "";
    }
    nAt += 9;
    return strEps.substr(nAt, strEps.find('\n', nAt) - nAt);
}

} // namespace

std::string PublicationPostScript(const CPublication& publication) {
    const double dPaperWidth = publication.paper.Width() / 20.0;
    const double dPaperHeight = publication.paper.Height() / 20.0;
    const double dPageWidth = publication.nPageWidth / 20.0;
    const double dPageHeight = publication.nPageHeight / 20.0;
    // The page lies in the middle of the paper.
    const double dx = (dPaperWidth - dPageWidth) / 2;
    const double dy = (dPaperHeight - dPageHeight) / 2;
    std::string strOut = "%!PS-Adobe-3.0\n";
    strOut += "%%Creator: pubhost\n";
    strOut += "%%Title: " + publication.strPath + "\n";
    strOut += "%%Pages: " + std::to_string(publication.pages.size()) + "\n";
    strOut += "%%BoundingBox: 0 0 " + std::to_string(static_cast<int>(dPaperWidth)) + " " +
              std::to_string(static_cast<int>(dPaperHeight)) + "\n";
    strOut += "%%DocumentNeededResources: font Helvetica\n";
    strOut += "%%EndComments\n";
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
        strOut += "0.5 setlinewidth 0 " + Number(dPageHeight) + " " + Number(dPageWidth) + " " +
                  Number(dPageHeight) + " box\n";
        strOut += "/Helvetica findfont 9 scalefont setfont\n";
        for (const CHostObject& object : publication.pages[p].objects) {
            double dLeft = object.anBounds[0] / 20.0;
            double dTop = object.anBounds[1] / 20.0;
            double dWidth = (object.anBounds[2] - object.anBounds[0]) / 20.0;
            double dHeight = (object.anBounds[3] - object.anBounds[1]) / 20.0;
            double dBaseline = dPageHeight - dTop;
            std::string strLabel = object.strEps.empty() ? "object " + std::to_string(object.nId)
                                                         : "placeholder " + EpsTitle(object.strEps);
            strOut += Number(dLeft) + " " + Number(dBaseline) + " " + Number(dWidth) + " " +
                      Number(dHeight) + " box\n";
            strOut += Number(dLeft + 2) + " " + Number(dBaseline - 10) + " moveto " +
                      Literal(strLabel) + " show\n";
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
