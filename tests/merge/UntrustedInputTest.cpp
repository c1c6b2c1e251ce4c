// nebmerge on what customers send: pictures named outside the job, special
// files, jobs whose numbers do not hold together, masters and pictures as
// other programs write them, accented names in three encodings, outputs
// that would overwrite an input or be left half written, and Ghostscript
// kept in its box. Every case ends in a report or an exit code, never a hang,
// an abort or output printed wrong in silence.
#include "MergeRun.h"

#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace merge_test;

class UntrustedInput : public MergedOutput {
  protected:
    // Runs nebmerge on the job and the data with the options; the exit code.
    int Run(const std::string& strOptions, const std::string& strData = "data.txt",
            const std::string& strDocDef = "job.ddf") {
        return Merge("'" + Path(strDocDef) + "' '" + Path(strData) + "' " + strOptions, strReport);
    }
    std::string Stderr() const { return ReadText(Path("stderr.txt")); }
    bool Exists(const std::string& strName) const {
        return access(Path(strName).c_str(), F_OK) == 0;
    }
    // The job with one of its texts replaced.
    void EditJob(const std::string& strName, const std::string& strFrom, const std::string& strTo) {
        std::string strJob = ReadText(Path("job.ddf"));
        strJob.replace(strJob.find(strFrom), strFrom.size(), strTo);
        WriteText(Path(strName), strJob);
    }

    std::string strReport;
};

TEST_F(UntrustedInput, PicturesOutsideTheJobSpecialAndLargeFilesAreProblemsOfTheirCopy) {
    // The pictures folder is pics/; what lies beside it is outside the job.
    WriteText(Path("secret.eps"), Picture);
    ASSERT_EQ(mkdir(Path("pics").c_str(), 0755), 0);
    ASSERT_EQ(mkdir(Path("pics/sub").c_str(), 0755), 0);
    WriteText(Path("pics/sub/inner.eps"), Picture);
    WriteText(Path("pics/big.eps"), std::string(Picture) + std::string(2000, '%'));
    ASSERT_EQ(symlink("../secret.eps", Path("pics/link.eps").c_str()), 0);
    ASSERT_EQ(symlink("/dev/zero", Path("pics/zero.eps").c_str()), 0);
    ASSERT_EQ(mkfifo(Path("pics/fifo.eps").c_str(), 0644), 0);
    const std::string strOutside = "is not a file in the pictures folder " + Path("pics");
    const struct {
        const char* pName;
        std::string strDetail;
    } rows[] = {
        {"/etc/passwd", strOutside},
        {"../secret.eps", strOutside},
        {"link.eps", strOutside}, // a link that leads out
        {"zero.eps", strOutside}, // a link to a device
        {"C:\\secret.eps", strOutside},
        {"sub\\..\\..\\secret.eps", strOutside},
        {"nothere.eps", strOutside},
        {"fifo.eps", "is not a regular file"},
        {"sub", "is not a regular file"},
        {"big.eps", "is " + std::to_string(strlen(Picture) + 2000) +
                        " bytes, over the limit of 2000 (--max-file-bytes)"},
    };
    std::string strData;
    std::vector<size_t> offsets;
    for (const auto& row : rows) {
        offsets.push_back(strData.size() + 10);
        strData += std::string("Jane\tNote\t") + row.pName + "\r\n";
    }
    WriteText(Path("data.txt"), strData + "Jane\tNote\tsub\\inner.eps\r\n");
    const std::string strOptions = "--pictures '" + Path("pics") + "' --max-file-bytes 2000 ";
    EXPECT_EQ(Run(strOptions + "--check"), 1) << Stderr();
    int nCopy = 0;
    for (const auto& row : rows) {
        ++nCopy;
        EXPECT_NE(strReport.find("copy " + std::to_string(nCopy) + ", field Photo, byte " +
                                 std::to_string(offsets[nCopy - 1]) + ": missing EPS file: \"" +
                                 row.pName + "\" " + row.strDetail + "\n"),
                  std::string::npos)
            << row.pName << " in\n"
            << strReport;
    }
    EXPECT_NE(strReport.find("\n11 copies, 10 problems (10 missing EPS file)\n"), std::string::npos)
        << strReport;
    // The merge of a refused picture stops with nothing written; the last
    // copy's picture, named with backslashes inside the folder, is placed.
    EXPECT_EQ(Run(strOptions + "--out '" + Path("merged.ps") + "'"), 2);
    EXPECT_NE(Stderr().find("nebmerge: copy 1, field Photo: \"/etc/passwd\" " + strOutside),
              std::string::npos)
        << Stderr();
    EXPECT_FALSE(Exists("merged.ps"));
    EXPECT_EQ(Run(strOptions + "--copies 11 --out '" + Path("merged.ps") + "'"), 1);
    EXPECT_NE(ReadText(Path("merged.ps")).find("(MARK) show"), std::string::npos);
}

TEST_F(UntrustedInput, JobsThatCannotRunEndInExitTwoWithAMessage) {
    ASSERT_EQ(mkfifo(Path("fifo.txt").c_str(), 0644), 0);
    WriteText(Path("nofields.ddf"), "Docdef-Version-1.0\r\n[DataDefinition]\r\n[AreaDefinition]\r\n"
                                    "[DocumentInstructions]\r\n"
                                    "IncludePages \"master.ps\" 1 1 612 792 0\r\n");
    EditJob("range.ddf", "1 1 612 792 0", "2 2000000000 612 792 0");
    EditJob("last.ddf", "1 1 612 792 0", "1 2147483647 612 792 0");
    EditJob("wide.ddf", "1 1 612 792 0", "1 1 1e300 792 0");
    EditJob("area.ddf", "At 72 100 For 300 30", "At 72 100 For 1e30 30");
    WriteText(Path("data.txt"), "Jane Doe\tNote\tpicture.eps\r\n");
    const std::string strMaster = Path("master.ps") + ": ";
    const struct {
        const char* pDocDef;
        std::string strData;
        std::string strMessage;
    } rows[] = {
        {"job.ddf", strFolder,
         "cannot read the variable data input file " + strFolder + ": not a regular file"},
        {"job.ddf", Path("fifo.txt"),
         "cannot read the variable data input file " + Path("fifo.txt") + ": not a regular file"},
        {"nofields.ddf", Path("data.txt"),
         Path("nofields.ddf") + ": the job defines no data field"},
        {"range.ddf", Path("data.txt"),
         strMaster + "IncludePages 2 2000000000: the PostScript master has pages 1 to 1"},
        {"last.ddf", Path("data.txt"),
         strMaster + "IncludePages 1 2147483647: the PostScript master has pages 1 to 1"},
        {"wide.ddf", Path("data.txt"),
         strMaster + "IncludePages 1 1: a page of 1e+300 by 792 points is not between 1 and "
                     "14400 a side"},
        {"area.ddf", Path("data.txt"),
         Path("area.ddf") + ": area NameArea: its size is out of bounds"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Merge("'" + Path(row.pDocDef) + "' '" + row.strData + "' --check", strReport), 2)
            << row.pDocDef;
        EXPECT_EQ(Stderr(), "nebmerge: " + row.strMessage + "\n");
    }
    // Outputs that are inputs, or one another.
    EXPECT_EQ(Run("--out '" + Path("data.txt") + "'"), 2);
    EXPECT_EQ(Stderr(), "nebmerge: " + Path("data.txt") + ": is an input of the job (" +
                            Path("data.txt") + "); name another output\n");
    EXPECT_EQ(ReadText(Path("data.txt")), "Jane Doe\tNote\tpicture.eps\r\n");
    EXPECT_EQ(Run("--out '" + strFolder + "/./job.ddf'"), 2);
    EXPECT_EQ(Run("--out '" + Path("picture.eps") + "'"), 2);
    EXPECT_EQ(ReadText(Path("picture.eps")), Picture);
    EXPECT_EQ(Run("--out '" + Path("x.ps") + "' --pdf '" + Path("x.ps") + "'"), 2);
    EXPECT_EQ(Stderr(), "nebmerge: " + Path("x.ps") + ": is named for two outputs\n");
    EXPECT_FALSE(Exists("x.ps"));
    for (const char* pOptions :
         {"--copies 0", "--copies 2-1", "--encoding ebcdic", "--max-copy-bytes -5", "--out"}) {
        EXPECT_EQ(Run(pOptions), 2) << pOptions;
    }
}

TEST_F(UntrustedInput, MastersWithInlineImagesNestedDocumentsAndBoundShowpage) {
    // A page that ends through a procedure bound to showpage, draws an image
    // from inline data, and embeds an EPS whose own %%Page: comment must not
    // split the master.
    WriteText(Path("master.ps"),
              "%!PS-Adobe-3.0\n%%Pages: 1\n%%BoundingBox: 0 0 612 792\n%%EndComments\n"
              "%%BeginProlog\n/EndPage { showpage } bind def\n%%EndProlog\n"
              "%%Page: 1 1\ngsave 72 600 translate 40 40 scale 2 2 8 [2 0 0 2 0 0] currentfile "
              "/ASCIIHexDecode filter image\n00FF00FF>\ngrestore\n"
              "save\n%%BeginDocument: inner.eps\n%!PS-Adobe-3.0 EPSF-3.0\n%%Page: 1 1\n"
              "/Helvetica findfont 10 scalefont setfont 72 700 moveto (INNER) show\n"
              "%%EndDocument\nrestore\n"
              "/Helvetica findfont 10 scalefont setfont 72 60 moveto (STATIC) show\nEndPage\n"
              "%%Trailer\n%%EOF\n");
    WriteText(Path("data.txt"), "Jane Doe\tNote\tpicture.eps\r\nJohn Roe\tNote\tpicture.eps\r\n");
    ASSERT_EQ(Run("--out '" + Path("merged.ps") + "'"), 0) << Stderr();
    std::vector<CSpan> spans = Spans(Path("merged.ps"));
    int nPages = 0;
    for (const CSpan& span : spans) {
        nPages = std::max(nPages, span.nPage);
    }
    EXPECT_EQ(nPages, 2); // one page a copy, no blank page after each
    for (int nPage = 1; nPage <= 2; ++nPage) {
        EXPECT_NE(Find(spans, nPage, "STATIC"), nullptr) << nPage;
        EXPECT_NE(Find(spans, nPage, "INNER"), nullptr) << nPage;
        EXPECT_NE(Find(spans, nPage, nPage == 1 ? "Jane Doe" : "John Roe", "Helvetica-Bold"),
                  nullptr)
            << nPage;
    }
    // The image's data came through whole: black on its left half, white on
    // its right, on the first copy's page at 72 dpi.
    ASSERT_EQ(std::system(("gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pgmraw -r72 -dLastPage=1 "
                           "-o '" +
                           Path("page.pgm") + "' '" + Path("merged.ps") + "'")
                              .c_str()),
              0);
    std::string strImage = ReadText(Path("page.pgm"));
    const size_t nPixels = 612 * 792;
    ASSERT_GE(strImage.size(), nPixels);
    auto Pixel = [&](int nX, int nY) {
        return static_cast<int>(static_cast<unsigned char>(
            strImage[strImage.size() - nPixels + static_cast<size_t>(612 * (792 - nY) + nX)]));
    };
    EXPECT_EQ(Pixel(82, 610), 0);
    EXPECT_EQ(Pixel(102, 610), 255);
}

TEST_F(UntrustedInput, PicturesWithABinaryPreviewHeaderArePlacedThroughTheirPostScript) {
    std::string strPostScript = Picture;
    std::string strEps = "\xC5\xD0\xD3\xC6";
    auto Word = [&](uint32_t n) {
        for (int i = 0; i < 4; ++i) {
            strEps += static_cast<char>((n >> (8 * i)) & 0xFF);
        }
    };
    Word(30);
    Word(static_cast<uint32_t>(strPostScript.size()));
    Word(0);
    Word(0);
    Word(static_cast<uint32_t>(30 + strPostScript.size()));
    Word(8);
    strEps += "\xFF\xFF" + strPostScript + "II*\x00TIFF";
    WriteText(Path("preview.eps"), strEps);
    WriteText(Path("data.txt"), "Jane Doe\tNote\tpreview.eps\r\n");
    ASSERT_EQ(Run("--out '" + Path("merged.ps") + "'"), 0) << strReport << Stderr();
    std::string strMerged = ReadText(Path("merged.ps"));
    EXPECT_EQ(strMerged.find("\xC5\xD0\xD3\xC6"), std::string::npos);
    EXPECT_EQ(strMerged.find("TIFF"), std::string::npos);
    int nMarks = 0;
    for (const CSpan& span : Spans(Path("merged.ps"))) {
        nMarks += span.strText == "MARK" ? 1 : 0;
    }
    EXPECT_EQ(nMarks, 2); // fitted and trimmed
    // A header that places the PostScript past the file's end.
    strEps[4] = '\x7F';
    WriteText(Path("preview.eps"), strEps);
    EXPECT_EQ(Run("--check"), 1);
    EXPECT_NE(strReport.find("EPS without bounding box: \"preview.eps\": its preview header "
                             "places the PostScript outside the file"),
              std::string::npos)
        << strReport;
}

TEST_F(UntrustedInput, AccentedNamesComeBackExactlyFromThePdfOrAreReported) {
    const struct {
        const char* pEncoding;
        std::string strName;  // as the data file holds it
        std::string strShown; // as the PDF's text gives it back (UTF-8); empty: reported
        std::string strProblem;
    } rows[] = {
        {"", "Jos\xE9 M\xFCller", "Jos\xC3\xA9 M\xC3\xBCller", ""},
        {"iso-8859-1", "Zo\xEB \xD8rsted", "Zo\xC3\xAB \xC3\x98rsted", ""},
        {"utf-8",
         "\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         "\xC5\x81\xC3\xB3"
         "d\xC5\xBA",
         ""},
        {"utf-8", "Zo\xC3\xAB \xC3\x98rsted", "Zo\xC3\xAB \xC3\x98rsted", ""},
        // Łódź in Windows-1252 cannot occur: those bytes are other letters.
        {"",
         "\x81"
         "bc",
         "", "a byte that is no character in Windows-1252"},
        {"iso-8859-1",
         "A\x85"
         "B",
         "", "a byte that is no character in ISO-8859-1"},
        {"utf-8", "Jos\xE9", "", "a byte that is no character in UTF-8"},
        {"utf-8", "\xE4\xB8\xAD", "",
         "U+4E2D (uni4E2D) cannot be shown in the font Helvetica-Bold of area NameArea"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.strName);
        WriteText(Path("data.txt"), row.strName + "\tNote\tpicture.eps\r\n");
        std::string strOptions = std::string(*row.pEncoding ? "--encoding " : "") + row.pEncoding +
                                 " --out '" + Path("merged.ps") + "' --pdf '" + Path("merged.pdf") +
                                 "'";
        if (!row.strShown.empty()) {
            ASSERT_EQ(Run(strOptions), 0) << strReport << Stderr();
            EXPECT_EQ(PageText(Path("merged.pdf"), 1).find(row.strShown + "\n"), 0u);
        } else {
            EXPECT_EQ(Run(strOptions), 1);
            EXPECT_EQ(strReport, Path("data.txt") +
                                     ":1: copy 1, field Name, byte 0: character cannot be set: " +
                                     row.strProblem +
                                     "\n1 copy, 1 problem (1 character cannot be set)\n");
        }
    }
}

TEST_F(UntrustedInput, OutputsAreWrittenWholeOrNotAtAllAndGhostscriptStaysInItsBox) {
    WriteText(Path("data.txt"), "Jane Doe\tNote\tpicture.eps\r\n");
    // The default output is named after the .ddf, whatever dots its folder
    // has and whether or not it has an extension.
    ASSERT_EQ(mkdir(Path("a.b").c_str(), 0755), 0);
    for (const char* pName : {"master.ps", "picture.eps", "data.txt"}) {
        WriteText(Path(std::string("a.b/") + pName), ReadText(Path(pName)));
    }
    WriteText(Path("a.b/job"), ReadText(Path("job.ddf")));
    EXPECT_EQ(Run("", "a.b/data.txt", "a.b/job"), 0) << Stderr();
    EXPECT_TRUE(Exists("a.b/job-merged.ps"));
    // A file size limit stands in for a full disk: nothing under the final
    // name, no temporary file left.
    std::string strCommand = "trap '' XFSZ; ulimit -f 1; " + std::string(getenv("NEB_NEBMERGE")) +
                             " '" + Path("job.ddf") + "' '" + Path("data.txt") + "' --out '" +
                             Path("merged.ps") + "' 2> '" + Path("stderr.txt") + "' > /dev/null";
    int nStatus = std::system(("bash -c \"" + strCommand + "\"").c_str());
    EXPECT_EQ(WEXITSTATUS(nStatus), 2);
    EXPECT_EQ(Stderr().find("nebmerge: " + Path("merged.ps") + ": cannot be written"), 0u)
        << Stderr();
    EXPECT_FALSE(Exists("merged.ps"));
    EXPECT_EQ(std::system(("ls -A '" + strFolder + "' | grep -q nebmerge-").c_str()), 256);
    // Output names that Ghostscript would take for a pipe or a page pattern.
    EXPECT_EQ(Run("--out '" + Path("m.ps") + "' --pdf '" + Path("%pipe%touch pwned") + "'"), 0);
    EXPECT_TRUE(Exists("%pipe%touch pwned"));
    EXPECT_FALSE(Exists("pwned"));
    EXPECT_EQ(Run("--out '" + Path("m.ps") + "' --pdf '" + Path("card%d.pdf") + "'"), 0);
    EXPECT_TRUE(Exists("card%d.pdf"));
    // An EPS that reads and writes files beside the job: Ghostscript refuses.
    WriteText(Path("secret.txt"), "SECRET\n");
    WriteText(Path("evil.eps"), "%!PS-Adobe-3.0 EPSF-3.0\n%%BoundingBox: 0 0 200 100\n"
                                "/Helvetica findfont 10 scalefont setfont 10 10 moveto\n(" +
                                    Path("secret.txt") +
                                    ") (r) file 100 string readline pop show\n(" +
                                    Path("written.txt") + ") (w) file (x) writestring\n");
    WriteText(Path("data.txt"), "Jane Doe\tNote\tevil.eps\r\n");
    EXPECT_EQ(Run("--out '" + Path("m.ps") + "' --pdf '" + Path("m.pdf") + "'"), 2);
    EXPECT_NE(Stderr().find("nebmerge: Ghostscript could not render the master's pages and the "
                            "pictures (the copies' shared forms)\n"),
              std::string::npos);
    EXPECT_FALSE(Exists("written.txt"));
    EXPECT_FALSE(Exists("m.pdf"));
    // --json stays valid UTF-8 for a Windows-1252 file name.
    WriteText(Path("dat\xE9.txt"), "Jane Doe\tNote\tpicture.eps\r\n");
    EXPECT_EQ(Run("--check --json", "dat\xE9.txt"), 0);
    EXPECT_NE(strReport.find("dat\xC3\xA9.txt\""), std::string::npos) << strReport;
}

TEST_F(UntrustedInput, ACopyPastTheSizeLimitEndsTheCutting) {
    const std::string strCopy = "Jane Doe\tNote\tpicture.eps\r\n";
    const std::string strTooLarge =
        ":2: copy 2, field Name, byte 27: copy too large: the copy runs "
        "past 4096 bytes (--max-copy-bytes)\n1 copy, 1 problem (1 copy "
        "too large)\n";
    // A long line, and blank lines longer than a copy before the next one;
    // blank lines after the last copy are no copy, however many.
    const std::pair<std::string, std::string> rows[] = {
        {strCopy + std::string(5000, 'x') + "\tNote\tpicture.eps\r\n", strTooLarge},
        {strCopy + std::string(200000, '\n') + strCopy, strTooLarge},
        {strCopy + std::string(200000, '\n'), "1 copy, 0 problems\n"},
    };
    for (const auto& row : rows) {
        WriteText(Path("data.txt"), row.first);
        bool bProblem = row.second[0] == ':';
        EXPECT_EQ(Run("--check --max-copy-bytes 4096"), bProblem ? 1 : 0);
        EXPECT_EQ(strReport, (bProblem ? Path("data.txt") : "") + row.second);
    }
}

} // namespace
