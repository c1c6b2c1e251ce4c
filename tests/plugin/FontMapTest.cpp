// The font mapping file with a real sorted drop-down list.
#include "plugin/fonts/FontMap.h"
#include "host/UiDriver.h"
#include "plugin/fonts/FontMapState.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class FontMap : public ::testing::Test {
  protected:
    void SetUp() override {
        hParent = CreateWindowA("STATIC", "fonts", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
        hList = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL,
                              0, 0, 200, 150, hParent, nullptr, nullptr, nullptr);
        ASSERT_NE(hList, nullptr);
        // The dialog template's own entries, which the fill removes.
        for (const char* pName : {"Times-Roman", "Helvetica", "Courier"}) {
            SendMessageA(hList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(pName));
        }
    }
    void TearDown() override { DestroyWindow(hParent); }

    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        LRESULT nCount = SendMessageA(hList, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < nCount; ++i) {
            char szText[256] = {};
            SendMessageA(hList, CB_GETLBTEXT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(szText));
            entries.push_back(szText);
        }
        return entries;
    }

    // Loads the text as the mapping file and fills the list.
    void Fill(const std::string& strText) {
        ASSERT_TRUE(LoadFontMap(fontMap, files.Write("map.vda", strText).c_str()));
        FillFontList(fontMap, hList);
    }

    std::string Map(const char* pRequested, bool bExpected = true) {
        std::string strResult = "unset";
        EXPECT_EQ(MapFontName(fontMap, strResult, hList, pRequested), bExpected) << pRequested;
        return strResult;
    }

    CTestFiles files;
    CFontMapState fontMap;
    HWND hParent = nullptr;
    HWND hList = nullptr;
};

TEST_F(FontMap, ListIsSortedOnceEachWhateverTheCase) {
    Fill("Times-New-Roman Times-Roman\nArial Helvetica\nArial-Bold helvetica\n"
         "Courier-New Courier\nArial-Italic HELVETICA\n");
    EXPECT_EQ(Entries(), (std::vector<std::string>{"Courier", "Helvetica", "Times-Roman"}));
}

TEST_F(FontMap, NoPairsGiveAnEmptyListAndNoMapping) {
    Fill("/ only a comment\n\n");
    EXPECT_TRUE(Entries().empty());
    Map("Arial", false);
    Map("Helvetica", false);
}

TEST_F(FontMap, ListedNamesAreTakenAsRequestedOtherwiseTheFirstPairMaps) {
    Fill("Arial Helvetica\nArial Courier\nhelvetica Times-Roman\nArial-Bold\nHelvetica-Bold\n");
    EXPECT_EQ(Map("HELVETICA"), "HELVETICA") << "letter for letter, the pairs not consulted";
    EXPECT_EQ(Map("helvetica"), "helvetica");
    EXPECT_EQ(Map("Arial"), "Helvetica") << "the first pair wins";
    EXPECT_EQ(Map("Arial-Bold"), "Helvetica-Bold") << "a pair split over two lines";
    Map("arial", false);
    Map("Wingdings", false);
}

TEST_F(FontMap, OverlongWordReportsZtm5009AndKeepsTheNamesReadSoFar) {
    ASSERT_TRUE(LoadFontMap(
        fontMap,
        files.Write("long.vda", "Arial Helvetica\n" + std::string(200, 'L') + " X\nB Courier\n")
            .c_str()));
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    FillFontList(fontMap, hList);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(driver.Seen()[0].strText, "ZTM5009: There is an error in the font mapping file.\n"
                                        "Some fonts in the list may not be valid.");
    EXPECT_EQ(driver.Seen()[0].strIcon, "exclamation");
    EXPECT_EQ(Entries(), std::vector<std::string>{"Helvetica"});
    Map("B", false);
}

TEST_F(FontMap, TextIsHeldUntilShutDown) {
    std::string strPath = files.Write("held.vda", "Arial Helvetica\n");
    ASSERT_TRUE(LoadFontMap(fontMap, strPath.c_str()));
    EXPECT_STREQ(fontMap.pPath, strPath.c_str());
    files.Write("held.vda", "Arial Courier\n");
    EXPECT_TRUE(LoadFontMap(fontMap, strPath.c_str())) << "a held text is not read again";
    EXPECT_STREQ(fontMap.pText, "Arial Helvetica\n");
}

TEST_F(FontMap, MissingFileFailsQuietlyAndUnreadableOneShowsZtm5012) {
    EXPECT_FALSE(LoadFontMap(fontMap, CTestFiles::FullPath("absent.vda").c_str()));
    EXPECT_EQ(fontMap.pPath, nullptr);

    std::string strPath = files.Write("locked.vda", "Arial Helvetica\n");
    HANDLE hLock = CreateFileA(strPath.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hLock, INVALID_HANDLE_VALUE);
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    EXPECT_FALSE(LoadFontMap(fontMap, strPath.c_str()));
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    CloseHandle(hLock);
    EXPECT_EQ(driver.Seen()[0].strText,
              "ZTM5012: The font mapping file was found, but could not be read.");
    EXPECT_EQ(fontMap.pPath, nullptr) << "the path is forgotten";
    EXPECT_EQ(fontMap.pText, nullptr);
}

TEST_F(FontMap, FoundBesideThePluginLoadedFromAnotherFolder) {
    std::string strFolder = files.Folder("plugin-home");
    ASSERT_TRUE(CopyFileA(CTestFiles::FullPath("nebvdata.add").c_str(),
                          (strFolder + "\\nebvdata.add").c_str(), FALSE));
    files.Write("plugin-home\\nebvdata.vda", "Arial Helvetica\n");
    HMODULE hPlugin = LoadLibraryA((strFolder + "\\nebvdata.add").c_str());
    ASSERT_NE(hPlugin, nullptr);
    EXPECT_TRUE(LocateFontMap(fontMap));
    EXPECT_STREQ(fontMap.pPath, (strFolder + "\\nebvdata.vda").c_str());
    FreeLibrary(hPlugin);
    DeleteFileA((strFolder + "\\nebvdata.add").c_str());
}

TEST_F(FontMap, WithoutAMappingFileZtm5002IsShownAndNothingHeld) {
    // No plug-in module is loaded here: the folder of this program is searched,
    // and it holds no mapping file.
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    EXPECT_FALSE(RequireFontMap(fontMap));
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(driver.Seen()[0].strText.substr(0, 8), "ZTM5002:");
    EXPECT_EQ(fontMap.pText, nullptr);
    EXPECT_EQ(fontMap.pPath, nullptr);
}

} // namespace
