// nebmerge run as a user runs it, and its merged PostScript and its PDF read
// back through Ghostscript's text extraction: every value on its copy's page,
// at its place (within a point), in its font and size; words wrapped in a
// flowing area; right, centred and justified lines; CMYK colour; EPS pictures
// scaled to fit and trimmed. Also the exit codes and the check report.
#include "MergeRun.h"
#include "merge/check/Check.h"
#include "merge/layout/FontMetrics.h"
#include "merge/output/WritePass.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

using namespace merge_test;

// The two outputs, set alike: the file, its option, and how it writes the
// colour, the clip and the picture of the test's areas.
struct COutputKind {
    const char* pFile;
    const char* pOption;
    const char* pColour;
    const char* pClip;
    const char* pPicture;
};

class BothOutputs : public MergedOutput, public ::testing::WithParamInterface<COutputKind> {
  protected:
    std::string Output() const { return Path(GetParam().pFile); }
    int MergeInto(const std::string& strOptions, std::string& strReport) const {
        return Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --ps '" +
                         Path("master.ps") + "' " + GetParam().pOption + " '" + Output() + "' " +
                         strOptions,
                     strReport);
    }
};

INSTANTIATE_TEST_SUITE_P(
    MergedOutput, BothOutputs,
    ::testing::Values(COutputKind{"merged.ps", "--out", "0.10 0.20 0.30 0.40 setcmykcolor",
                                  "300.00 142.00 100.00 100.00 rectclip", "%%BeginDocument: /"},
                      COutputKind{"merged.pdf", "--pdf", "0.10 0.20 0.30 0.40 k",
                                  "300.00 142.00 100.00 100.00 re W n", " cm /P"}),
    [](const ::testing::TestParamInfo<COutputKind>& info) {
        return std::string(info.param.pOption + 2);
    });

TEST_P(BothOutputs, EveryValueOnItsCopysPageInItsPlaceFontAndSize) {
    std::string strReport;
    ASSERT_EQ(MergeInto("", strReport), 0) << ReadText(Path("stderr.txt"));
    EXPECT_EQ(strReport, "3 copies, 0 problems\n");
    std::vector<CSpan> spans = Spans(Output());
    CFontMetrics metrics;
    const char* const names[] = {"Jane Doe", "John Roe", "Wei Chen"};
    for (int nCopy = 1; nCopy <= 3; ++nCopy) {
        SCOPED_TRACE(names[nCopy - 1]);
        // The master's own text on every page.
        ASSERT_NE(Find(spans, nCopy, "STATIC"), nullptr);
        // Left: at the area's left, one size below its top.
        const CSpan* pName = Find(spans, nCopy, names[nCopy - 1], "Helvetica-Bold");
        ASSERT_NE(pName, nullptr);
        EXPECT_EQ(pName->dSize, 18);
        EXPECT_NEAR(pName->dX0, 72, 1);
        EXPECT_NEAR(pName->dY, 118, 1);
        // The width measured with the metrics is the width set.
        EXPECT_NEAR(pName->dX1 - pName->dX0,
                    metrics.TextWidth("Helvetica-Bold", names[nCopy - 1], 18), 1);
        // Right: ends at the right edge.
        const CSpan* pRight = Find(spans, nCopy, names[nCopy - 1], "Times-Roman");
        ASSERT_NE(pRight, nullptr);
        EXPECT_EQ(pRight->dSize, 12);
        EXPECT_NEAR(pRight->dX1, 272, 1);
        EXPECT_NEAR(pRight->dY, 212, 1);
        // Centre: centred on the area's middle.
        const CSpan* pCenter = Find(spans, nCopy, names[nCopy - 1], "Courier");
        ASSERT_NE(pCenter, nullptr);
        EXPECT_NEAR((pCenter->dX0 + pCenter->dX1) / 2, 172, 1);
        EXPECT_NEAR(pCenter->dY, 260, 1);
        // No copy's value on another copy's page.
        for (int nOther = 1; nOther <= 3; ++nOther) {
            if (nOther != nCopy) {
                EXPECT_EQ(Find(spans, nOther, names[nCopy - 1]), nullptr);
            }
        }
    }
}

TEST_P(BothOutputs, FlowWrapsAtTheRightWordAndJustifies) {
    std::string strReport;
    ASSERT_EQ(MergeInto("--copies 1", strReport), 0);
    std::vector<CSpan> spans = Spans(Output());
    // 150 points of 10-point Times-Roman: the first line ends before "near".
    const CSpan* pFirst = Find(spans, 1, "The quick", "Times-Roman");
    ASSERT_NE(pFirst, nullptr);
    CFontMetrics metrics;
    std::string strLine = "The quick brown fox jumps over the";
    ASSERT_LE(metrics.TextWidth("Times-Roman", strLine, 10), 150);
    ASSERT_GT(metrics.TextWidth("Times-Roman", strLine + " lazy", 10), 150);
    // Justified: the first line runs from edge to edge.
    EXPECT_NEAR(pFirst->dX0, 72, 1);
    EXPECT_NEAR(pFirst->dX1, 222, 1.5);
    EXPECT_NEAR(pFirst->dY, 310, 1);
    // The next line begins with the word that did not fit, one leading below.
    const CSpan* pSecond = Find(spans, 1, "lazy", "Times-Roman");
    ASSERT_NE(pSecond, nullptr);
    EXPECT_NEAR(pSecond->dY, 322, 1);
    // Only the first copy was merged.
    EXPECT_EQ(Find(spans, 2, "STATIC"), nullptr);
}

TEST_P(BothOutputs, ColourAndPicturesScaledToFitAndTrimmed) {
    std::string strReport;
    ASSERT_EQ(MergeInto("--copies 2-2", strReport), 0);
    std::string strMerged = ReadText(Output());
    EXPECT_NE(strMerged.find(GetParam().pColour), std::string::npos);
    EXPECT_NE(strMerged.find(GetParam().pPicture), std::string::npos);
    std::vector<CSpan> spans = Spans(Output());
    // Fit: 200 by 100 into 100 by 100 is half size, centred vertically:
    // the picture's bottom 25 points above the area's.
    const CSpan* pFit = nullptr;
    const CSpan* pTrim = nullptr;
    for (const CSpan& span : spans) {
        if (span.strText == "MARK") {
            (span.dSize < 15 ? pFit : pTrim) = &span;
        }
    }
    ASSERT_NE(pFit, nullptr);
    EXPECT_EQ(pFit->dSize, 10);
    EXPECT_NEAR(pFit->dX0, 300 + 10 * 0.5, 1);
    EXPECT_NEAR(pFit->dY, 500 - 25 - 10 * 0.5, 1);
    // Trim: scaled to fill the height (full size), centred, clipped to the area.
    ASSERT_NE(pTrim, nullptr);
    EXPECT_EQ(pTrim->dSize, 20);
    EXPECT_NEAR(pTrim->dX0, 300 - 50 + 10, 1);
    EXPECT_NEAR(pTrim->dY, 650 - 10, 1);
    EXPECT_NE(strMerged.find(GetParam().pClip), std::string::npos);
}

TEST_F(MergedOutput, TheMasterPageAndASharedPictureAreInTheFileOnce) {
    std::string strReport;
    ASSERT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --ps '" +
                        Path("master.ps") + "' --out '" + Path("merged.ps") + "'",
                    strReport),
              0);
    std::string strMerged = ReadText(Path("merged.ps"));
    // The three copies name one picture, which two areas of each place.
    for (const char* pOnce : {"(STATIC) show", "(MARK) show"}) {
        size_t nFirst = strMerged.find(pOnce);
        ASSERT_NE(nFirst, std::string::npos) << pOnce;
        EXPECT_EQ(strMerged.find(pOnce, nFirst + 1), std::string::npos) << pOnce;
    }
    size_t nDraws = 0;
    for (size_t nAt = 0; (nAt = strMerged.find("NebPicture1 NebDraw", nAt)) != std::string::npos;
         ++nAt) {
        ++nDraws;
    }
    EXPECT_EQ(nDraws, 6u);
    EXPECT_NE(strMerged.find("%%Pages: 3\n"), std::string::npos);
    // A picture that holds the word that ends a stream is placed where it is
    // drawn, each time.
    WriteText(Path("picture.eps"), std::string(Picture) + "% NebEnd\n");
    ASSERT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --out '" +
                        Path("merged.ps") + "'",
                    strReport),
              0);
    strMerged = ReadText(Path("merged.ps"));
    EXPECT_EQ(strMerged.find("NebPicture1"), std::string::npos);
    std::vector<CSpan> spans = Spans(Path("merged.ps"));
    EXPECT_EQ(std::count_if(spans.begin(), spans.end(),
                            [](const CSpan& span) { return span.strText == "MARK"; }),
              6);
}

// A writer that keeps what it is handed; the file named is removed when the
// first unit comes.
struct CRecordingWriter : IPageWriter {
    std::string strRemove;
    size_t nPages = 0;
    std::vector<const CShownUnit*> units;
    std::vector<std::string> pageNames;
    bool Begin(size_t nAll, std::string&) override { return (nPages = nAll) > 0; }
    bool Unit(const CShownUnit& unit, std::string&) override {
        if (units.empty() && !strRemove.empty()) {
            remove(strRemove.c_str());
        }
        units.push_back(&unit);
        for (const CShownPage& page : unit.pages) {
            pageNames.push_back(page.strName + ":" + std::to_string(page.cards[0].values.size()));
        }
        return true;
    }
    bool Finish(std::string&) override { return true; }
};

TEST_F(MergedOutput, EveryWriterIsHandedTheSamePagesInOnePass) {
    CJobOptions options;
    options.strMaster = Path("master.ps");
    CJob job;
    CFontMetrics metrics;
    std::string strError;
    ASSERT_TRUE(LoadJob(Path("job.ddf"), Path("data.txt"), options, job, strError)) << strError;
    FILE* pNull = fopen("/dev/null", "w");
    CReport report(pNull, false, job.strDocDefFile, job.strDataFile);
    ASSERT_TRUE(CheckCopies(job, metrics, report, 1, 3, strError)) << strError;
    fclose(pNull);
    // The data file is gone once the first copy is written: the pass reads
    // on from the one opening it began with.
    CRecordingWriter first;
    first.strRemove = Path("data.txt");
    CRecordingWriter second;
    std::vector<int> progress;
    ASSERT_TRUE(WritePass(
        job, metrics, 2, 3, nullptr, {&first, &second},
        [&](int nDone) { progress.push_back(nDone); }, strError))
        << strError;
    // Copies 2 and 3, each made into its page once (six values) and handed
    // to both writers as it is.
    EXPECT_EQ(first.nPages, 2u);
    EXPECT_EQ(first.pageNames, (std::vector<std::string>{"2.1:6", "3.1:6"}));
    EXPECT_EQ(second.pageNames, first.pageNames);
    EXPECT_EQ(second.units, first.units);
    EXPECT_EQ(progress, (std::vector<int>{1, 2}));
}

TEST_F(MergedOutput, ProblemsExitCodesAndBadInput) {
    // A name too long for its 200-point right-aligned area in copy 2, a
    // missing picture in copy 3.
    WriteText(Path("data.txt"),
              "Jane Doe\tNote\tpicture.eps\r\n"
              "Bartholomew Maximilian Fitzgerald-Worthington\tNote\tpicture.eps\r\n"
              "Wei Chen\tNote\tgone.eps\r\n");
    std::string strReport;
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --check", strReport), 1);
    std::string strData = Path("data.txt");
    EXPECT_NE(strReport.find(strData + ":2: copy 2, field Name, byte 27: text does not fit: runs "),
              std::string::npos)
        << strReport;
    EXPECT_NE(strReport.find(strData +
                             ":3: copy 3, field Photo, byte 105: missing EPS file: "
                             "\"gone.eps\" is not a file in the pictures folder " +
                             strFolder),
              std::string::npos)
        << strReport;
    // The long name runs past each of the three areas it is set in; the
    // picture missing from the two it goes to is one problem.
    EXPECT_NE(strReport.find("\n3 copies, 4 problems (1 missing EPS file, 3 text does not fit)\n"),
              std::string::npos)
        << strReport;

    EXPECT_EQ(
        Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --check --json", strReport), 1);
    EXPECT_NE(strReport.find("{\"copy\": 3, \"field\": \"Photo\", \"kind\": \"missing EPS file\", "
                             "\"line\": 3, \"offset\": 105, "),
              std::string::npos)
        << strReport;

    // A picture without its bounding box.
    WriteText(Path("flat.eps"), "%!PS-Adobe-3.0 EPSF-3.0\n0 0 moveto 10 10 lineto stroke\n");
    WriteText(Path("data.txt"), "Jane Doe\tNote\tflat.eps\r\n");
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --check", strReport), 1);
    EXPECT_EQ(strReport, Path("data.txt") +
                             ":1: copy 1, field Photo, byte 14: EPS without bounding "
                             "box: \"flat.eps\" has no %%BoundingBox\n1 copy, 1 problem (1 EPS "
                             "without bounding box)\n");

    // An area in a font without metrics here: set, not measured, and said so.
    std::string strOptima = ReadText(Path("job.ddf"));
    size_t nFont = strOptima.find("Font Courier");
    strOptima.replace(nFont, 12, "Font Optima");
    WriteText(Path("optima.ddf"), strOptima);
    WriteText(Path("data.txt"), "Jane Doe\tNote\tpicture.eps\r\n");
    EXPECT_EQ(Merge("'" + Path("optima.ddf") + "' '" + Path("data.txt") + "' --check", strReport),
              0);
    EXPECT_EQ(ReadText(Path("stderr.txt")), "nebmerge: area CenterArea: no metrics for the font "
                                            "Optima, its text is not measured\n");

    // A .ddf with an unknown section, named with its line; a missing master.
    std::string strDocDef = ReadText(Path("job.ddf"));
    WriteText(Path("bad.ddf"),
              std::regex_replace(strDocDef, std::regex("\\[AreaDefinition\\]"), "[Areas]"));
    EXPECT_EQ(Merge("'" + Path("bad.ddf") + "' '" + Path("data.txt") + "'", strReport), 2);
    EXPECT_EQ(ReadText(Path("stderr.txt")),
              "nebmerge: " + Path("bad.ddf") + ": line 6: unknown section [Areas]\n");
    WriteText(Path("data.txt"), "Jane Doe\tNote\tpicture.eps\r\n");
    remove(Path("master.ps").c_str());
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "'", strReport), 2);
    EXPECT_NE(ReadText(Path("stderr.txt")).find("cannot read the PostScript master"),
              std::string::npos);
    // A data file shorter than one copy.
    WriteText(Path("master.ps"), Master);
    WriteText(Path("data.txt"), "Jane Doe\tNote");
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "' '" + Path("data.txt") + "' --ps '" +
                        Path("master.ps") + "'",
                    strReport),
              2);
    EXPECT_EQ(ReadText(Path("stderr.txt")),
              "nebmerge: " + Path("data.txt") + ": not one whole copy to merge\n");
    EXPECT_EQ(Merge("'" + Path("job.ddf") + "'", strReport), 2);
}

// Where the text lies in the data: its byte offset and its line.
std::string Place(const std::string& strData, size_t nOffset) {
    return ":" + std::to_string(1 + std::count(strData.begin(), strData.begin() + nOffset, '\n')) +
           ":";
}

TEST_F(MergedOutput, PlantedFaultsAreReportedExactly) {
    WriteText(Path("cards.ddf"),
              "Docdef-Version-1.0\r\n[DataDefinition]\r\n"
              "Name Is Lines Inline Text At 0 Chars For 1\r\n"
              "Street Is Lines Inline Text At 0 Chars For 1\r\n"
              "City Is Lines Inline Text At 0 Chars For 1\r\n"
              "Photo Is Lines Reference EPS At 0 Chars For 1\r\n"
              "DummyNode0 Is Lines Inline Text At 0 Lines For 2\r\n"
              "[AreaDefinition]\r\n"
              "NameArea Is Text Left AsIs Font Helvetica-Bold Size 12 Spacing 14 CMYK 0 0 0 1 On "
              "\"master.ps\" 1 At 72 100 For 150 16 FirstPos -1 -1\r\n"
              "StreetArea Is Text Left Flow Font Times-Roman Size 10 Spacing 12 CMYK 0 0 0 1 On "
              "\"master.ps\" 1 At 72 120 For 200 14 FirstPos -1 -1\r\n"
              "CityArea Is Text Left Flow Font Times-Roman Size 10 Spacing 12 CMYK 0 0 0 1 On "
              "\"master.ps\" 1 At 72 134 For 200 14 FirstPos -1 -1\r\n"
              "PhotoArea Is Graphic ScaleToFit On \"master.ps\" 1 At 300 100 For 100 100\r\n"
              "[DocumentInstructions]\r\nMerge NameArea Name\r\nMerge StreetArea Street\r\n"
              "Merge CityArea City\r\nMerge PhotoArea Photo\r\n"
              "IncludePages \"master.ps\" 1 1 612 792 0\r\n");
    const std::string strLong = "Maximilian Bartholomew Fitzgerald-Worthington";
    std::string strClean;
    std::string strFaulty;
    for (int nCopy = 1; nCopy <= 10; ++nCopy) {
        std::string strNumber = std::to_string(nCopy);
        std::string strName = "Customer " + strNumber;
        std::string strCopy = strName + "\r\n" + strNumber + " Main Street\r\n";
        strClean += strCopy + "Springfield\r\npicture.eps\r\n\r\n";
        strFaulty += (nCopy == 7 ? strLong + "\r\n" + strNumber + " Main Street\r\n" : strCopy) +
                     (nCopy == 3 ? "" : "Springfield\r\n") +
                     (nCopy == 9 ? "missing.eps" : "picture.eps") + "\r\n\r\n";
    }
    WriteText(Path("clean.txt"), strClean);
    WriteText(Path("faulty.txt"), strFaulty);
    std::string strReport;
    EXPECT_EQ(Merge("'" + Path("cards.ddf") + "' '" + Path("clean.txt") + "' --check", strReport),
              0);
    EXPECT_EQ(strReport, "10 copies, 0 problems\n");

    EXPECT_EQ(Merge("'" + Path("cards.ddf") + "' '" + Path("faulty.txt") + "' --check", strReport),
              1);
    // Copy 3's closing blank line came where its picture was due.
    size_t nBlank = strFaulty.find("picture.eps\r\n\r\n", strFaulty.find("Customer 3")) + 13;
    size_t nName = strFaulty.find(strLong);
    size_t nMissing = strFaulty.find("missing.eps");
    const std::string strData = Path("faulty.txt");
    CFontMetrics metrics;
    char szOver[32];
    snprintf(szOver, sizeof szOver, "%.1f", metrics.TextWidth("Helvetica-Bold", strLong, 12) - 150);
    EXPECT_EQ(strReport,
              strData + Place(strFaulty, nBlank) + " copy 3, field Photo, byte " +
                  std::to_string(nBlank) +
                  ": line missing: the copy ends before this field's line\n" + strData +
                  Place(strFaulty, nName) + " copy 7, field Name, byte " + std::to_string(nName) +
                  ": text does not fit: runs " + szOver + " pt past the width of area NameArea\n" +
                  strData + Place(strFaulty, nMissing) + " copy 9, field Photo, byte " +
                  std::to_string(nMissing) +
                  ": missing EPS file: \"missing.eps\" is not a file in the pictures folder " +
                  strFolder +
                  "\n"
                  "10 copies, 3 problems (1 line missing, 1 missing EPS file, 1 text does not "
                  "fit)\n");
}

} // namespace
