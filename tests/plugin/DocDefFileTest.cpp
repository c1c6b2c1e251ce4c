// The document definition file on disk and the job's file names.
#include "plugin/output/DocDefFile.h"
#include "host/StandInHost.h"
#include "host/UiDriver.h"
#include "plugin/WorkingState.h"
#include "plugin/channel/JobFileNames.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/framework/FileHandle.h"
#include "tests/PhotoCardJob.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class DocDefFile : public ::testing::Test {
  protected:
    void TearDown() override { SetFileWriter(nullptr); }

    // The document definition file of the job, as the command writes it.
    int Write(std::string& strPath) {
        return WriteDocDefFile(&strPath[0], *pJob, state.fields.pList, state.sample.pCopyText);
    }
    // The fields and copy text of the photo card job, as the publication has them.
    void SetFields() {
        state.fields.pList = PhotoCardJob::NewFields();
        state.sample.pCopyText = DuplicateText(PhotoCardJob::CopyText());
    }
    // The photo card job as the page walk leaves it.
    void SetJob() {
        SetFields();
        pJob.reset(new CDocDef);
        PhotoCardJob::AddPage(*pJob);
    }

    CTestFiles files;
    CWorkingState state;
    std::unique_ptr<CDocDef> pJob{new CDocDef};
};

// Writers that come up short: half the bytes, and none at all.
long WINAPI WriteHalf(HFILE hFile, LPCCH pData, long nCount) {
    return _hwrite(hFile, pData, nCount / 2);
}
long WINAPI WriteNothing(HFILE, LPCCH, long) {
    return HFILE_ERROR;
}

TEST_F(DocDefFile, PhotoCardJobInAMixedCasePathIsWrittenLowerCaseWithCrLf) {
    std::string strFolder = files.Folder("jobs");
    files.Write("jobs\\card.ddf", ""); // removed at the end
    std::string strPath = strFolder + "\\Card.DDF";
    SetJob();
    EXPECT_EQ(Write(strPath), 1);
    EXPECT_EQ(strPath.substr(strPath.size() - 8), "card.ddf") << "the caller's path lower-cased";
    std::string strBytes = CTestFiles::Read(strFolder + "\\card.ddf");
    EXPECT_EQ(strBytes, CTestFiles::WithCrLf(PhotoCardJob::DocDefText()));
    EXPECT_EQ(strBytes.substr(strBytes.size() - 2), "\r\n") << "the last line too";

    WIN32_FIND_DATAA found;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*.ddf").c_str(), &found);
    ASSERT_NE(hFind, INVALID_HANDLE_VALUE);
    EXPECT_STREQ(found.cFileName, "card.ddf") << "the file itself is named in lower case";
    FindClose(hFind);
}

TEST_F(DocDefFile, ConversionFailureShowsZtm5048AndKeepsTheRecordsMadeBefore) {
    std::string strPath = files.Write("broken.ddf", "");
    SetJob();
    state.fields.pList->Insert(PhotoCardJob::Field("Beyond", 90, 95, TypeText, 1, 0));
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    EXPECT_EQ(Write(strPath), 1);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(driver.Seen()[0].strText,
              "ZTM5048: An error occured while producing the document\ndefinition file.  Verify "
              "the data fields are correctly defined.");
    std::string strBytes = CTestFiles::Read(strPath);
    EXPECT_NE(strBytes.find("Photo Is Chars Reference EPS At 1 Lines For 10\r\n[AreaDefinition]"),
              std::string::npos)
        << strBytes;
    EXPECT_EQ(strBytes.find("Beyond"), std::string::npos);
}

TEST_F(DocDefFile, FileThatCannotBeCreatedShowsZtm5040AndWritesNothing) {
    std::string strPath = CTestFiles::FullPath("No-Such-Folder\\Card.DDF");
    SetJob();
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    EXPECT_EQ(Write(strPath), 0);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    std::string strLower = CTestFiles::FullPath("no-such-folder\\card.ddf");
    CharLowerA(&strLower[0]);
    EXPECT_EQ(driver.Seen()[0].strText, "ZTM5040: Could not output variable data job to\n" +
                                            strLower +
                                            ".\nVerify the current file is not read-only.");
}

TEST_F(DocDefFile, ShortWriteShowsZtm5040AndLeavesNoFile) {
    const struct {
        const char* pName;
        FileWriter writer;
    } cases[] = {{"half written", WriteHalf}, {"nothing written", WriteNothing}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pName);
        std::string strPath = files.Write("short.ddf", "an older job");
        SetJob();
        SetFileWriter(c.writer);
        CUiDriver driver;
        driver.PressOnMessageBox(IDOK);
        driver.Start();
        EXPECT_EQ(Write(strPath), 0);
        ASSERT_TRUE(driver.Finish()) << driver.Error();
        SetFileWriter(nullptr);
        EXPECT_EQ(driver.Seen()[0].strText, "ZTM5040: Could not output variable data job to\n" +
                                                strPath +
                                                ".\nVerify the current file is not read-only.");
        EXPECT_EQ(driver.Seen()[0].strIcon, "exclamation");
        EXPECT_EQ(GetFileAttributesA(strPath.c_str()), INVALID_FILE_ATTRIBUTES)
            << "no half-written file is left for the merge step";
        state.Release();
    }
}

TEST_F(DocDefFile, NoCopyTextMeansNoDataDefinitions) {
    std::string strPath = files.Write("nocopy.ddf", "");
    SetFields();
    delete[] state.sample.pCopyText;
    state.sample.pCopyText = nullptr;
    AddIncludePages(*pJob, "1", "a.ps", 612, 792, 0);
    EXPECT_EQ(Write(strPath), 1);
    EXPECT_EQ(CTestFiles::Read(strPath),
              "Docdef-Version-1.0\r\n[DataDefinition]\r\n[AreaDefinition]\r\n"
              "[DocumentInstructions]\r\nIncludePages \"a.ps\" 1 1 612 792 0\r\n");
}

TEST_F(DocDefFile, JobFileNamesFromThePublicationPath) {
    CStandInHost host;
    host.Publication().strPath = "C:\\Jobs\\Card.PUB";
    std::string strDocDef = "unchanged";
    std::string strPostScript = "unchanged";
    ComputeJobFileNames(host.Block(), state.jobFiles, strDocDef, strPostScript);
    EXPECT_EQ(strDocDef, "c:\\jobs\\card.ddf");
    EXPECT_EQ(strPostScript, "c:\\jobs\\card.ps");
    EXPECT_STREQ(state.jobFiles.pDocDefPath, "c:\\jobs\\card.ddf");

    host.FailRequest(3513);
    std::string strOtherDocDef = "kept.ddf";
    std::string strOtherPostScript = "kept.ps";
    ComputeJobFileNames(host.Block(), state.jobFiles, strOtherDocDef, strOtherPostScript);
    EXPECT_EQ(strOtherDocDef, "kept.ddf");
    EXPECT_EQ(strOtherPostScript, "kept.ps");
    EXPECT_STREQ(state.jobFiles.pDocDefPath, "c:\\jobs\\card.ddf");

    host.ClearScript();
    host.Publication().strPath = "Untitled";
    ComputeJobFileNames(host.Block(), state.jobFiles, strDocDef, strPostScript);
    EXPECT_EQ(strDocDef, "untitled.ddf");
    EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
}

} // namespace
