// Loading the sample data file, cutting the copy, and finding a moved file
// again through the real Open dialog.
#include "fields/SampleFile.h"
#include "fields/SampleCopy.h"
#include "fields/SampleState.h"
#include "host/UiDriver.h"
#include "plugin/WorkingState.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The text of a sample block.
std::string TextOf(const CGlobalBlock& block, size_t* pSize = nullptr) {
    CGlobalLock<const char> text(block.Get());
    if (pSize != nullptr) {
        *pSize = text.Size();
    }
    return text.IsLocked() ? text.Data() : "(not locked)";
}

std::string Numbered(size_t nLength) {
    std::string strText;
    for (size_t i = 0; i < nLength; ++i) {
        strText += static_cast<char>('a' + i % 26);
    }
    return strText;
}

class SampleFile : public ::testing::Test {
  protected:
    void TearDown() override { ReleaseWorkingState(); }
    CTestFiles files;
};

TEST_F(SampleFile, OnlyTheFirst10240BytesAreRead) {
    std::string strBytes = Numbered(20000);
    CGlobalBlock block = LoadSampleFile(files.Write("big.txt", strBytes).c_str());
    ASSERT_FALSE(block.IsEmpty());
    size_t nSize = 0;
    EXPECT_EQ(TextOf(block, &nSize), strBytes.substr(0, 10240));
    EXPECT_EQ(nSize, 10241u) << "the bytes and a NUL";
}

TEST_F(SampleFile, EmptyMissingAndUnnamedFilesGiveNothing) {
    EXPECT_TRUE(LoadSampleFile(files.Write("empty.txt", "").c_str()).IsEmpty());
    EXPECT_TRUE(LoadSampleFile(CTestFiles::FullPath("missing.txt").c_str()).IsEmpty());
    EXPECT_TRUE(LoadSampleFile("").IsEmpty());
    EXPECT_TRUE(LoadSampleFile(nullptr).IsEmpty());
}

TEST_F(SampleFile, NulEndsTheUsableTextAndCopiesStayInside) {
    std::string strBytes = Numbered(300);
    strBytes[100] = '\0';
    CGlobalBlock block = LoadSampleFile(files.Write("inner-zero.txt", strBytes).c_str());
    ASSERT_FALSE(block.IsEmpty());
    HGLOBAL hBlock = block.Get();
    ExtractCopy(hBlock, 90, 200);
    EXPECT_EQ(std::string(pCopyText), strBytes.substr(90, 10));
    ExtractCopy(hBlock, -1, -1);
    ASSERT_NE(pCopyText, nullptr);
    EXPECT_STREQ(pCopyText, "") << "no offsets give an empty copy";
    ExtractCopy(hBlock, 150, 5000);
    EXPECT_STREQ(pCopyText, "");
    ExtractCopy(nullptr, 0, 10);
    EXPECT_EQ(pCopyText, nullptr) << "without a block the copy is only dropped";
    EXPECT_EQ(TextOf(block), strBytes.substr(0, 100));
    EXPECT_EQ(GlobalFlags(hBlock) & GMEM_LOCKCOUNT, 0u) << "every lock undone";
}

TEST_F(SampleFile, RememberedFileIsLoadedAtItsOffsets) {
    SetSampleFileName(files.Write("here.txt", "HEADER\r\nJane\r\nDoe\r\n").c_str());
    SetCopyStart(8);
    SetCopyEnd(19);
    EXPECT_TRUE(EnsureSampleCopy());
    EXPECT_STREQ(pCopyText, "Jane\r\nDoe\r\n");
    EXPECT_TRUE(EnsureSampleCopy()) << "a copy already there is kept";
}

TEST_F(SampleFile, MovedFileIsFoundAgainThroughTheOpenDialog) {
    std::string strFolder = files.Folder("moved");
    std::string strOld = strFolder + "\\gone.txt";
    std::string strNew = files.Write("moved\\found.txt", "XXXXXXXXJohn\r\nRoe\r\n");
    SetSampleFileName(strOld.c_str());
    SetCopyStart(8);
    SetCopyEnd(19);

    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.ChooseFile(strNew);
    driver.Start();
    EXPECT_TRUE(EnsureSampleCopy());
    ASSERT_TRUE(driver.Finish()) << driver.Error();

    ASSERT_EQ(driver.Seen().size(), 2u);
    EXPECT_EQ(driver.Seen()[0].strText,
              "ZTM5018: The variable data input file, " + strOld +
                  ",\nthat was used during the creation of the variable data fields in\n"
                  "this publication was not found.");
    EXPECT_EQ(driver.Seen()[0].strCaption, "NEB Variable Data");
    EXPECT_EQ(driver.Seen()[1].strCaption, "NEB Variable Data Input File");
    EXPECT_EQ(driver.Seen()[1].strFolder, strFolder) << "the dialog opens in the old folder";
    EXPECT_EQ(driver.Seen()[1].strFileName, "gone.txt");
    EXPECT_STREQ(pSampleFile, strNew.c_str());
    EXPECT_STREQ(pCopyText, "John\r\nRoe\r\n") << "read at the same offsets";
    EXPECT_EQ(nCopyStart, 8);
    EXPECT_EQ(nCopyEnd, 19);
}

TEST_F(SampleFile, CancellingTheOpenDialogChangesNothing) {
    std::string strOld = CTestFiles::FullPath("nowhere.txt");
    SetSampleFileName(strOld.c_str());
    SetCopyStart(2);
    SetCopyEnd(7);
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.CancelDialog();
    driver.Start();
    EXPECT_FALSE(EnsureSampleCopy());
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_STREQ(pSampleFile, strOld.c_str());
    EXPECT_EQ(pCopyText, nullptr);
    EXPECT_EQ(nCopyStart, 2);
    EXPECT_EQ(nCopyEnd, 7);
}

TEST_F(SampleFile, NameForSavingIsLowerCased) {
    EXPECT_EQ(SampleFileNameForSaving(), nullptr);
    SetSampleFileName("C:\\Data\\Customers.TXT");
    EXPECT_STREQ(SampleFileNameForSaving(), "c:\\data\\customers.txt");
    EXPECT_STREQ(pSampleFile, "c:\\data\\customers.txt") << "lower-cased in place";
}

TEST_F(SampleFile, NewFileNameDropsTheCopyAndOffsets) {
    SetSampleFileName("c:\\data\\first.txt");
    SetCopyStart(10);
    SetCopyEnd(90);
    pCopyText = CutCopyText("copy", 4, 0, 4);
    EXPECT_EQ(nCopyStart, 10);
    SetSampleFileName("c:\\data\\second.txt");
    EXPECT_STREQ(pSampleFile, "c:\\data\\second.txt");
    EXPECT_EQ(nCopyStart, -1);
    EXPECT_EQ(nCopyEnd, -1);
    EXPECT_EQ(pCopyText, nullptr);
}

} // namespace
