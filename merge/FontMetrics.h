// Character widths of the standard PostScript fonts, from the metrics (AFM)
// files of the URW base-35 fonts, which stand in for them in Ghostscript: the
// names the font mapping file uses (Helvetica-Bold, Times-Roman, ...) are
// mapped to their URW files.
#pragma once

#include <map>
#include <string>

class CFontMetrics {
  public:
    // The folder of the AFM files: Debian's fonts-urw-base35 by default.
    explicit CFontMetrics(std::string strFolder = "/usr/share/fonts/type1/urw-base35");

    // The URW file (without ".afm") for a standard font name, or empty.
    static std::string UrwName(const std::string& strFont);

    // The width of the text in points at the size, or a negative number when
    // the font's metrics cannot be had (an unknown name, a missing file).
    double TextWidth(const std::string& strFont, const std::string& strText, double dSize);
    // Why the last font could not be had.
    const std::string& Error() const { return m_strError; }

  private:
    struct CWidths {
        bool bRead = false;
        int anWidth[256] = {}; // thousandths of the size, by character code
        int nDefault = 0;
    };
    const CWidths* Widths(const std::string& strFont);

    std::string m_strFolder;
    std::map<std::string, CWidths> m_fonts;
    std::string m_strError;
};
