// The publication's state through the plug-in's start-up and shut-down, as
// the host sees it.
#include "PluginFixture.h"
#include "host/UiDriver.h"
#include "tests/TestFiles.h"

#include <string>
#include <vector>

namespace {

CPrivateString Nebv(int32_t nIndex, const std::string& strValue) {
    return {"NEB ", "VDAT", nIndex, strValue, false};
}

// The plug-in's publication strings, as "index=value".
std::vector<std::string> Strings(const CPublication& publication) {
    std::vector<std::string> strings;
    for (const CPrivateString& entry : publication.strings) {
        strings.push_back(std::to_string(entry.nIndex) + "=" +
                          (entry.bDeleted ? "(deleted)" : entry.strValue));
    }
    return strings;
}

class PublicationState : public PluginTest {
  protected:
    void UsePublicationWithSample(const std::string& strSample) {
        host.Publication().strPath = "C:\\Jobs\\Card.pub";
        host.Publication().strings = {Nebv(2, strSample), Nebv(4, "5"), Nebv(5, "31"),
                                      Nebv(1000, "City 0 0 0 1 0 10 20 10 1 CRLF 12345 "),
                                      Nebv(1001, "Name 0 1 0 1 0 0 8 8 1 CRLF Springfield ")};
    }
    CTestFiles files;
};

const char* const Sample = "HEAD\r\nJane Doe\r\nSpringfield\r\n12345\r\nNEXT COPY\r\n";

TEST_F(PublicationState, MissingSampleCancelledFailsStartUpWithTheErrorText) {
    std::string strGone = CTestFiles::FullPath("gone-customers.txt");
    UsePublicationWithSample(strGone);
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.CancelDialog();
    driver.Start();
    EXPECT_EQ(Call(SelStartup), StatusFailed);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_NE(driver.Seen()[0].strText.find(strGone), std::string::npos);
    EXPECT_EQ(driver.Seen()[1].strCaption, "NEB Variable Data Input File");

    CErrorText text;
    ASSERT_TRUE(host.TakeErrorText(text));
    EXPECT_EQ(text.nSize, 511u);
    EXPECT_EQ(text.strMessage, "ZTM5041: Could not load the variable data input file.");
    EXPECT_EQ(text.strCaption, "NEB Variable Data");
    EXPECT_EQ(*ppDFList, nullptr) << "a failed start-up leaves the state released";
}

TEST_F(PublicationState, MissingSampleChosenAgainLoadsTheFields) {
    std::string strFound = files.Write("found-customers.txt", Sample);
    UsePublicationWithSample(CTestFiles::FullPath("moved-away.txt"));
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.ChooseFile(strFound);
    driver.Start();
    EXPECT_EQ(Call(SelStartup), StatusOk);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_NE(*ppDFList, nullptr);
    EXPECT_EQ(Call(SelShutdown), StatusOk);
    std::vector<std::string> strings = Strings(host.Publication());
    ASSERT_FALSE(strings.empty());
    EXPECT_EQ(strings[0], "2=" + std::string(CharLowerA(&strFound[0])))
        << "the path chosen is remembered, lower-cased";
}

TEST_F(PublicationState, StateSurvivesShutDownAndAnotherStartUp) {
    std::string strSample = files.Write("customers.txt", Sample);
    UsePublicationWithSample(strSample);
    std::string strFile = CTestFiles::FullPath("roundtrip.pub.json");
    std::string strError;
    ASSERT_TRUE(SavePublication(strFile, host.Publication(), strError)) << strError;
    files.Write("roundtrip.pub.json", ""); // removed at the end
    ASSERT_TRUE(SavePublication(strFile, host.Publication(), strError)) << strError;

    std::vector<std::string> runs[2];
    for (int nRun = 0; nRun < 2; ++nRun) {
        CStandInHost runHost;
        ASSERT_TRUE(LoadPublication(strFile, runHost.Publication(), strError)) << strError;
        ASSERT_EQ(runHost.Call(plugin.Entry(), SelStartup), StatusOk);
        ASSERT_NE(*ppDFList, nullptr);
        EXPECT_EQ(runHost.Call(plugin.Entry(), SelShutdown), StatusOk);
        EXPECT_EQ(*ppDFList, nullptr);
        ASSERT_TRUE(SavePublication(strFile, runHost.Publication(), strError)) << strError;
        runs[nRun] = Strings(runHost.Publication());
    }
    std::string strLower = strSample;
    CharLowerA(&strLower[0]);
    std::vector<std::string> expected = {"2=" + strLower, "4=5", "5=31",
                                         "1000=Name 0 1 0 1 0 0 8 8 1 CRLF Springfield ",
                                         "1001=City 0 0 0 1 0 10 20 10 1 CRLF 12345 "};
    EXPECT_EQ(runs[0], expected) << "fields are stored in start order";
    EXPECT_EQ(runs[1], expected);
}

// A field edited by hand to hold a delimiter word longer than a stored line:
// shut-down still answers 0, stores a line that fits, and the field comes
// back at the next start-up.
TEST_F(PublicationState, OverlongDelimiterWordIsStoredCutAndShutDownSucceeds) {
    std::string strSample = files.Write("long-delimiter.txt", Sample);
    UsePublicationWithSample(strSample);
    std::string strDelimiter(240, 'D');
    host.Publication().strings[3] = Nebv(1000, "City 0 1 0 1 0 10 20 10 1 " + strDelimiter + " x ");
    ASSERT_EQ(Call(SelStartup), StatusOk);
    EXPECT_EQ(Call(SelShutdown), StatusOk);
    EXPECT_EQ(*ppDFList, nullptr) << "the working state is released";
    std::vector<std::string> strings = Strings(host.Publication());
    ASSERT_EQ(strings.size(), 5u);
    const std::string strStored = strings[4].substr(strings[4].find('=') + 1);
    EXPECT_EQ(strStored.size(), 255u);
    EXPECT_EQ(strStored.substr(0, 26), "City 0 1 0 1 0 10 20 10 1 ");
    EXPECT_EQ(strStored.substr(strStored.size() - 4), "D x ") << "the delimiter is cut";
    ASSERT_EQ(Call(SelStartup), StatusOk);
    EXPECT_NE(*ppDFList, nullptr);
    EXPECT_EQ(Call(SelShutdown), StatusOk);
}

// A string of the publication the host fails to hand over at start-up, the
// sample file's or a data field's, in either pass over the run: shut-down
// then leaves the stored fields as they were instead of deleting them.
TEST_F(PublicationState, FieldsTheHostFailedToHandOverAreNotDeleted) {
    std::string strSample = files.Write("unread-fields.txt", Sample);
    UsePublicationWithSample(strSample);
    const std::vector<CPrivateString> original = host.Publication().strings;
    ASSERT_EQ(Call(SelStartup), StatusOk);
    std::vector<size_t> reads; // the requests that read the sample string or a field
    const std::vector<CLoggedRequest>& log = host.Log().Entries();
    for (size_t i = 0; i < log.size(); ++i) {
        const std::string strLine = log[i].InputText();
        if (strLine.find("classpub, 2,") != std::string::npos ||
            strLine.find("classpub, 100") != std::string::npos) {
            reads.push_back(i + 1);
        }
    }
    EXPECT_EQ(Call(SelShutdown), StatusOk);
    ASSERT_GE(reads.size(), 6u) << "the sample string, and each field twice";
    for (size_t nRead : reads) {
        SCOPED_TRACE("request " + std::to_string(nRead) + ": " + log[nRead - 1].InputText());
        CStandInHost runHost;
        runHost.Publication() = host.Publication();
        runHost.Publication().strings = original;
        runHost.FailNthRequest(nRead);
        runHost.Call(plugin.Entry(), SelStartup);
        EXPECT_EQ(runHost.Call(plugin.Entry(), SelShutdown), StatusOk);
        std::vector<std::string> fields;
        for (const CPrivateString& entry : runHost.Publication().strings) {
            if (entry.nIndex >= 1000 && !entry.bDeleted) {
                fields.push_back(entry.strValue);
            }
        }
        EXPECT_EQ(fields.size(), 2u) << "both stored fields are kept";
    }
}

} // namespace
