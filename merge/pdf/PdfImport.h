// Pages of a PDF that Ghostscript made from the master and the pictures,
// brought into the merged PDF as forms (Form XObjects): the PDF is read with
// the PDF library, and each page's content, with everything it uses, is
// copied once under the merged file's object numbers; what two pages share
// (a font, an image) is copied once for both.
#pragma once

#include "merge/pdf/PdfFile.h"

#include <array>
#include <memory>
#include <string>

class CPdfImport {
  public:
    CPdfImport();
    ~CPdfImport();

    // Opens the PDF; false with a message.
    bool Open(const std::string& strPath, std::string& strError);
    size_t Pages() const;
    // Copies page nPage (from 0) into the file as a form, bounded by the
    // page's trim box or (bWholeMedia) its whole media; the form's object
    // number, or 0 with a message. Given reuse hints (" /GTS_Scope /File
    // ..."), the form carries them and is encapsulated: its content first
    // sets every part of the graphics state it could otherwise take from
    // the page that draws it.
    int ImportPage(size_t nPage, CPdfFile& pdf, std::string& strError, bool bWholeMedia = false,
                   const std::string& strHints = "");
    // The page's boxes other than its MediaBox, as dictionary entries
    // (" /TrimBox [...]"), or empty.
    std::string OtherBoxes(size_t nPage) const;
    // The page's box of the name ("/TrimBox") as left, bottom, right, top;
    // false when the page has none.
    bool PageBox(size_t nPage, const char* pBox, std::array<double, 4>& box) const;

  private:
    struct CImpl;
    std::unique_ptr<CImpl> m_pImpl;
};
