// Loading the sample data file, cutting the copy, and finding a moved file
// again through the real Open dialog.
#include "plugin/fields/SampleFile.h"
#include "core/SampleCopy.h"
#include "host/UiDriver.h"
#include "plugin/fields/SampleState.h"
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
    CTestFiles files;
    CSampleState sample;
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
    ExtractCopy(sample, hBlock, 90, 200);
    EXPECT_EQ(std::string(sample.pCopyText), strBytes.substr(90, 10));
    ExtractCopy(sample, hBlock, -1, -1);
    ASSERT_NE(sample.pCopyText, nullptr);
    EXPECT_STREQ(sample.pCopyText, "") << "no offsets give an empty copy";
    ExtractCopy(sample, hBlock, 150, 5000);
    EXPECT_STREQ(sample.pCopyText, "");
    ExtractCopy(sample, nullptr, 0, 10);
    EXPECT_EQ(sample.pCopyText, nullptr) << "without a block the copy is only dropped";
    EXPECT_EQ(TextOf(block), strBytes.substr(0, 100));
    EXPECT_EQ(GlobalFlags(hBlock) & GMEM_LOCKCOUNT, 0u) << "every lock undone";
}

TEST_F(SampleFile, RememberedFileIsLoadedAtItsOffsets) {
    sample.SetFileName(files.Write("here.txt", "HEADER\r\nJane\r\nDoe\r\n").c_str());
    sample.SetCopyStart(8);
    sample.SetCopyEnd(19);
    EXPECT_TRUE(EnsureSampleCopy(sample));
    EXPECT_STREQ(sample.pCopyText, "Jane\r\nDoe\r\n");
    EXPECT_TRUE(EnsureSampleCopy(sample)) << "a copy already there is kept";
}

TEST_F(SampleFile, MovedFileIsFoundAgainThroughTheOpenDialog) {
    std::string strFolder = files.Folder("moved");
    std::string strOld = strFolder + "\\gone.txt";
    std::string strNew = files.Write("moved\\found.txt", "XXXXXXXXJohn\r\nRoe\r\n");
    sample.SetFileName(strOld.c_str());
    sample.SetCopyStart(8);
    sample.SetCopyEnd(19);

    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.ChooseFile(strNew);
    driver.Start();
    EXPECT_TRUE(EnsureSampleCopy(sample));
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
    EXPECT_STREQ(sample.pFile, strNew.c_str());
    EXPECT_STREQ(sample.pCopyText, "John\r\nRoe\r\n") << "read at the same offsets";
    EXPECT_EQ(sample.nCopyStart, 8);
    EXPECT_EQ(sample.nCopyEnd, 19);
}

TEST_F(SampleFile, CancellingTheOpenDialogChangesNothing) {
    std::string strOld = CTestFiles::FullPath("nowhere.txt");
    sample.SetFileName(strOld.c_str());
    sample.SetCopyStart(2);
    sample.SetCopyEnd(7);
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.CancelDialog();
    driver.Start();
    EXPECT_FALSE(EnsureSampleCopy(sample));
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_STREQ(sample.pFile, strOld.c_str());
    EXPECT_EQ(sample.pCopyText, nullptr);
    EXPECT_EQ(sample.nCopyStart, 2);
    EXPECT_EQ(sample.nCopyEnd, 7);
}

TEST_F(SampleFile, NameForSavingIsLowerCased) {
    EXPECT_EQ(SampleFileNameForSaving(sample), nullptr);
    sample.SetFileName("C:\\Data\\Customers.TXT");
    EXPECT_STREQ(SampleFileNameForSaving(sample), "c:\\data\\customers.txt");
    EXPECT_STREQ(sample.pFile, "c:\\data\\customers.txt") << "lower-cased in place";
}

TEST_F(SampleFile, NewFileNameDropsTheCopyAndOffsets) {
    sample.SetFileName("c:\\data\\first.txt");
    sample.SetCopyStart(10);
    sample.SetCopyEnd(90);
    sample.pCopyText = CutCopyText("copy", 4, 0, 4);
    EXPECT_EQ(sample.nCopyStart, 10);
    sample.SetFileName("c:\\data\\second.txt");
    EXPECT_STREQ(sample.pFile, "c:\\data\\second.txt");
    EXPECT_EQ(sample.nCopyStart, -1);
    EXPECT_EQ(sample.nCopyEnd, -1);
    EXPECT_EQ(sample.pCopyText, nullptr);
}

} // namespace
