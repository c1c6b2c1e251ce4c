// The PDF nebmerge writes, opened with the PDF library as a press's software
// would open it: what copies share is stored once, the document parts and
// page labels name each copy, every font is embedded, the file is valid, its
// text reads back per copy, and it looks as the PostScript does.
#include "MergeRun.h"
#include "merge/pdf/PdfFile.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageLabelDocumentHelper.hh>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace merge_test;

class PdfOutput : public MergedOutput {
  protected:
    // Copies 2 to 4 of four: two name the test's picture (by two names), one
    // another picture.
    void SetUp() override {
        MergedOutput::SetUp();
        WriteText(Path("other.eps"), std::string(Picture) + "% another picture\n");
        WriteText(Path("data.txt"), "Jane Doe\tNote\tpicture.eps\r\n"
                                    "Zo\xEB \xD8rsted\tNote\tpicture.eps\r\n"
                                    "Wei Chen\tNote\tother.eps\r\n"
                                    "Jos\xE9 M\xFCller\tNote\t./picture.eps\r\n");
    }
    int MergeCopies(const std::string& strOptions) const {
        std::string strReport;
        return Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --copies 2-4 " +
                         strOptions,
                     strReport);
    }
    // The pages of a file rendered at 100 dpi, as raw RGB.
    std::vector<std::string> Rendered(const std::string& strFile) const {
        std::string strPattern = Path("render-%d.ppm");
        EXPECT_EQ(std::system(("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=ppmraw -r100 -o '" +
                               strPattern + "' '" + strFile + "'")
                                  .c_str()),
                  0);
        std::vector<std::string> pages;
        for (int nPage = 1;; ++nPage) {
            std::string strPage = ReadText(Path("render-" + std::to_string(nPage) + ".ppm"));
            if (strPage.empty()) {
                break;
            }
            pages.push_back(strPage);
            std::remove(Path("render-" + std::to_string(nPage) + ".ppm").c_str());
        }
        return pages;
    }
};

TEST_F(PdfOutput, SharedPagesOnceAPartAndALabelPerCopyEveryFontEmbedded) {
    ASSERT_EQ(MergeCopies("--pdf '" + Path("merged.pdf") + "'"), 0) << ReadText(Path("stderr.txt"));
    EXPECT_EQ(std::system(("qpdf --check '" + Path("merged.pdf") + "' > /dev/null").c_str()), 0);
    QPDF pdf;
    pdf.processFile(Path("merged.pdf").c_str());
    // One form for the master page, one for each distinct picture.
    int nForms = 0;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        nForms += object.isStream() && object.getDict().getKey("/Subtype").isNameAndEquals("/Form");
    }
    EXPECT_EQ(nForms, 3);
    // One document part per copy, in order, over its page, with its number.
    QPDFObjectHandle root = pdf.getRoot().getKey("/DPartRoot");
    EXPECT_EQ(root.getKey("/RecordLevel").getIntValue(), 1);
    std::vector<QPDFObjectHandle> parts;
    for (QPDFObjectHandle& array : root.getKey("/DPartRootNode").getKey("/DParts").aitems()) {
        for (QPDFObjectHandle& part : array.aitems()) {
            parts.push_back(part);
        }
    }
    std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    ASSERT_EQ(parts.size(), 3u);
    ASSERT_EQ(pages.size(), 3u);
    QPDFPageLabelDocumentHelper labels(pdf);
    const char* const names[] = {"Zo\xC3\xAB \xC3\x98rsted", "Wei Chen",
                                 "Jos\xC3\xA9 M\xC3\xBCller"};
    for (size_t i = 0; i < parts.size(); ++i) {
        SCOPED_TRACE(names[i]);
        QPDFObjectHandle page = pages[i].getObjectHandle();
        EXPECT_EQ(parts[i].getKey("/Start").getObjGen(), page.getObjGen());
        EXPECT_EQ(parts[i].getKey("/End").getObjGen(), page.getObjGen());
        EXPECT_EQ(page.getKey("/DPart").getObjGen(), parts[i].getObjGen());
        EXPECT_EQ(parts[i].getKey("/DPM").getKey("/CopyNumber").getIntValue(),
                  static_cast<long long>(i + 2));
        EXPECT_EQ(labels.getLabelForPage(static_cast<long long>(i)).getKey("/P").getUTF8Value(),
                  std::to_string(i + 2) + ".");
        // The copy's values on its own page, accents and all.
        std::string strText = PageText(Path("merged.pdf"), static_cast<int>(i + 1));
        EXPECT_EQ(strText.find(std::string(names[i]) + "\n"), 0u) << strText;
        EXPECT_NE(strText.find("STATIC"), std::string::npos);
        EXPECT_EQ(strText.find(names[(i + 1) % 3]), std::string::npos);
    }
    // Every font embedded; the text's URW programs whole, in their three
    // parts: clear text to "eexec", the encrypted part, the zeros.
    int nPrograms = 0;
    for (QPDFObjectHandle& object : pdf.getAllObjects()) {
        if (!object.isDictionary() || !object.getKey("/Type").isNameAndEquals("/Font")) {
            continue;
        }
        SCOPED_TRACE(object.getKey("/BaseFont").unparse());
        QPDFObjectHandle descriptor = object.getKey("/FontDescriptor");
        ASSERT_TRUE(descriptor.hasKey("/FontFile") || descriptor.hasKey("/FontFile3"));
        QPDFObjectHandle program = descriptor.getKey("/FontFile");
        std::string strBase = object.getKey("/BaseFont").getName();
        if (!program.isStream() || strBase.find('+') != std::string::npos) {
            continue;
        }
        ++nPrograms;
        std::shared_ptr<Buffer> data = program.getStreamData();
        std::string strData(reinterpret_cast<const char*>(data->getBuffer()), data->getSize());
        EXPECT_EQ(strData,
                  ReadText("/usr/share/fonts/type1/urw-base35/" + strBase.substr(1) + ".t1"));
        size_t nClear = static_cast<size_t>(program.getDict().getKey("/Length1").getIntValue());
        size_t nEncrypted = static_cast<size_t>(program.getDict().getKey("/Length2").getIntValue());
        EXPECT_EQ(strData.substr(0, nClear).find_last_not_of("\r\n"),
                  strData.rfind("eexec", nClear) + 4);
        std::string strZeros = strData.substr(nClear + nEncrypted);
        EXPECT_EQ(std::count(strZeros.begin(), strZeros.end(), '0'), 512);
        EXPECT_EQ(strZeros.find_first_not_of("0\r\n"), strZeros.find("cleartomark"));
        EXPECT_EQ(static_cast<size_t>(program.getDict().getKey("/Length3").getIntValue()),
                  strZeros.size());
    }
    // Helvetica-Bold, Times-Roman, Courier (the area that names it); the
    // accents of copy 2 within Windows-1252.
    EXPECT_EQ(nPrograms, 3);
}

// Every page of the PDF, rendered, against the same page of the PostScript:
// at most a few pixels may differ (anti-aliasing of an edge), by any amount.
TEST_F(PdfOutput, EveryPageLooksAsThePostScriptDoes) {
    ASSERT_EQ(MergeCopies("--out '" + Path("merged.ps") + "' --pdf '" + Path("merged.pdf") + "'"),
              0);
    std::vector<std::string> fromPdf = Rendered(Path("merged.pdf"));
    std::vector<std::string> fromPostScript = Rendered(Path("merged.ps"));
    ASSERT_EQ(fromPdf.size(), 3u);
    ASSERT_EQ(fromPostScript.size(), 3u);
    for (size_t nPage = 0; nPage < fromPdf.size(); ++nPage) {
        const std::string& strA = fromPdf[nPage];
        const std::string& strB = fromPostScript[nPage];
        ASSERT_EQ(strA.size(), strB.size());
        size_t nDiffer = 0;
        for (size_t i = 0; i + 2 < strA.size(); i += 3) {
            nDiffer += strA.compare(i, 3, strB, i, 3) != 0;
        }
        EXPECT_LE(nDiffer, 20u) << "page " << nPage + 1;
    }
}

// A font with no program here is set in Courier, and said so; Ghostscript
// failing on a picture ends the run with no PDF.
TEST_F(PdfOutput, AFontWithoutProgramAndAPictureGhostscriptRefuses) {
    std::string strJob = ReadText(Path("job.ddf"));
    strJob.replace(strJob.find("Font Helvetica-Bold"), 19, "Font Futura-Book");
    WriteText(Path("job.ddf"), strJob);
    ASSERT_EQ(MergeCopies("--pdf '" + Path("merged.pdf") + "'"), 0);
    EXPECT_NE(ReadText(Path("stderr.txt"))
                  .find("nebmerge: the font Futura-Book has no program here: the PDF sets its "
                        "text in Courier\n"),
              std::string::npos)
        << ReadText(Path("stderr.txt"));
    EXPECT_EQ(PageText(Path("merged.pdf"), 1).find("Zo\xC3\xAB \xC3\x98rsted\n"), 0u);
    WriteText(Path("other.eps"), std::string(Picture) + "nosuchoperator\n");
    EXPECT_EQ(MergeCopies("--pdf '" + Path("failed.pdf") + "'"), 2);
    EXPECT_NE(ReadText(Path("stderr.txt"))
                  .find("nebmerge: Ghostscript could not render the master's pages and the "
                        "pictures (the copies' shared forms)\n"),
              std::string::npos);
    EXPECT_EQ(std::system(("test ! -e '" + Path("failed.pdf") + "' && ! ls -A '" + strFolder +
                           "' | grep -q nebmerge")
                              .c_str()),
              0);
}

// The writer refuses to close a file that names an object it never wrote,
// and leaves nothing under the final name.
TEST_F(PdfOutput, AnObjectNumberedButNeverWrittenIsRefused) {
    std::string strError;
    {
        COutputFile out;
        ASSERT_TRUE(out.Open(Path("broken.pdf"), strError));
        CPdfFile pdf(out, "1.7");
        int nCatalog = pdf.NewObject();
        int nPages = pdf.NewObject();
        ASSERT_TRUE(pdf.Object(nCatalog, "<< /Type /Catalog /Pages " + Ref(nPages) + " >>"));
        EXPECT_FALSE(pdf.Object(nCatalog, "<< >>")) << "an object is written once";
        EXPECT_FALSE(pdf.Finish(nCatalog, nCatalog, strError));
    }
    EXPECT_EQ(strError, Path("broken.pdf") + ": object 2 was never written");
    EXPECT_EQ(std::system(("test ! -e '" + Path("broken.pdf") + "'").c_str()), 0);
}

} // namespace
