// Text of any bytes, in any of the data file's encodings and in a standard
// font or one without metrics, laid out in an area and set by the PDF
// writer's fonts into a page of a PDF of its own (the first byte chooses the
// encoding, the second the font and the alignment). The PDF library must
// read the file, the page's content and every font without a warning.
#include "FuzzInput.h"
#include "merge/layout/TextLayout.h"
#include "merge/output/Syntax.h"
#include "merge/pdf/PdfFile.h"
#include "merge/pdf/PdfFonts.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <unistd.h>

namespace {

class CCountTokens : public QPDFObjectHandle::ParserCallbacks {
  public:
    void handleObject(QPDFObjectHandle) override { ++nObjects; }
    void handleEOF() override {}
    size_t nObjects = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize < 2) {
        return 0;
    }
    static CFontMetrics metrics;
    static const char* const fonts[] = {"Helvetica", "Times-Roman", "Courier-Bold", "Futura"};
    CAreaDefinition area;
    area.strFont = fonts[pData[1] % 4];
    area.nAlignment = pData[1] / 4 % 8;
    area.fWidth = 200;
    area.fHeight = 700;
    TextEncoding encoding = static_cast<TextEncoding>(pData[0] % 3);
    CTextLayout layout = LayOutText(
        area, std::string(reinterpret_cast<const char*>(pData + 2), nSize - 2), metrics, encoding);
    static const std::string strPath =
        "/tmp/nebmerge-fuzz-text-" + std::to_string(getpid()) + ".pdf";
    std::string strError;
    COutputFile out;
    FUZZ_CHECK(out.Open(strPath, strError), "the PDF can be made");
    CPdfFile pdf(out, "1.7");
    CPdfFonts pdfFonts(metrics, pdf);
    int nCatalog = pdf.NewObject();
    int nPages = pdf.NewObject();
    int nPage = pdf.NewObject();
    int nContent = pdf.NewObject();
    int nInfo = pdf.NewObject();
    std::string strContent = "BT\n";
    for (const CSetLine& line : layout.lines) {
        strContent += "1 0 0 1 " + Number(line.dX) + " " + Number(792 - line.dBaseline) + " Tm " +
                      pdfFonts.Show(area.strFont.Text(), line.strText, 12) + "\n";
    }
    strContent += "ET\n";
    FUZZ_CHECK(pdf.Stream(nContent, "", strContent) &&
                   pdf.Object(nPage, "<< /Type /Page /Parent " + Ref(nPages) +
                                         " /MediaBox [0 0 612 792] /Resources << /Font " +
                                         Ref(pdfFonts.Resources()) + " >> /Contents " +
                                         Ref(nContent) + " >>") &&
                   pdf.Object(nPages, "<< /Type /Pages /Kids [" + Ref(nPage) + "] /Count 1 >>") &&
                   pdf.Object(nCatalog, "<< /Type /Catalog /Pages " + Ref(nPages) + " >>") &&
                   pdf.Object(nInfo, "<< /Producer (fuzz) >>") && pdfFonts.Finish(strError) &&
                   pdf.Finish(nCatalog, nInfo, strError) && out.Commit(strError),
               "the PDF is written");
    QPDF reader;
    reader.setSuppressWarnings(true);
    reader.processFile(strPath.c_str());
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(reader).getAllPages();
    FUZZ_CHECK(pages.size() == 1, "the PDF has its page");
    CCountTokens tokens;
    pages[0].parseContents(&tokens);
    for (auto& font : pages[0].getObjectHandle().getKey("/Resources").getKey("/Font").ditems()) {
        FUZZ_CHECK(font.second.getKey("/FontDescriptor").getKey("/FontFile").isStream(),
                   "every font is embedded");
        font.second.getKey("/ToUnicode").getStreamData();
    }
    FUZZ_CHECK(!reader.anyWarnings(), "the PDF reads without a warning");
    unlink(strPath.c_str());
    return 0;
}
