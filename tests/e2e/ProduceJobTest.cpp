// Command 3 through the stand-in host: the job files, the requests of the
// print, and every way the job can stop.
#include "PluginFixture.h"
#include "host/UiDriver.h"
#include "tests/PhotoCardJob.h"
#include "tests/TestFiles.h"

#include <functional>
#include <string>
#include <vector>

namespace {

CPrivateString Nebv(int32_t nIndex, const std::string& strValue) {
    return {"NEB ", "VDAT", nIndex, strValue, false};
}

CHostObject Placeholder(int32_t nId, int16_t nNumber, int32_t nLeft, int32_t nTop, int32_t nRight,
                        int32_t nBottom, const std::string& strArea, const std::string& strField) {
    CHostObject object = HostObject(
        nId, nNumber, 11,
        {Nebv(1, strArea.substr(0, strArea.find(' '))), Nebv(100, strArea), Nebv(101, strField)});
    object.anBounds[0] = nLeft;
    object.anBounds[1] = nTop;
    object.anBounds[2] = nRight;
    object.anBounds[3] = nBottom;
    return object;
}

class ProduceJob : public PluginTest {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        strSample = files.Write("job-sample.txt", PhotoCardJob::CopyText());
        strDocDef = CTestFiles::FullPath("card.ddf");
        CharLowerA(&strDocDef[0]);
        files.Write("card.ddf", "");
        DeleteFileA(strDocDef.c_str());
        CPublication& pub = host.Publication();
        pub.strPath = CTestFiles::FullPath("Card.PUB");
        pub.strings = {Nebv(2, strSample),
                       Nebv(4, "0"),
                       Nebv(5, "37"),
                       Nebv(1000, "Name 0 0 0 1 0 0 10 10 1 CRLF 12 "),
                       Nebv(1001, "Street 0 0 0 1 0 12 23 11 1 CRLF photo1.eps "),
                       Nebv(1002, "Photo 0 0 1 0 1 25 35 10 1 CRLF NULL ")};
        pub.pages.resize(1);
        pub.pages[0].objects = {
            Placeholder(11, 1, 1440, 2000, 5440, 2280,
                        "NameArea Is Text Left Flow Font Helvetica Size 10 Spacing 12 CMYK 0 0 "
                        "0 1 On \"old.ps\" 7 At 0 0 For 1 1 FirstPos -1 -1",
                        "Name"),
            HostObject(12, 2, 1, {Nebv(100, "Text Is Not A Placeholder")}),
            Placeholder(13, 3, 6000, 1440, 8880, 4320,
                        "PhotoArea Is Graphic ScaleToFit On \"\" 1 At 0 0 For 1 1", "Photo")};
        // The host reads the publication from its file, as pubhost does.
        std::string strFile = files.Write("job.pub.json", "");
        std::string strError;
        ASSERT_TRUE(SavePublication(strFile, pub, strError)) << strError;
        ASSERT_TRUE(LoadPublication(strFile, pub, strError)) << strError;
    }

    void TearDown() override {
        DeleteFileA(strDocDef.c_str());
        DeleteFileA("card.ps");
        PluginTest::TearDown();
    }

    // Start-up, command 3 with the Job Files dialog answered and then the
    // message boxes it shows answered in order, shut-down.
    void RunJob(CUiDriver& driver, const ControlTexts& texts, int nButton = IDOK,
                const std::vector<int>& messageButtons = {}) {
        ASSERT_EQ(Call(SelStartup), StatusOk);
        driver.FillDialog(texts, nButton);
        for (int nMessageButton : messageButtons) {
            driver.PressOnMessageBox(nMessageButton);
        }
        driver.Start();
        nStatus = Call(SelCommand, 3);
        EXPECT_TRUE(driver.Finish()) << driver.Error();
        EXPECT_EQ(Call(SelShutdown), StatusOk);
    }

    // On a host of its own with the fixture's publication, prepared by the
    // caller: start-up, command 3 with the Job Files dialog answered with the
    // PostScript path and the message boxes then answered in order. The
    // windows seen are returned; the caller shuts the plug-in down.
    std::vector<CSeenWindow> RunOn(CStandInHost& runHost,
                                   const std::function<void(CStandInHost&)>& prepare,
                                   const std::string& strPostScript,
                                   const std::vector<int>& messageButtons) {
        runHost.Publication() = host.Publication();
        prepare(runHost);
        EXPECT_EQ(runHost.Call(plugin.Entry(), SelStartup), StatusOk);
        CUiDriver driver;
        driver.FillDialog({{1118, strPostScript}}, IDOK);
        for (int nButton : messageButtons) {
            driver.PressOnMessageBox(nButton);
        }
        driver.Start();
        EXPECT_EQ(runHost.Call(plugin.Entry(), SelCommand, 3), StatusOk);
        EXPECT_TRUE(driver.Finish()) << driver.Error();
        return driver.Seen();
    }

    std::vector<uint16_t> Codes() const {
        std::vector<uint16_t> codes;
        for (const CLoggedRequest& entry : host.Log().Entries()) {
            codes.push_back(entry.Code());
        }
        return codes;
    }

    CTestFiles files;
    std::string strSample;
    std::string strDocDef;
    uint16_t nStatus = 0;
};

TEST_F(ProduceJob, PhotoCardJobThroughCommand3) {
    CUiDriver driver;
    RunJob(driver, {{1118, "card.ps"}});
    EXPECT_EQ(nStatus, StatusOk);
    ASSERT_EQ(driver.Seen().size(), 1u);
    EXPECT_EQ(driver.Seen()[0].strCaption, "NEB Variable Data");
    EXPECT_EQ(driver.Seen()[0].EditText(1117), strDocDef) << "the paths offered";
    EXPECT_EQ(driver.Seen()[0].buttons, (std::vector<int>{1, 2, 1036}));
    EXPECT_EQ(CTestFiles::Read(strDocDef), CTestFiles::WithCrLf(PhotoCardJob::DocDefText()));
    std::string strPostScript = CTestFiles::Read("card.ps");
    EXPECT_EQ(strPostScript.substr(0, 15), "%!PS-Adobe-3.0\n");

    // The print, request by request.
    std::vector<uint16_t> codes = Codes();
    auto first = std::find(codes.begin(), codes.end(), 3523);
    ASSERT_NE(first, codes.end());
    std::vector<uint16_t> print(first, first + 12);
    EXPECT_EQ(print, (std::vector<uint16_t>{3523, 3525, 923, 3518, 924, 3521, 927, 3522, 935, 3522,
                                            3507, 16}));
    CLoggedRequest toFile = host.Log().WithCode(16)[0];
    std::vector<uint8_t> expected = {0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF, 'c',
                                     'a',  'r',  'd',  '.',  'p',  's',  0};
    for (char c : std::string("PostScript Printer")) {
        expected.push_back(static_cast<uint8_t>(c));
    }
    expected.push_back(0);
    expected.push_back(0);
    EXPECT_EQ(toFile.input, expected);
    EXPECT_TRUE(host.Log().WithCode(902).size() == 2u) << "the text object is never selected";
}

// One line per request of the log: the code, then what tells this request
// from others of its code (the page turned to, the object selected, the
// string asked for, the view setting sent), and a status other than 0.
std::vector<std::string> Trace(const CRequestLog& log) {
    std::vector<std::string> trace;
    for (const CLoggedRequest& entry : log.Entries()) {
        std::string strLine = std::to_string(entry.Code());
        CReplyReader reader(entry.input.data(), entry.input.size());
        switch (entry.Code()) {
        case 301:
            strLine += " page " + std::to_string(static_cast<int32_t>(entry.block.input));
            break;
        case 902:
            reader.Get16();
            strLine += " object " + std::to_string(reader.Get32());
            break;
        case 4900: {
            std::string strText = entry.InputText();
            strLine += " " + strText.substr(strText.find("classobject, ") + 13);
            break;
        }
        case 13: {
            int16_t nPrevious = reader.Get16();
            strLine +=
                " from " + std::to_string(nPrevious) + " to " + std::to_string(reader.Get16());
            break;
        }
        default:
            break;
        }
        if (entry.status != 0) {
            strLine += " failed";
        }
        trace.push_back(strLine);
    }
    return trace;
}

TEST_F(ProduceJob, EveryRequestOfTheJobInItsOrder) {
    CPublication& pub = host.Publication();
    pub.pages.resize(2);
    pub.nCurrentPage = 2;
    pub.nViewSetting = 3;
    ASSERT_EQ(Call(SelStartup), StatusOk);
    host.Log().Clear();
    CUiDriver driver;
    driver.FillDialog({{1118, "card.ps"}}, IDOK);
    driver.Start();
    EXPECT_EQ(Call(SelCommand, 3), StatusOk);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    // clang-format off
    const std::vector<std::string> expected = {
        "3513",                                                 // the job file names
        "3523", "3525", "923", "3518", "924", "3521", "927",    // the print
        "3522", "935", "3522", "3507", "16",
        "3502", "3506", "3507", "3522",                         // page, count, sizes
        "3504", "13 from 3 to 0",                               // view setting for the walk
        "301 page 1", "3400",                                   // page 1 and its objects
        "902 object 1", "3818",                                 // the first placeholder:
        "4900 100, 11", "4900 101, 11", "4900 102, 11 failed",  // its run counted,
        "4900 102, 11 failed",                                  // its end asked again,
        "4900 100, 11", "4900 101, 11",                         // then read;
        "3505", "3507",                                         // its page
        "902 object 3", "3818",                                 // the second placeholder
        "4900 100, 13", "4900 101, 13", "4900 102, 13 failed",
        "4900 102, 13 failed",
        "4900 100, 13", "4900 101, 13",
        "3505", "3507",
        "301 page -5", "3400",                                  // page 2, no objects
        "301 page -5 failed",                                   // no page 3
        "301 page 2", "3504", "13 from 0 to 3"};                // page and view restored
    // clang-format on
    EXPECT_EQ(Trace(host.Log()), expected);
    EXPECT_EQ(pub.nCurrentPage, 2) << "the current page is restored";
    EXPECT_EQ(pub.nViewSetting, 3) << "the view setting is restored";
    Call(SelShutdown);
}

TEST_F(ProduceJob, EmptiedPostScriptPathSkipsThePrint) {
    CUiDriver driver;
    RunJob(driver, {{1118, ""}});
    EXPECT_TRUE(host.Log().WithCode(16).empty());
    EXPECT_TRUE(host.Log().WithCode(3523).empty());
    std::string strBytes = CTestFiles::Read(strDocDef);
    EXPECT_NE(strBytes.find("IncludePages \"\" 1 1 612 792 0\r\n"), std::string::npos) << strBytes;
}

TEST_F(ProduceJob, EmptiedDocDefPathOnlyPrints) {
    CUiDriver driver;
    RunJob(driver, {{1117, ""}, {1118, "card.ps"}});
    EXPECT_EQ(host.Log().WithCode(16).size(), 1u);
    EXPECT_TRUE(host.Log().WithCode(3400).empty());
    EXPECT_EQ(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProduceJob, CancelledDialogDoesNothing) {
    CUiDriver driver;
    RunJob(driver, {}, IDCANCEL);
    EXPECT_EQ(nStatus, StatusOk);
    EXPECT_TRUE(host.Log().WithCode(16).empty());
    EXPECT_TRUE(host.Log().WithCode(3400).empty());
}

TEST_F(ProduceJob, ObjectsOnlyOnPageTwoOfThree) {
    CPublication& pub = host.Publication();
    pub.pages.resize(3);
    pub.pages[1].objects = pub.pages[0].objects;
    pub.pages[0].objects.clear();
    CUiDriver driver;
    RunJob(driver, {{1118, ""}});
    std::string strBytes = CTestFiles::Read(strDocDef);
    EXPECT_NE(strBytes.find("On \"\" 2 At 72 100"), std::string::npos) << strBytes;
    EXPECT_NE(
        strBytes.find("[DocumentInstructions]\r\nIncludePages \"\" 1 1 612 792 0\r\n"
                      "Merge NameArea Name\r\nMerge PhotoArea Photo\r\n"
                      "IncludePages \"\" 2 2 612 792 0\r\nIncludePages \"\" 3 3 612 792 0\r\n"),
        std::string::npos)
        << strBytes;
    EXPECT_EQ(pub.nCurrentPage, 1) << "the current page is restored";
}

TEST_F(ProduceJob, SmallerPageIsCentredOnThePaper) {
    host.Publication().nPageWidth = 576 * 20;
    host.Publication().nPageHeight = 720 * 20;
    CUiDriver driver;
    RunJob(driver, {{1118, ""}});
    std::string strBytes = CTestFiles::Read(strDocDef);
    EXPECT_NE(strBytes.find("At 90 136 For 200 14"), std::string::npos) << strBytes;
    EXPECT_NE(strBytes.find("At 318 108 For 144 144"), std::string::npos);
}

struct CFailureCase {
    const char* pName;
    void (*prepare)(CStandInHost& host);
    std::vector<int> buttons; // the message boxes answered, in order
    const char* pFirstText;
    bool bPrinted;
    bool bDocDef;
};

TEST_F(ProduceJob, PrintFailuresShowTheirMessageAndTheJobGoesOn) {
    const CFailureCase cases[] = {
        {"not PostScript",
         [](CStandInHost& h) { h.Publication().printer.bPostScript = false; },
         {IDOK},
         "ZTM5034: The default printer is not PostScript compatible.",
         false,
         true},
        {"no default printer",
         [](CStandInHost& h) { h.Publication().printer.bPresent = false; },
         {IDOK},
         "ZTM5036: Cannot identify the default printer to print",
         false,
         true},
        // A request of the print that the host fails: the user is told that
        // the job's PostScript was not written (before, the job went on
        // silently without it).
        {"923 failed",
         [](CStandInHost& h) { h.FailRequest(923); },
         {IDOK},
         "ZTM5040: Could not output variable data job to\n",
         false,
         true},
        {"3518 failed",
         [](CStandInHost& h) { h.FailRequest(3518); },
         {IDOK},
         "ZTM5040: Could not output variable data job to\n",
         false,
         true},
        {"924 failed",
         [](CStandInHost& h) { h.FailRequest(924); },
         {IDOK},
         "ZTM5040: Could not output variable data job to\n",
         false,
         true},
        {"927 failed",
         [](CStandInHost& h) { h.FailRequest(927); },
         {IDOK},
         "ZTM5040: Could not output variable data job to\n",
         false,
         true},
        {"935 failed",
         [](CStandInHost& h) { h.FailRequest(935); },
         {IDOK},
         "ZTM5040: Could not output variable data job to\n",
         false,
         true},
        {"16 failed",
         [](CStandInHost& h) { h.FailRequest(16); },
         {IDOK},
         "ZTM5040: Could not output variable data job to\n",
         true,
         true},
        {"page larger, cancelled",
         [](CStandInHost& h) { h.Publication().nPageHeight = 20000; },
         {IDCANCEL},
         "ZTM5042: NEB Variable Data requires you to print your",
         false,
         true},
        {"page larger, printed anyway",
         [](CStandInHost& h) { h.Publication().nPageHeight = 20000; },
         {IDOK},
         "ZTM5042: NEB Variable Data requires you to print your",
         true,
         true},
    };
    for (const CFailureCase& c : cases) {
        SCOPED_TRACE(c.pName);
        CStandInHost runHost;
        std::vector<CSeenWindow> seen = RunOn(runHost, c.prepare, "card.ps", c.buttons);
        ASSERT_GE(seen.size(), 2u);
        EXPECT_EQ(seen[1].strText.substr(0, strlen(c.pFirstText)), c.pFirstText);
        EXPECT_EQ(seen[1].strCaption, "NEB Variable Data");
        EXPECT_EQ(runHost.Log().WithCode(16).size(), c.bPrinted ? 1u : 0u);
        EXPECT_NE(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES);
        runHost.Call(plugin.Entry(), SelShutdown);
        DeleteFileA(strDocDef.c_str());
    }
}

// The paper record the plug-in sent back with request 935.
CPaperRecord SentPaper(const CStandInHost& host) {
    std::vector<CLoggedRequest> sent = host.Log().WithCode(935);
    CPaperRecord paper;
    if (!sent.empty()) {
        CReplyReader reader(sent[0].input.data(), sent[0].input.size());
        ReadPaper(reader, paper);
    }
    return paper;
}

TEST_F(ProduceJob, WideOrientationTurnsThePaper) {
    struct {
        const char* pName;
        bool bWide;
        const char* pSent;
    } const cases[] = {
        {"Letter", true, "Letter.Transverse"},
        {"A4.Transverse", true, "A4"},
        {"Letter", false, "Letter"},
        {"Custom", true, "Custom"},
        {"A-Paper-Name-Of-Exactly-Forty-Characters", true,
         "A-Paper-Name-Of-Exactly-Forty-Characters"}, // would not fit 49 characters turned
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        CStandInHost runHost;
        runHost.Publication() = host.Publication();
        runHost.Publication().paper.strName = c.pName;
        // A square page fits the paper either way round: no page-size question.
        runHost.Publication().nPageWidth = 12240;
        runHost.Publication().nPageHeight = 12240;
        runHost.Publication().printOptions.anTrailing[5] = c.bWide ? 1 : 0;
        runHost.Publication().printOptions.anLeading[2] = 9;
        runHost.Publication().printOptions.anTrailing[2] = 7;
        ASSERT_EQ(runHost.Call(plugin.Entry(), SelStartup), StatusOk);
        CUiDriver driver;
        driver.FillDialog({{1118, "card.ps"}}, IDOK);
        driver.Start();
        EXPECT_EQ(runHost.Call(plugin.Entry(), SelCommand, 3), StatusOk);
        ASSERT_TRUE(driver.Finish()) << driver.Error();
        CPaperRecord paper = SentPaper(runHost);
        EXPECT_EQ(paper.strName, c.pSent);
        bool bSwapped = std::string(c.pName) == "Custom" && c.bWide;
        EXPECT_EQ(paper.Height(), bSwapped ? 12240 : 15840);
        EXPECT_EQ(paper.Width(), bSwapped ? 15840 : 12240);
        EXPECT_EQ(paper.anLastGroup[1], 1000);
        // The print options as sent back: the changed values and the others kept.
        std::vector<CLoggedRequest> sentOptions = runHost.Log().WithCode(924);
        ASSERT_EQ(sentOptions.size(), 1u);
        CReplyReader reader(sentOptions[0].input.data(), sentOptions[0].input.size());
        CPrintOptions options;
        ASSERT_TRUE(ReadPrintOptions(reader, options));
        EXPECT_EQ(options.anLeading[0], 1);
        EXPECT_EQ(options.anLeading[2], 0);
        EXPECT_EQ(options.anTrailing[0], 1);
        EXPECT_EQ(options.anTrailing[2], 7);
        EXPECT_EQ(options.anTrailing[5], 0);
        EXPECT_EQ(runHost.Log().WithCode(927)[0].input[14], 1) << "eighth value set to 1";
        runHost.Call(plugin.Entry(), SelShutdown);
    }
}

TEST_F(ProduceJob, FiftyFourPointsAddedWhenTheSecondOptionIsSet) {
    host.Publication().anPrintOptions2[1] = 1;
    CUiDriver driver;
    RunJob(driver, {{1118, "card.ps"}}, IDOK, {IDCANCEL});
    EXPECT_EQ(nStatus, StatusOk);
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[1].strText.substr(0, 8), "ZTM5042:")
        << "a Letter page and 54 points no longer fit Letter paper";
    EXPECT_TRUE(host.Log().WithCode(16).empty());
}

TEST_F(ProduceJob, NoNamedObjectsShowsZtm5038AndWritesNothing) {
    host.Publication().pages[0].objects.resize(2); // only a placeholder-less text is left
    host.Publication().pages[0].objects.erase(host.Publication().pages[0].objects.begin());
    CUiDriver driver;
    RunJob(driver, {{1118, ""}}, IDOK, {IDOK});
    EXPECT_EQ(nStatus, StatusOk);
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5038: This publication does not contain any valid\nNEB Variable Data objects.");
    EXPECT_EQ(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(ProduceJob, NamedObjectWithoutItsFieldStopsTheJob) {
    host.Publication().strings.pop_back(); // Photo is no longer a data field
    CUiDriver driver;
    RunJob(driver, {{1118, ""}}, IDOK, {IDOK});
    EXPECT_EQ(nStatus, StatusOk);
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5015: The named object PhotoArea does not\nhave a valid data field associated "
              "with it.\nSpecify a data field name.");
    EXPECT_EQ(driver.Seen()[1].strIcon, "exclamation");
    EXPECT_EQ(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES);
}

// Two different objects of one name (a placeholder copied with its strings,
// a publication edited by hand) would give one area and two Merge lines on
// it: the job stops with ZTM5049 naming both pages and writes nothing.
TEST_F(ProduceJob, TwoObjectsOfOneNameStopTheJob) {
    const CHostObject copied = Placeholder(
        14, 4, 1440, 5000, 5440, 5280,
        "NameArea Is Text Left Flow Font Helvetica Size 10 Spacing 12 CMYK 0 0 0 1 On \"\" 1 At "
        "0 0 For 1 1 FirstPos -1 -1",
        "Name");
    const struct {
        size_t nPage; // where the copy lies (from 0)
        const char* pPages;
    } rows[] = {{1, "one on page 1 and one on page 2"}, {0, "one on page 1 and one on page 1"}};
    for (const auto& row : rows) {
        CStandInHost runHost;
        std::vector<CSeenWindow> seen =
            RunOn(runHost,
                  [&](CStandInHost& prepared) {
                      prepared.Publication().pages.resize(2);
                      prepared.Publication().pages[row.nPage].objects.push_back(copied);
                  },
                  "", {IDOK});
        ASSERT_EQ(seen.size(), 2u) << row.pPages;
        EXPECT_EQ(seen[1].strText,
                  std::string("ZTM5049: Two named objects are called NameArea,\n") + row.pPages +
                      ".\nGive each named object a name of its own.");
        EXPECT_EQ(seen[1].strIcon, "exclamation");
        EXPECT_EQ(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES) << row.pPages;
        runHost.Call(plugin.Entry(), SelShutdown);
    }
}

TEST_F(ProduceJob, DamagedPlaceholderStopsTheJobNamedByItsNameString) {
    // After a good placeholder, one whose stored area does not read: the data
    // field of the one before must not let it through without a name.
    CHostObject damaged = Placeholder(14, 4, 1440, 1440, 2880, 2880, "Broken Was Text", "Name");
    damaged.strings[0].strValue = "Broken";
    host.Publication().pages[0].objects.push_back(damaged);
    CUiDriver driver;
    RunJob(driver, {{1118, ""}}, IDOK, {IDOK});
    EXPECT_EQ(nStatus, StatusOk);
    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[1].strText,
              "ZTM5015: The named object Broken does not\nhave a valid data field associated "
              "with it.\nSpecify a data field name.");
    EXPECT_EQ(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES)
        << "no document definition with a nameless area";
}

// The host fails a request of the page walk whose failure would make the job
// read one object or page as another, or lose a placeholder's strings: the
// job stops with ZTM5048 and writes no document definition (before, it went
// on silently and wrote a wrong one).
TEST_F(ProduceJob, PageWalkTheHostFailsStopsTheJobAndTellsTheUser) {
    host.Publication().pages.resize(2);
    // The request of a normal job that reads the second string of the first
    // placeholder for the first time.
    size_t nStringRead = 0;
    {
        CStandInHost probe;
        RunOn(probe, [](CStandInHost&) {}, "", {});
        const std::vector<CLoggedRequest>& log = probe.Log().Entries();
        for (size_t i = 0; i < log.size() && nStringRead == 0; ++i) {
            if (log[i].InputText().find("classobject, 101, 11") != std::string::npos) {
                nStringRead = i + 1;
            }
        }
        probe.Call(plugin.Entry(), SelShutdown);
        ASSERT_NE(nStringRead, 0u);
        DeleteFileA(strDocDef.c_str());
    }
    struct {
        const char* pName;
        std::function<void(CStandInHost&)> prepare;
    } const cases[] = {
        {"the object is not selected", [](CStandInHost& h) { h.FailRequest(902); }},
        {"no turn to page 1", [](CStandInHost& h) { h.FailRequest(301); }},
        {"no turn to page 2", [](CStandInHost& h) { h.FailRequestAfter(301, 1); }},
        {"a placeholder's string not handed over",
         [nStringRead](CStandInHost& h) { h.FailNthRequest(nStringRead); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        CStandInHost runHost;
        std::vector<CSeenWindow> seen = RunOn(runHost, c.prepare, "", {IDOK});
        ASSERT_GE(seen.size(), 2u);
        EXPECT_EQ(seen[1].strText.substr(0, 8), "ZTM5048:");
        EXPECT_EQ(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES);
        runHost.Call(plugin.Entry(), SelShutdown);
        DeleteFileA(strDocDef.c_str());
    }
}

TEST_F(ProduceJob, FailedPageObjectQueryEndsTheCommandAtOnce) {
    host.FailRequest(3400);
    ASSERT_EQ(Call(SelStartup), StatusOk);
    CUiDriver driver;
    driver.FillDialog({{1118, ""}}, IDOK);
    driver.Start();
    EXPECT_EQ(Call(SelCommand, 3), StatusFailed);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(host.Log().Entries().back().Code(), 3400);
    EXPECT_EQ(GetFileAttributesA(strDocDef.c_str()), INVALID_FILE_ATTRIBUTES);
    Call(SelShutdown);
}

} // namespace
