// nebmerge's press features run as a print shop runs them, on both outputs:
// cards on duplex press sheets (which copy in which slot, backs behind
// fronts, crop marks and bleed where the trim lines are), text shrunk to
// fit and an empty optional line closed up, read back through the text
// extraction's word positions; barcodes and QR codes read back by a
// decoder, and values no code can carry reported by the check; numbered
// tickets and the finishing codes of cards and sheets read back, and the
// standard PDF of a thousand copies kept.
#include "MergeRun.h"
#include "PdfContract.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace merge_test;

struct CWord {
    int nPage;
    double dX0, dY0, dX1, dY1; // from the top left of the page, points
    std::string strText;
};

class Press : public MergedOutput, public ::testing::WithParamInterface<const char*> {
  protected:
    // A job of the fields, areas and merges given, taking the master's pages
    // as strPages says ("FIRST LAST WIDTH HEIGHT").
    void WriteJob(const std::string& strFields, const std::string& strAreas,
                  const std::string& strMerges, const std::string& strPages) {
        WriteText(Path("job.ddf"),
                  "Docdef-Version-1.0\r\n[DataDefinition]\r\n" + strFields +
                      "[AreaDefinition]\r\n" + strAreas + "[DocumentInstructions]\r\n" + strMerges +
                      "IncludePages \"c:\\jobs\\master.ps\" " + strPages + " 0\r\n");
    }
    std::string Output() const { return Path(std::string("merged.") + GetParam()); }
    int MergeWith(const std::string& strOptions, std::string& strReport) const {
        return Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --ps '" +
                         Path("master.ps") + "' " +
                         (std::string(GetParam()) == "pdf" ? "--pdf '" : "--out '") + Output() +
                         "' " + strOptions,
                     strReport);
    }
    // The words of the output with their boxes, as poppler reads them (the
    // PostScript made a PDF by Ghostscript first).
    std::vector<CWord> Words() const {
        std::string strPdf = Output();
        if (std::string(GetParam()) == "ps") {
            strPdf = Path("from-ps.pdf");
            EXPECT_EQ(std::system(("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pdfwrite -o '" +
                                   strPdf + "' '" + Output() + "'")
                                      .c_str()),
                      0);
        }
        EXPECT_EQ(
            std::system(("pdftotext -bbox '" + strPdf + "' '" + Path("words.html") + "'").c_str()),
            0);
        std::vector<CWord> words;
        std::regex word("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                        "yMax=\"([0-9.]+)\">([^<]*)</word>");
        std::istringstream lines(ReadText(Path("words.html")));
        std::string strLine;
        int nPage = 0;
        while (std::getline(lines, strLine)) {
            std::smatch match;
            if (strLine.find("<page ") != std::string::npos) {
                ++nPage;
            } else if (std::regex_search(strLine, match, word)) {
                words.push_back({nPage, std::stod(match[1]), std::stod(match[2]),
                                 std::stod(match[3]), std::stod(match[4]), match[5]});
            }
        }
        return words;
    }
    static const CWord* Word(const std::vector<CWord>& words, int nPage,
                             const std::string& strText) {
        for (const CWord& word : words) {
            if (word.nPage == nPage && word.strText == strText) {
                return &word;
            }
        }
        return nullptr;
    }
    // A ticket of 216 by 144 points (front and, given two pages, back): the
    // customer's name on each side, its number in the top left and a QR of
    // the number on the front; the data holds nCopies customers.
    void WriteTicketJob(int nPages, int nCopies) {
        WriteText(Path("master.ps"), "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n"
                                     "showpage\n%%Page: 2 2\nshowpage\n%%EOF\n");
        const std::string strText = " Is Text Left AsIs Font Helvetica Size 12 Spacing 14 CMYK 0 0 "
                                    "0 1 On \"c:\\jobs\\master.ps\" ";
        WriteJob("Name Is Chars Inline Text At 0 Chars Until CRLF\r\n",
                 "Number" + strText + "1 At 10 10 For 100 16 FirstPos -1 -1\r\nFront" + strText +
                     "1 At 10 30 For 100 16 FirstPos -1 -1\r\nBack" + strText +
                     "2 At 10 30 For 100 16 FirstPos -1 -1\r\nCode" + strText +
                     "1 At 120 30 For 90 90 FirstPos -1 -1\r\n",
                 "Merge Number Name\r\nMerge Front Name\r\nMerge Back Name\r\n",
                 "1 " + std::to_string(nPages) + " 216 144");
        std::string strData;
        for (int nCopy = 1; nCopy <= nCopies; ++nCopy) {
            strData += "Customer " + std::to_string(nCopy) + "\r\n";
        }
        WriteText(Path("data.txt"), strData);
    }
    // The pages of the output rendered in grey at the resolution, as
    // PREFIX-N.png; their number.
    int Render(const std::string& strPrefix, int nDpi) const {
        EXPECT_EQ(std::system(("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pnggray -r" +
                               std::to_string(nDpi) + " -o '" + Path(strPrefix) + "-%d.png' '" +
                               Output() + "'")
                                  .c_str()),
                  0);
        int nPages = 0;
        while (!ReadText(Path(strPrefix + "-" + std::to_string(nPages + 1) + ".png")).empty()) {
            ++nPages;
        }
        return nPages;
    }
    // The DataMatrix in the lower left corner of the rendered page.
    std::string FinishingCode(const std::string& strPng) const {
        std::string strOut = Path("finishing.txt");
        std::system(
            ("dmtxread -N 1 -m 5000 -X 15% -Y 15% '" + Path(strPng) + "' > '" + strOut + "'")
                .c_str());
        return ReadText(strOut);
    }
};

INSTANTIATE_TEST_SUITE_P(BothOutputs, Press, ::testing::Values("ps", "pdf"),
                         [](const ::testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

// The gray level of the pixel at (x, y) points from the top left of page 1
// of the file rendered at 72 dpi.
class CRendering {
  public:
    explicit CRendering(const std::string& strPgm) : m_strPgm(strPgm) {
        // "P5", width, height, largest value, each after blanks or comments.
        std::vector<std::string> fields;
        size_t nAt = 0;
        while (fields.size() < 4 && nAt < m_strPgm.size()) {
            if (m_strPgm[nAt] == '#') {
                nAt = m_strPgm.find('\n', nAt);
            } else if (isspace(static_cast<unsigned char>(m_strPgm[nAt])) == 0) {
                size_t nEnd = nAt;
                while (nEnd < m_strPgm.size() &&
                       isspace(static_cast<unsigned char>(m_strPgm[nEnd])) == 0) {
                    ++nEnd;
                }
                fields.push_back(m_strPgm.substr(nAt, nEnd - nAt));
                nAt = nEnd;
            }
            ++nAt;
        }
        EXPECT_EQ(fields.size(), 4u);
        m_nWidth = fields.size() == 4 ? std::stoi(fields[1]) : 0;
        m_nData = nAt;
    }
    int At(int nX, int nY) const {
        return static_cast<unsigned char>(
            m_strPgm[m_nData + static_cast<size_t>(nY * m_nWidth + nX)]);
    }

  private:
    std::string m_strPgm;
    int m_nWidth = 0;
    size_t m_nData = 0;
};

TEST_P(Press, CardsOnDuplexSheetsCutAndStackedBacksBehindFrontsMarksAtTheTrim) {
    // A card of 200 by 100 centred on a page of 300 by 200: the master fills
    // the whole page grey, so what lands on the sheet shows its clip.
    WriteText(Path("master.ps"),
              "%!PS-Adobe-3.0\n%%Pages: 2\n%%EndComments\n%%Page: 1 1\n0.5 setgray 0 0 300 200 "
              "rectfill showpage\n%%Page: 2 2\n0.5 setgray 0 0 300 200 rectfill showpage\n%%EOF\n");
    const std::string strArea = " Is Text Left AsIs Font Helvetica Size 10 Spacing 12 CMYK 0 0 0 "
                                "1 On \"c:\\jobs\\master.ps\" ";
    WriteJob("Name Is Chars Inline Text At 0 Chars Until CRLF\r\n",
             "Front" + strArea + "1 At 70 80 For 150 14 FirstPos -1 -1\r\nBack" + strArea +
                 "2 At 70 80 For 150 14 FirstPos -1 -1\r\n",
             "Merge Front Name\r\nMerge Back Name\r\n", "1 2 300 200");
    WriteText(Path("data.txt"), "Copy1\r\nCopy2\r\nCopy3\r\nCopy4\r\nCopy5\r\nCopy6\r\n");
    std::string strReport;
    ASSERT_EQ(MergeWith("--card 200x100 --sheet 500x300 --impose 2x1 --duplex --marks --bleed 9",
                        strReport),
              0)
        << ReadText(Path("stderr.txt"));
    // 2 by 1 cards of 218 by 118 with their bleed, centred: trim boxes from
    // x 41 and 259, y 100 to 200 (from the bottom); the values 20 points in.
    std::vector<CWord> words = Words();
    const double dFrontX[] = {41, 259};
    for (int nSheet = 1; nSheet <= 3; ++nSheet) {
        for (int nSlot = 0; nSlot < 2; ++nSlot) {
            std::string strCopy = "Copy" + std::to_string(nSheet + 3 * nSlot);
            SCOPED_TRACE(strCopy);
            const CWord* pFront = Word(words, 2 * nSheet - 1, strCopy);
            const CWord* pBack = Word(words, 2 * nSheet, strCopy);
            ASSERT_NE(pFront, nullptr);
            ASSERT_NE(pBack, nullptr);
            EXPECT_NEAR(pFront->dX0 - 20, dFrontX[nSlot], 0.1);
            // Turned over the sheet's middle, the back's trim box lies
            // behind the front's.
            EXPECT_NEAR(pBack->dX0 - 20, 500 - (pFront->dX0 - 20) - 200, 0.1);
            EXPECT_NEAR(pBack->dY0, pFront->dY0, 0.1);
        }
    }
    EXPECT_EQ(words.size(), 12u);
    ASSERT_EQ(
        std::system(("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pgmraw -r72 -dLastPage=1 -o '" +
                     Path("sheet.pgm") + "' '" + Output() + "'")
                        .c_str()),
        0);
    CRendering sheet(ReadText(Path("sheet.pgm")));
    // Crop marks above the grid (y 212 to 227 from the bottom) at the trim
    // lines 41, 241, 259 and 459, nothing between; marks beside it at the
    // trim lines 100 and 200.
    for (int nX : {41, 241, 259, 459}) {
        EXPECT_LT(std::min(sheet.At(nX - 1, 300 - 220), sheet.At(nX, 300 - 220)), 64) << nX;
        EXPECT_EQ(sheet.At(nX + 4, 300 - 220), 255) << nX;
    }
    for (int nY : {100, 200}) {
        EXPECT_LT(std::min(sheet.At(20, 300 - nY - 1), sheet.At(20, 300 - nY)), 64) << nY;
    }
    // The master's grey within each card's bleed, white beyond it.
    EXPECT_NEAR(sheet.At(34, 150), 128, 2);
    EXPECT_EQ(sheet.At(30, 150), 255);
    EXPECT_NEAR(sheet.At(466, 91), 128, 2);
    EXPECT_EQ(sheet.At(466, 89), 255);
    if (std::string(GetParam()) == "pdf") {
        // A document part per sheet, the copies in its slots in its metadata.
        QPDF pdf;
        pdf.processFile(Output().c_str());
        std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
        ASSERT_EQ(pages.size(), 6u);
        for (size_t i = 0; i < pages.size(); ++i) {
            QPDFObjectHandle part = pages[i].getObjectHandle().getKey("/DPart");
            EXPECT_EQ(part.getKey("/DPM").getKey("/CopyNumbers").unparse(),
                      "[ " + std::to_string(i / 2 + 1) + " " + std::to_string(i / 2 + 4) + " ]");
            EXPECT_EQ(part.getKey("/Start").getObjGen(),
                      pages[i & ~size_t(1)].getObjectHandle().getObjGen());
        }
        EXPECT_EQ(std::system(("qpdf --check '" + Output() + "' > /dev/null").c_str()), 0);
    }
}

TEST_P(Press, NamesShrunkToFitTheirAreaCityAndZipUpWhenAnOptionalStreetIsEmpty) {
    const std::string strOn = " CMYK 0 0 0 1 On \"c:\\jobs\\master.ps\" 1 At 20 ";
    WriteJob("Name Is Chars Inline Text At 0 Chars Until TAB\r\n"
             "Street Is Chars Inline Text At 0 Chars Until TAB\r\n"
             "City Is Chars Inline Text At 0 Chars Until TAB\r\n"
             "Zip Is Chars Inline Text At 0 Chars Until CRLF\r\n",
             "NameArea Is Text Left AsIs Font Helvetica Size 12 Spacing 14" + strOn +
                 "20 For 100 16 FirstPos -1 -1\r\n"
                 "StreetLine Is Text Left AsIs Font Times-Roman Size 10 Spacing 12" +
                 strOn +
                 "100 For 200 12 FirstPos -1 -1\r\n"
                 "CityLine Is Text Left AsIs Font Times-Roman Size 10 Spacing 12" +
                 strOn +
                 "112 For 120 12 FirstPos -1 -1\r\n"
                 "ZipLine Is Text Left AsIs Font Times-Roman Size 10 Spacing 12 CMYK 0 0 0 1 On "
                 "\"c:\\jobs\\master.ps\" 1 At 150 112 For 60 12 FirstPos -1 -1\r\n",
             "Merge NameArea Name\r\nMerge StreetLine Street\r\nMerge CityLine City\r\n"
             "Merge ZipLine Zip\r\n",
             "1 1 300 300");
    const char* const names[] = {"Al", "Bartholomew-Featherstone", "Zoë-Ørsted-Kierkegaard",
                                 "Maximilian-Alexander-Featherstonehaugh-Worthington-Smythe",
                                 "Wolfeschlegelsteinhausen"};
    std::string strData;
    for (const char* pName : names) {
        strData +=
            std::string(pName) + "\t" + (strData.empty() ? "" : "1 Main St") + "\tCity\t62701\r\n";
    }
    WriteText(Path("data.txt"), strData);
    std::string strReport;
    // The check: the one name too long even at 6 points; the empty street
    // is no problem.
    ASSERT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") +
                        "' --check --encoding utf-8 --fit NameArea=shrink --optional Street",
                    strReport),
              1);
    EXPECT_EQ(strReport.rfind(Path("data.txt") + ":4: copy 4, field Name, byte 110: text does not "
                                                 "fit: runs ",
                              0),
              0u)
        << strReport;
    EXPECT_NE(strReport.find("5 copies, 1 problem (1 text does not fit)"), std::string::npos);
    ASSERT_EQ(MergeWith("--encoding utf-8 --fit NameArea=shrink --optional Street", strReport), 1);
    std::vector<CWord> words = Words();
    CFontMetrics metrics;
    for (int nCopy = 1; nCopy <= 5; ++nCopy) {
        SCOPED_TRACE(names[nCopy - 1]);
        const CWord* pName = Word(words, nCopy, names[nCopy - 1]);
        ASSERT_NE(pName, nullptr);
        EXPECT_NEAR(pName->dX0, 20, 0.1);
        bool bFits = metrics.TextWidth("Helvetica",
                                       DecodeText(names[nCopy - 1], TextEncoding::Utf8), 6) <= 100;
        EXPECT_EQ(pName->dX1 <= 120.05, bFits);
        // Shrunk no further than it must: a tenth of a point more would not fit.
        if (nCopy > 1 && bFits) {
            double dSize =
                (pName->dX1 - pName->dX0) /
                metrics.TextWidth("Helvetica", DecodeText(names[nCopy - 1], TextEncoding::Utf8), 1);
            EXPECT_GT(metrics.TextWidth("Helvetica",
                                        DecodeText(names[nCopy - 1], TextEncoding::Utf8),
                                        dSize + 0.1),
                      100);
        }
    }
    // The first copy has no street: its city, and the zip beside it, move
    // up one line area.
    for (const char* pWord : {"City", "62701"}) {
        const CWord* pUp = Word(words, 1, pWord);
        const CWord* pWhere = Word(words, 2, pWord);
        ASSERT_TRUE(pUp != nullptr && pWhere != nullptr) << pWord;
        EXPECT_NEAR(pWhere->dY0 - pUp->dY0, 12, 0.1) << pWord;
        EXPECT_NEAR(pWhere->dX0, pUp->dX0, 0.1) << pWord;
    }
    EXPECT_EQ(Word(words, 1, "Main"), nullptr);
}

TEST_P(Press, AnOptionalFieldsEmptyLineClosedUpInItsFlowingArea) {
    WriteJob("Address Is Lines Inline Text At 0 Lines For 3\r\n",
             "AddressArea Is Text Left Flow Font Times-Roman Size 10 Spacing 12 CMYK 0 0 0 1 On "
             "\"c:\\jobs\\master.ps\" 1 At 20 20 For 200 50 FirstPos -1 -1\r\n",
             "Merge AddressArea Address\r\n", "1 1 300 300");
    WriteText(Path("data.txt"), "Jane\r\n\r\nSpringfield\r\nJohn\r\n12 Main\r\nRiverton\r\n");
    std::string strReport;
    ASSERT_EQ(MergeWith("--optional Address", strReport), 0) << ReadText(Path("stderr.txt"));
    std::vector<CWord> words = Words();
    const CWord* pUp = Word(words, 1, "Springfield");
    const CWord* pSecond = Word(words, 2, "Main");
    const CWord* pThird = Word(words, 2, "Riverton");
    ASSERT_TRUE(pUp != nullptr && pSecond != nullptr && pThird != nullptr);
    EXPECT_NEAR(pUp->dY0, pSecond->dY0, 0.1);
    EXPECT_NEAR(pThird->dY0 - pSecond->dY0, 12, 0.1);
}

TEST_P(Press, AThousandQrAndCode128SymbolsDecodeToTheirValues) {
    WriteText(Path("master.ps"), "%!PS-Adobe-3.0\n%%Pages: 1\n%%EndComments\n%%Page: 1 1\n"
                                 "showpage\n%%EOF\n");
    const std::string strOn = " CMYK 0 0 0 1 On \"c:\\jobs\\master.ps\" 1 At ";
    WriteJob("Url Is Chars Inline Text At 0 Chars Until TAB\r\n"
             "Ref Is Chars Inline Text At 0 Chars Until CRLF\r\n",
             "QrArea Is Text Left AsIs Font Helvetica Size 10 Spacing 12" + strOn +
                 "10 10 For 100 100 FirstPos -1 -1\r\nBarArea Is Graphic ScaleToFit On "
                 "\"c:\\jobs\\master.ps\" 1 At 120 30 For 150 60\r\n",
             "Merge QrArea Url\r\nMerge BarArea Ref\r\n", "1 1 280 120");
    std::string strData;
    std::vector<std::string> expected;
    for (int nCopy = 1; nCopy <= 1000; ++nCopy) {
        std::string strNumber = std::to_string(nCopy);
        strData += "https://neb.example/c/" + strNumber + "?n=Zo%C3%AB\tNEB-" + strNumber + "\r\n";
        expected.push_back("QR-Code:https://neb.example/c/" + strNumber + "?n=Zo%C3%AB");
        expected.push_back("CODE-128:NEB-" + strNumber);
    }
    WriteText(Path("data.txt"), strData);
    std::string strReport;
    ASSERT_EQ(MergeWith("--code QrArea=qr:M --code BarArea=code128", strReport), 0)
        << ReadText(Path("stderr.txt"));
    EXPECT_EQ(strReport, "1000 copies, 0 problems\n");
    ASSERT_EQ(std::system(("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pnggray -r300 -o '" +
                           Path("code-%d.png") + "' '" + Output() + "' && zbarimg --nodbus -q '" +
                           Path("") + "'code-*.png > '" + Path("decoded.txt") + "'")
                              .c_str()),
              0);
    std::vector<std::string> decoded;
    std::istringstream lines(ReadText(Path("decoded.txt")));
    for (std::string strLine; std::getline(lines, strLine);) {
        decoded.push_back(strLine);
    }
    std::sort(decoded.begin(), decoded.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(decoded.size(), 2000u);
    EXPECT_TRUE(decoded == expected);
}

class Codes : public MergedOutput {};

TEST_F(Codes, AValueNoCodeCanCarryIsAProblemOfItsCopyAtItsOffset) {
    struct CRow {
        const char* pCode;
        std::string strValue;
        std::string strDetail;
    };
    const CRow rows[] = {
        {"ean13", "4006381333932", "cannot be an EAN-13: invalid check digit '2', expecting '1'"},
        {"ean13", "400638133393", "an EAN-13 is 13 digits with its check digit"},
        {"upca", "03600029145X", "a UPC-A is 12 digits with its check digit"},
        {"upca", "036000291453", "cannot be a UPC-A: invalid check digit '3', expecting '2'"},
        {"code128", "x\x80y",
         "cannot be a Code 128: invalid character in input data (ISO/IEC "
         "8859-1 only)"},
        {"qr", std::string(8000, '9'),
         "cannot be a QR code: input too long for selected error correction level"},
        {"datamatrix", std::string(4000, 'A'),
         "cannot be a DataMatrix: data too long to fit in symbol"},
        {"pdf417", std::string(3000, '\x01'), "cannot be a PDF417: input string too long"},
        {"qr", std::string(70000, '9'), "cannot be a QR code: 70000 bytes are too many"},
    };
    WriteText(Path("job.ddf"), "Docdef-Version-1.0\r\n[DataDefinition]\r\nV Is Chars Inline "
                               "Text At 0 Chars Until CRLF\r\n[AreaDefinition]\r\nA Is Graphic "
                               "ScaleToFit On \"m.ps\" 1 At 10 10 For 100 50\r\n"
                               "[DocumentInstructions]\r\nMerge A V\r\nIncludePages "
                               "\"c:\\jobs\\master.ps\" 1 1 200 100 0\r\n");
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.pCode);
        WriteText(Path("data.txt"), "4006381333931\r\n" + row.strValue + "\r\n");
        std::string strReport;
        EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --ps '" +
                            Path("master.ps") + "' --check --code A=" + row.pCode,
                        strReport),
                  1);
        // The first value is good for every code but a UPC-A's 12 digits.
        std::string strLine = Path("data.txt") +
                              ":2: copy 2, field V, byte 15: invalid code: "
                              "area A: " +
                              row.strDetail + "\n";
        EXPECT_NE(strReport.find(strLine), std::string::npos) << strReport;
    }
}

} // namespace

namespace {

// A thousand tickets numbered by the run: each page's text and QR code
// carry its copy's number once, in order, and its finishing code names the
// copy and page; the PDF keeps the standard.
TEST_P(Press, AThousandNumberedTicketsReadBackInOrder) {
    WriteTicketJob(1, 1000);
    std::string strReport;
    ASSERT_EQ(MergeWith("--value 'Number=No. {copy:04}' --value 'Code={copy:04}' --code Code=qr "
                        "--finishing-code",
                        strReport),
              0)
        << ReadText(Path("stderr.txt"));
    EXPECT_EQ(strReport, "1000 copies, 0 problems\n");
    std::vector<CWord> words = Words();
    std::string strPages;
    for (int nPage = 1; nPage <= 1000; ++nPage) {
        char szNumber[8];
        snprintf(szNumber, sizeof szNumber, "%04d", nPage);
        const CWord* pNumber = Word(words, nPage, szNumber);
        ASSERT_NE(pNumber, nullptr) << "page " << nPage;
        EXPECT_LT(pNumber->dY1, 30) << "page " << nPage; // in the Number area, not Front's
        strPages += std::string(szNumber) + "\n";
    }
    EXPECT_EQ(std::count_if(words.begin(), words.end(),
                            [](const CWord& word) { return word.strText == "No."; }),
              1000);
    ASSERT_EQ(Render("ticket", 150), 1000);
    std::string strFiles;
    for (int nPage = 1; nPage <= 1000; ++nPage) {
        strFiles += " '" + Path("ticket-" + std::to_string(nPage) + ".png") + "'";
    }
    ASSERT_EQ(std::system(
                  ("zbarimg --nodbus -q --raw" + strFiles + " > '" + Path("qr.txt") + "'").c_str()),
              0);
    EXPECT_TRUE(ReadText(Path("qr.txt")) == strPages);
    for (int nPage : {1, 437, 1000}) {
        EXPECT_EQ(FinishingCode("ticket-" + std::to_string(nPage) + ".png"),
                  "copy " + std::to_string(nPage) + "/1000 page 1/1");
    }
    if (std::string(GetParam()) == "pdf") {
        EXPECT_TRUE(BrokenRules(Output()).empty());
    }
}

// Fifty two-sided tickets on duplex Letter sheets, ten a side, cut and
// stacked: each side's finishing code names its sheet, side and the copies
// it holds, which are the names printed on it; a thousand copies so imposed
// keep the standard.
TEST_P(Press, FinishingCodesOfAnImposedDuplexRunNameEachSide) {
    WriteTicketJob(2, 1000);
    std::string strReport;
    const std::string strSheets = "--sheet Letter --impose auto --duplex --marks --finishing-code";
    ASSERT_EQ(MergeWith(strSheets + " --copies 1-50", strReport), 0)
        << ReadText(Path("stderr.txt"));
    int nSides = Render("side", 200);
    ASSERT_GE(nSides, 2);
    std::vector<CWord> words = Words();
    std::set<int> all;
    for (int nSide = 1; nSide <= nSides; ++nSide) {
        SCOPED_TRACE("side " + std::to_string(nSide));
        // The copies whose names the side shows.
        std::set<int> shown;
        for (const CWord& word : words) {
            if (word.nPage == nSide && word.strText[0] != '0' &&
                word.strText.find_first_not_of("0123456789") == std::string::npos) {
                shown.insert(std::stoi(word.strText));
            }
        }
        // The code's copies, its runs "first..last:step" spelt out.
        std::smatch match;
        std::string strCode = FinishingCode("side-" + std::to_string(nSide) + ".png");
        ASSERT_TRUE(
            std::regex_match(strCode, match, std::regex("sheet (\\d+) side (\\d)/2 copies (.*)")))
            << strCode;
        EXPECT_EQ(std::stoi(match[1]), (nSide + 1) / 2);
        EXPECT_EQ(std::stoi(match[2]), 2 - nSide % 2);
        std::set<int> named;
        std::string strCopies = match[3];
        std::regex run("(\\d+)(?:\\.\\.(\\d+)(?::(\\d+))?)?");
        for (std::sregex_iterator it(strCopies.begin(), strCopies.end(), run), end; it != end;
             ++it) {
            int nFirst = std::stoi((*it)[1]);
            int nLast = (*it)[2].matched ? std::stoi((*it)[2]) : nFirst;
            int nStep = (*it)[3].matched ? std::stoi((*it)[3]) : 1;
            for (int nCopy = nFirst; nCopy <= nLast; nCopy += nStep) {
                named.insert(nCopy);
            }
        }
        EXPECT_EQ(named, shown);
        all.insert(named.begin(), named.end());
    }
    EXPECT_EQ(all.size(), 50u);
    if (std::string(GetParam()) == "pdf") {
        ASSERT_EQ(MergeWith(strSheets, strReport), 0);
        EXPECT_TRUE(BrokenRules(Output()).empty());
    }
}

} // namespace
