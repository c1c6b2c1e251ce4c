// The PDF to PDF/X-4 and PDF/VT-1: the merged file keeps every rule of the
// contract, and a file made to break each rule is caught; it renders in
// three renderers without a message; its forms look the same whatever state
// the page left; the output intent is the shop's or refused with why; each
// copy's part names its recipient.
#include "MergeRun.h"
#include "PdfContract.h"
#include "merge/pdf/IccProfile.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using namespace merge_test;

// 2025-12-10 09:00:00 UTC: the run's time, so that dates can be compared.
const char* const Epoch = "1765357200";

class PdfStandard : public MergedOutput {
  protected:
    void SetUp() override {
        MergedOutput::SetUp();
        setenv("SOURCE_DATE_EPOCH", Epoch, 1);
    }
    void TearDown() override {
        unsetenv("SOURCE_DATE_EPOCH");
        MergedOutput::TearDown();
    }
    int MergePdf(const std::string& strPdf, const std::string& strOptions = "") const {
        std::string strReport;
        return Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --pdf '" + Path(strPdf) +
                         "' " + strOptions,
                     strReport);
    }
    // The rules a file breaks, by name.
    static std::vector<std::string> Rules(const std::string& strPath) {
        std::vector<std::string> rules;
        for (const CBrokenRule& rule : BrokenRules(strPath)) {
            rules.push_back(rule.strRule);
        }
        return rules;
    }
    // A copy of the file changed through the PDF library.
    std::string Changed(const std::string& strPdf, const std::function<void(QPDF&)>& change) const {
        QPDF pdf;
        pdf.processFile(Path(strPdf).c_str());
        change(pdf);
        const std::string strChanged = Path("changed.pdf");
        QPDFWriter writer(pdf, strChanged.c_str());
        writer.write();
        return strChanged;
    }
    // What the command wrote on its standard error, the notice of a
    // renderer built without colour management aside.
    std::string Messages(const std::string& strCommand) const {
        EXPECT_EQ(std::system((strCommand + " 2> '" + Path("messages.txt") + "'").c_str()), 0)
            << strCommand;
        std::string strMessages = ReadText(Path("messages.txt"));
        const std::string strNotice = "warning: ICC support is not available\n";
        for (size_t nAt; (nAt = strMessages.find(strNotice)) != std::string::npos;) {
            strMessages.erase(nAt, strNotice.size());
        }
        return strMessages;
    }
    // The first page rendered at 50 dpi, as raw RGB.
    std::string FirstPage(const std::string& strFile) const {
        EXPECT_EQ(std::system(("gs -q -dBATCH -dNOPAUSE -dSAFER -dFirstPage=1 -dLastPage=1 "
                               "-sDEVICE=ppmraw -r50 -o '" +
                               Path("page.ppm") + "' '" + strFile + "'")
                                  .c_str()),
                  0);
        return ReadText(Path("page.ppm"));
    }
};

TEST_F(PdfStandard, TheMergedFileKeepsEveryRuleAndAFileBreakingOneIsCaught) {
    ASSERT_EQ(MergePdf("standard.pdf", "--recipient Name"), 0) << ReadText(Path("stderr.txt"));
    for (const CBrokenRule& rule : BrokenRules(Path("standard.pdf"))) {
        ADD_FAILURE() << rule.strRule << ": " << rule.strWhat;
    }
    EXPECT_EQ(std::system(("qpdf --check '" + Path("standard.pdf") + "' > /dev/null").c_str()), 0);
    const std::string strFile = ReadText(Path("standard.pdf"));
    EXPECT_NE(strFile.find("/CreationDate (D:20251210090000+00'00') /ModDate "
                           "(D:20251210090000+00'00') /Trapped /False"),
              std::string::npos);
    EXPECT_NE(strFile.find("<pdfvtid:GTS_PDFVTModDate>2025-12-10T09:00:00+00:00<"),
              std::string::npos);
    // Each rule broken in a copy of the file, by bytes of the same length
    // (the offsets stay) or through the PDF library.
    const struct {
        const char* pRule;
        const char* pFind;
        const char* pReplace;
    } bytes[] = {
        {"header", "%PDF-1.6", "%PDF-1.7"},
        {"id", "/ID [", "/XD ["},
        {"info", "/Trapped /False", "/Xrapped /False"},
        {"info", "/ModDate (", "/XodDate ("},
        {"xmp", "PDF/VT-1<", "PDF/VT-2<"},
        {"xmp", "PDF/X-4<", "PDF/X-3<"},
        {"xmp", "<pdfvtid:GTS_PDFVTModDate>2025", "<pdfvtid:GTS_PDFVTModDate>2024"},
        {"xmp", "xmlns:pdfvtid", "xmlns:pdfvtix"},
        {"xmp", "<pdfaSchema:namespaceURI>http://www.npes.org/pdfx",
         "<pdfaSchema:namespaceURI>http://www.npes.org/pdfz"},
        {"agree", "<xmp:CreateDate>2025", "<xmp:CreateDate>2024"},
        {"agree", "x-default\">job<", "x-default\">jox<"},
        {"intent", "/S /GTS_PDFX", "/S /GTS_PDFA"},
        {"intent", "/N 4 /Filter", "/N 3 /Filter"},
        {"boxes", "/TrimBox", "/TrimBix"},
        {"dparts", "/NodeNameList", "/NodeNameLisX"},
        {"dparts", "/CIP4_Root", "/CIP4_Roox"},
        {"reuse", "/GTS_Scope /File", "/GTS_Xcope /File"},
    };
    for (const auto& row : bytes) {
        SCOPED_TRACE(row.pFind);
        std::string strBroken = strFile;
        size_t nAt = strBroken.find(row.pFind);
        ASSERT_NE(nAt, std::string::npos);
        strBroken.replace(nAt, strlen(row.pFind), row.pReplace);
        WriteText(Path("broken.pdf"), strBroken);
        std::vector<std::string> rules = Rules(Path("broken.pdf"));
        EXPECT_NE(std::find(rules.begin(), rules.end(), row.pRule), rules.end());
    }
    // The forms are the page's only XObjects; the first page draws them all.
    auto firstForm = [](QPDF& pdf) {
        return QPDFPageDocumentHelper(pdf).getAllPages()[0].getFormXObjects().begin()->second;
    };
    const std::pair<const char*, std::function<void(QPDF&)>> changes[] = {
        {"forbidden",
         [](QPDF& pdf) {
             QPDFPageDocumentHelper(pdf).getAllPages()[0].getObjectHandle().replaceKey(
                 "/Annots", QPDFObjectHandle::parse("[<< /Type /Annot /Subtype /Text /Rect [0 0 "
                                                    "9 9] >>]"));
         }},
        {"forbidden",
         [](QPDF& pdf) {
             pdf.getRoot().replaceKey("/OpenAction", QPDFObjectHandle::parse("[0]"));
         }},
        {"forbidden",
         [&](QPDF& pdf) {
             firstForm(pdf)
                 .getDict()
                 .getKey("/Resources")
                 .getKey("/ExtGState")
                 .getKey("/NebInitial")
                 .replaceKey("/TR", QPDFObjectHandle::newName("/Identity"));
         }},
        {"fonts",
         [](QPDF& pdf) {
             for (QPDFObjectHandle& object : pdf.getAllObjects()) {
                 if (object.isDictionary() && object.hasKey("/FontFile")) {
                     object.removeKey("/FontFile");
                 }
             }
         }},
        {"colour",
         [](QPDF& pdf) {
             QPDFPageDocumentHelper(pdf)
                 .getAllPages()[0]
                 .getObjectHandle()
                 .getKey("/Resources")
                 .replaceKey("/ColorSpace", QPDFObjectHandle::parse("<< /C0 /DeviceRGB >>"));
         }},
        {"encapsulated",
         [&](QPDF& pdf) {
             firstForm(pdf).replaceStreamData("0 0 m 9 9 l S", QPDFObjectHandle::newNull(),
                                              QPDFObjectHandle::newNull());
         }},
        {"dparts",
         [](QPDF& pdf) {
             QPDFPageDocumentHelper(pdf).getAllPages()[1].getObjectHandle().removeKey("/DPart");
         }},
        {"boxes",
         [](QPDF& pdf) {
             QPDFPageDocumentHelper(pdf).getAllPages()[1].getObjectHandle().replaceKey(
                 "/BleedBox", QPDFObjectHandle::parse("[0 0 712 792]"));
         }},
    };
    for (const auto& change : changes) {
        SCOPED_TRACE(change.first);
        std::vector<std::string> rules = Rules(Changed("standard.pdf", change.second));
        EXPECT_NE(std::find(rules.begin(), rules.end(), change.first), rules.end());
    }
    // The plain file claims nothing, and keeps the rules it never made.
    ASSERT_EQ(MergePdf("plain.pdf", "--pdf-standard none"), 0);
    EXPECT_EQ(Rules(Path("plain.pdf")),
              (std::vector<std::string>{"header", "info", "info", "info", "xmp", "intent", "boxes",
                                        "boxes", "boxes", "dparts", "reuse", "reuse"}));
}

TEST_F(PdfStandard, RendersInThreeRenderersWithoutAMessageAndItsFormsAreEncapsulated) {
    std::string strTicket = Path("sheets.json");
    WriteText(strTicket, "{\"sheet\": \"Tabloid\", \"impose\": \"1x1\", \"duplex\": true, "
                         "\"marks\": true, \"finishing-code\": true}");
    ASSERT_EQ(MergePdf("cards.pdf"), 0);
    ASSERT_EQ(MergePdf("sheets.pdf", "--ticket '" + strTicket + "'"), 0);
    for (const char* pFile : {"cards.pdf", "sheets.pdf"}) {
        SCOPED_TRACE(pFile);
        const std::string strFile = Path(pFile);
        EXPECT_EQ(Messages("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=png16m -r20 -o '" +
                           Path("gs-%d.png") + "' '" + strFile + "'"),
                  "");
        EXPECT_EQ(Messages("pdftoppm -r 20 '" + strFile + "' '" + Path("poppler") + "'"), "");
        EXPECT_EQ(
            Messages("mutool draw -q -r 20 -o '" + Path("mupdf-%d.png") + "' '" + strFile + "'"),
            "");
        EXPECT_TRUE(BrokenRules(strFile).empty());
    }
    // Each page drawn after a state that is not the initial one: another
    // fill and stroke colour, a thick line dashed in long dashes (a form
    // that scales its space keeps them long enough to see).
    const char* const pState = "1 0 0 0 k 0 1 1 0 K 6 w [400 200] 0 d 1 J 1 j\n";
    auto prefixed = [&](const std::string& strPdf) {
        return Changed(strPdf, [&](QPDF& pdf) {
            for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
                page.addPageContents(pdf.newStream(pState), true);
            }
        });
    };
    std::string strAsMade = FirstPage(Path("cards.pdf"));
    ASSERT_FALSE(strAsMade.empty());
    EXPECT_TRUE(FirstPage(prefixed("cards.pdf")) == strAsMade);
    // Without the standard the forms take the page's state: the same test
    // tells them apart.
    ASSERT_EQ(MergePdf("plain.pdf", "--pdf-standard none"), 0);
    EXPECT_FALSE(FirstPage(prefixed("plain.pdf")) == FirstPage(Path("plain.pdf")));
}

TEST_F(PdfStandard, TheOutputIntentIsTheShopsOrRefusedWithWhy) {
    const std::string strDefault = DefaultOutputProfilePath();
    ASSERT_FALSE(strDefault.empty());
    const std::string strProfile = ReadText(strDefault);
    // The ticket's profile lies beside it; the condition is named.
    WriteText(Path("shop.icc"), strProfile);
    WriteText(Path("ticket.json"), "{\"output-intent\": \"shop.icc\", \"output-condition\": "
                                   "\"FOGRA39\"}");
    ASSERT_EQ(MergePdf("shop.pdf", "--ticket '" + Path("ticket.json") + "'"), 0)
        << ReadText(Path("stderr.txt"));
    QPDF pdf;
    pdf.processFile(Path("shop.pdf").c_str());
    QPDFObjectHandle intent = pdf.getRoot().getKey("/OutputIntents").getArrayItem(0);
    EXPECT_EQ(intent.getKey("/OutputConditionIdentifier").getUTF8Value(), "FOGRA39");
    EXPECT_EQ(intent.getKey("/OutputCondition").getUTF8Value(), "Artifex CMYK SWOP Profile");
    std::shared_ptr<Buffer> data = intent.getKey("/DestOutputProfile").getStreamData();
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(data->getBuffer()), data->getSize()),
              strProfile);
    // A profile that is not a CMYK output profile: the run stops before
    // anything is written.
    std::string strRgb = strDefault.substr(0, strDefault.rfind('/')) + "/default_rgb.icc";
    const std::pair<std::string, std::string> refused[] = {
        {strRgb, ": a profile of class \"mntr\" for \"RGB \" colour: the output intent needs a "
                 "CMYK output (printer) profile; not an output intent"},
        {Path("cut.icc"), ": an ICC profile whose header gives " +
                              std::to_string(strProfile.size()) +
                              " bytes, not the file's 1000; not an output intent"},
        {Path("job.ddf"), ": not an ICC colour profile; not an output intent"},
    };
    WriteText(Path("cut.icc"), strProfile.substr(0, 1000));
    for (const auto& row : refused) {
        SCOPED_TRACE(row.first);
        EXPECT_EQ(MergePdf("refused.pdf", "--output-intent '" + row.first + "'"), 2);
        EXPECT_EQ(ReadText(Path("stderr.txt")), "nebmerge: " + row.first + row.second + "\n");
        EXPECT_EQ(std::system(("test ! -e '" + Path("refused.pdf") + "'").c_str()), 0);
    }
    // The profile's own checks, on its bytes.
    auto changed = [&](size_t nAt, const std::string& strBytes) {
        return strProfile.substr(0, nAt) + strBytes + strProfile.substr(nAt + strBytes.size());
    };
    const std::pair<std::string, std::string> bytes[] = {
        {changed(16, "GRAY"), "a profile of class \"prtr\" for \"GRAY\" colour: the output intent "
                              "needs a CMYK output (printer) profile"},
        {changed(20, "RGB "), "a profile whose connection space \"RGB \" is neither XYZ nor Lab"},
        {changed(8, "\x05"), "an ICC profile of version 5 (a PDF of version 1.6 takes versions 2 "
                             "and 4)"},
        {changed(128, std::string("\x10\0\0\0", 4)), "an ICC profile whose tag table runs past "
                                                     "its end"},
        {changed(136, "\x7F"), "the ICC profile's tag \"desc\" lies outside the file"},
    };
    for (const auto& row : bytes) {
        CIccProfile profile;
        std::string strError;
        EXPECT_FALSE(ReadIccProfile(row.first, profile, strError));
        EXPECT_EQ(strError, row.second);
    }
}

// A master page that gives its trim and bleed gives the card's; boxes that
// do not nest in the page are not taken, and the page's size stands.
TEST_F(PdfStandard, AMasterPagesTrimAndBleedAreTheCards) {
    const std::pair<const char*, const char*> rows[] = {
        {"[/TrimBox [36 36 576 756] /BleedBox [27 27 585 765] /PAGE pdfmark",
         "[ 36.00 36.00 576.00 756.00 ] [ 27.00 27.00 585.00 765.00 ]"},
        {"[/TrimBox [36 36 576 756] /PAGE pdfmark",
         "[ 36.00 36.00 576.00 756.00 ] [ 0.00 0.00 612.00 792.00 ]"},
        {"[/TrimBox [36 36 576 756] /BleedBox [40 40 570 750] /PAGE pdfmark",
         "[ 36.00 36.00 576.00 756.00 ] [ 0.00 0.00 612.00 792.00 ]"},
        {"[/TrimBox [0 0 700 900] /PAGE pdfmark",
         "[ 0.00 0.00 612.00 792.00 ] [ 0.00 0.00 612.00 792.00 ]"},
    };
    const std::string strMaster = ReadText(Path("master.ps"));
    for (const auto& row : rows) {
        SCOPED_TRACE(row.first);
        std::string strBoxed = strMaster;
        strBoxed.insert(strBoxed.find("%%Page: 1 1\n") + 12, std::string(row.first) + "\n");
        WriteText(Path("master.ps"), strBoxed);
        ASSERT_EQ(MergePdf("boxed.pdf"), 0) << ReadText(Path("stderr.txt"));
        QPDF pdf;
        pdf.processFile(Path("boxed.pdf").c_str());
        QPDFObjectHandle page = QPDFPageDocumentHelper(pdf).getAllPages()[0].getObjectHandle();
        EXPECT_EQ(page.getKey("/TrimBox").unparseResolved() + " " +
                      page.getKey("/BleedBox").unparseResolved(),
                  row.second);
        EXPECT_TRUE(BrokenRules(Path("boxed.pdf")).empty());
    }
}

TEST_F(PdfStandard, EachCopysPartNamesItsRecipientAndASheetsPartItsCopies) {
    ASSERT_EQ(MergePdf("cards.pdf", "--recipient Name --recipient Note --copies 2-3"), 0);
    ASSERT_EQ(MergePdf("sheets.pdf", "--recipient Name --sheet 1300x900 --impose 2x1"), 0)
        << ReadText(Path("stderr.txt"));
    for (const char* pFile : {"cards.pdf", "sheets.pdf"}) {
        QPDF pdf;
        pdf.processFile(Path(pFile).c_str());
        QPDFObjectHandle root = pdf.getRoot().getKey("/DPartRoot");
        QPDFObjectHandle part =
            QPDFPageDocumentHelper(pdf).getAllPages()[0].getObjectHandle().getKey("/DPart");
        QPDFObjectHandle recipient =
            part.getKey("/DPM").getKey("/CIP4_Root").getKey("/CIP4_Recipient");
        if (std::string(pFile) == "cards.pdf") {
            EXPECT_EQ(root.getKey("/NodeNameList").unparse(), "[ /CIP4_Root /CIP4_Recipient ]");
            EXPECT_EQ(recipient.getKey("/CIP4_UniqueID").getUTF8Value(), "2");
            EXPECT_EQ(recipient.getKey("/Name").getUTF8Value(), "John Roe");
            EXPECT_EQ(recipient.getKey("/Note").getUTF8Value(), "Short note");
        } else {
            EXPECT_EQ(root.getKey("/NodeNameList").unparse(), "[ /CIP4_Root /Sheet ]");
            // Cut and stacked, the first sheet holds copies 1 and 3.
            EXPECT_EQ(part.getKey("/DPM").getKey("/CopyNumbers").unparse(), "[ 1 3 ]");
            ASSERT_EQ(recipient.getArrayNItems(), 2);
            EXPECT_EQ(recipient.getArrayItem(1).getKey("/CIP4_UniqueID").getUTF8Value(), "3");
            EXPECT_EQ(recipient.getArrayItem(1).getKey("/Name").getUTF8Value(), "Wei Chen");
        }
    }
}

} // namespace
