// The EPS placeholder through the real clipboard and the stand-in host, and
// the job that reads it back.
#include "plugin/objects/Placeholder.h"
#include "AllocationFaults.h"
#include "core/NamedObject.h"
#include "core/OwnedText.h"
#include "host/StandInHost.h"
#include "host/UiDriver.h"
#include "plugin/WorkingState.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/framework/CommandGuard.h"
#include "plugin/objects/ObjectState.h"
#include "plugin/output/ProduceJobCommand.h"
#include "tests/PageObjects.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

using PageObjects::StringOf;

constexpr int32_t ObjectLeft = PasteboardLeft + 1440; // one inch into the page
constexpr int32_t ObjectTop = PasteboardTop + 2880;   // two inches down

class Placeholder : public ::testing::Test {
  protected:
    CWorkingState state;
    // The placeholder of the named object at the test's place.
    uint16_t Create() {
        return CreatePlaceholder(host.Block(), pObject, ObjectLeft, ObjectTop, state.jobFiles,
                                 state.objects.nEpsClipboardFormat);
    }
    uint16_t Produce() {
        return ProduceJob(host.Block(), state.fields, state.sample, state.objects, state.jobFiles);
    }
    void SetUp() override {
        state.objects.nEpsClipboardFormat = RegisterClipboardFormatA("Encapsulated PostScript");
        CPublication& pub = host.Publication();
        pub.strPath = CTestFiles::FullPath("Card.pub");
        pub.pages.resize(1);
        CHostObject text = HostObject(5, 1, 1);
        text.anBounds[0] = 1440;
        text.anBounds[1] = 2880;
        pub.pages[0].objects = {text};
        pub.nSelectedId = 5;
        pObject = NewNamedObject();
        pObject->pArea->strName = "Price";
        SetBounds(72, 144, 216, 36, pObject);
        strcpy(pObject->szDataField, "Amount");
    }
    void TearDown() override {
        FreeNamedObject(pObject);
        state.Release();
        EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
    }

    // The placeholder object the host made, or null.
    const CHostObject* Pasted() { return PageObjects::FirstPlaceholder(host.Publication()); }

    CStandInHost host;
    // The one data field of the jobs made here, Amount, in a copy of "19.99".
    void UseAmountField() {
        state.sample.pCopyText = DuplicateText("19.99\r\n");
        state.fields.pList = new CDataFieldList;
        state.fields.pList->Insert(new CDataField(
            "Amount", 0, 0, 0, 1, 0,
            new CSampleExtent(0, 5, 5, 1, nullptr, DuplicateText("CRLF"), DuplicateText("NULL"))));
    }

    CNamedObject* pObject = nullptr;
};

TEST_F(Placeholder, ReplacesTheObjectAndCarriesTheNamedObject) {
    ASSERT_EQ(Create(), StatusOk);
    const CHostObject* pPasted = Pasted();
    ASSERT_NE(pPasted, nullptr);
    EXPECT_EQ(pPasted->strEps, "%!PS-Adobe-2.0 EPSF-2.0\n"
                               "%%BoundingBox: 72.000000 144.000000 288.000000 180.000000\n"
                               "%%Title: Price\n"
                               "%%Author: NEB Variable Data Support\n"
                               "%%Creator: NEB Variable Data Object\n");
    EXPECT_EQ(pPasted->anBounds[0], 1440) << "moved to where the object was";
    EXPECT_EQ(pPasted->anBounds[1], 2880);
    EXPECT_EQ(pPasted->anBounds[2] - pPasted->anBounds[0], 216 * 20);

    std::string strPostScript = CTestFiles::FullPath("card.ps");
    CharLowerA(&strPostScript[0]);
    EXPECT_EQ(StringOf(*pPasted, 100),
              "Price Is Text Left Flow Font Times-Roman Size 12 Spacing 14 CMYK 0 0 0 1 On \"" +
                  strPostScript + "\" 1 At 72 144 For 216 36 FirstPos -1 -1");
    EXPECT_EQ(StringOf(*pPasted, 101), "Amount");
    EXPECT_EQ(StringOf(*pPasted, 1), "Price");

    std::vector<CLoggedRequest> moves = host.Log().WithCode(908);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].input, (std::vector<uint8_t>{5, 0, 0xE0, 0x10, 0, 0, 0xE0, 0x10, 0, 0}))
        << "16-bit 5, then left and top: 4320 twips each";
    EXPECT_EQ(host.Log().WithCode(1557).size(), 1u);
    EXPECT_EQ(host.Log().Entries().back().Code(), 1557);

    ASSERT_TRUE(OpenClipboard(nullptr));
    HANDLE hData = GetClipboardData(state.objects.nEpsClipboardFormat);
    EXPECT_EQ(GlobalSize(hData), 1024u) << "the whole block is on the clipboard";
    CloseClipboard();
}

TEST_F(Placeholder, NameStringHoldsAtMost31CharactersAndEmptyFieldIsKept) {
    pObject->pArea->strName = "AnAreaNameThatIsLongerThanThirtyOneCharacters";
    pObject->szDataField[0] = '\0';
    ASSERT_EQ(Create(), StatusOk);
    const CHostObject* pPasted = Pasted();
    ASSERT_NE(pPasted, nullptr);
    EXPECT_EQ(StringOf(*pPasted, 1), "AnAreaNameThatIsLongerThanThirt");
    EXPECT_EQ(StringOf(*pPasted, 100).substr(0, 46),
              "AnAreaNameThatIsLongerThanThirtyOneCharacters ");
    EXPECT_EQ(StringOf(*pPasted, 101), "");
    EXPECT_NE(pPasted->strEps.find("%%Title: AnAreaNameThatIsLongerThanThirtyOneCharacters\n"),
              std::string::npos);
}

TEST_F(Placeholder, ClipboardHeldElsewhereShowsZtm5019AndWritesNothing) {
    HANDLE hOpened = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hDone = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    // Another window of another thread has the clipboard open.
    std::thread holder([&] {
        HWND hOwner = CreateWindowA("STATIC", "holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                    nullptr, nullptr);
        BOOL bOpened = OpenClipboard(hOwner);
        SetEvent(hOpened);
        WaitForSingleObject(hDone, 30000);
        if (bOpened) {
            CloseClipboard();
        }
        DestroyWindow(hOwner);
    });
    WaitForSingleObject(hOpened, 10000);
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    EXPECT_EQ(Create(), StatusFailed);
    EXPECT_TRUE(driver.Finish()) << driver.Error();
    SetEvent(hDone);
    holder.join();
    CloseHandle(hOpened);
    CloseHandle(hDone);
    ASSERT_FALSE(driver.Seen().empty());
    EXPECT_EQ(driver.Seen()[0].strText, "ZTM5019: Could not open the clipboard.");
    EXPECT_EQ(Pasted(), nullptr);
    EXPECT_TRUE(host.Log().WithCode(102).empty());
    EXPECT_TRUE(host.Log().WithCode(1900).empty());
    EXPECT_STREQ(pObject->pArea->strPage.Text(), "1") << "file and page are already set";
}

TEST_F(Placeholder, ClipboardRefusingTheBlockShowsZtm5028) {
    state.objects.nEpsClipboardFormat = 0; // no format to put the block under
    CUiDriver driver;
    driver.PressOnMessageBox(IDOK);
    driver.Start();
    EXPECT_EQ(Create(), StatusFailed);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    EXPECT_EQ(driver.Seen()[0].strText, "ZTM5028: Could not set the contents of the clipboard.");
    EXPECT_EQ(Pasted(), nullptr);
    EXPECT_TRUE(host.Log().WithCode(1900).empty());
}

TEST_F(Placeholder, NoCurrentPageStopsAtOnce) {
    host.FailRequest(3502);
    EXPECT_EQ(Create(), StatusFailed);
    EXPECT_EQ(Pasted(), nullptr);
}

TEST_F(Placeholder, TwoPageSpreadRule) {
    // A spread of two pages 612 points wide, from the pasteboard's left edge.
    auto Reply32 = [](std::initializer_list<int32_t> values) {
        std::vector<uint8_t> bytes;
        for (int32_t nValue : values) {
            for (int i = 0; i < 4; ++i) {
                bytes.push_back(static_cast<uint8_t>((nValue >> (8 * i)) & 0xFF));
            }
        }
        return bytes;
    };
    host.ScriptReply(3505, Reply32({0, 0, 2 * 12240}));
    host.ScriptReply(3507, Reply32({12240, 15840}));
    float fX = 612;
    float fY = 50;
    int16_t nPage = 3;
    ASSERT_EQ(FindObjectPage(host.Block(), fX, fY, nPage), StatusOk);
    EXPECT_EQ(nPage, 2) << "exactly one page width: the left page";
    EXPECT_NEAR(fX, 612.0f, 0.001f);
    fX = 612.5f;
    nPage = 3;
    ASSERT_EQ(FindObjectPage(host.Block(), fX, fY, nPage), StatusOk);
    EXPECT_EQ(nPage, 3) << "a little further: the right page";
    EXPECT_NEAR(fX, 0.5f, 0.001f);
    host.ScriptReply(3505, Reply32({1440, 720, 1440 + 12240}));
    fX = 700;
    fY = 100;
    nPage = 3;
    ASSERT_EQ(FindObjectPage(host.Block(), fX, fY, nPage), StatusOk);
    EXPECT_EQ(nPage, 3) << "one page shown: nothing changes but the origin";
    EXPECT_NEAR(fX, 628.0f, 0.001f);
    EXPECT_NEAR(fY, 64.0f, 0.001f);
    host.FailRequest(3505);
    EXPECT_EQ(FindObjectPage(host.Block(), fX, fY, nPage), StatusFailed);
}

TEST_F(Placeholder, WhatIsWrittenIsWhatTheJobReads) {
    ASSERT_EQ(Create(), StatusOk);
    UseAmountField();
    std::string strDocDef = CTestFiles::FullPath("card.ddf");
    CharLowerA(&strDocDef[0]);
    CUiDriver driver;
    driver.FillDialog({{1118, ""}}, IDOK);
    driver.Start();
    EXPECT_EQ(Produce(), StatusOk);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    std::ifstream in(strDocDef, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    in.close();
    DeleteFileA(strDocDef.c_str());
    EXPECT_NE(bytes.str().find("Price Is Text Left Flow Font Times-Roman Size 12 Spacing 14 CMYK "
                               "0 0 0 1 On \"\" 1 At 72 144 For 216 36 FirstPos -1 -1\r\n"),
              std::string::npos)
        << bytes.str();
    EXPECT_NE(bytes.str().find("Merge Price Amount\r\n"), std::string::npos);
    EXPECT_NE(bytes.str().find("Amount Is TrimmedChars Inline Text At 0 Chars For 5\r\n"),
              std::string::npos);
}

// A job ended by an allocation failure anywhere in its walk leaves no
// document definition behind, and is never reported as done: either the user
// is told, or the file written is the whole job. The next job writes its
// areas once.
TEST_F(Placeholder, JobEndedByAnExceptionLeavesNoDocumentDefinition) {
    ASSERT_EQ(Create(), StatusOk);
    UseAmountField();
    std::string strDocDef = CTestFiles::FullPath("fault.ddf");
    ShieldHostFromAllocationFaults(host.Block());
    // Runs the job with the allocation failing; true when the user was told.
    auto RunJob = [&](long nFailAt, long* pCount = nullptr) {
        DeleteFileA(strDocDef.c_str());
        CUiDriver driver;
        driver.FillDialog({{1117, strDocDef}, {1118, ""}}, IDOK);
        driver.Start();
        FailAllocation(nFailAt);
        uint16_t nStatus = RunGuarded([this] { return Produce(); }, StatusOk);
        if (pCount != nullptr) {
            *pCount = AllocationCount();
        }
        FailAllocation(0);
        bool bQuiet = driver.Finish();
        EXPECT_EQ(nStatus, StatusOk);
        return !bQuiet && driver.Error().find("unexpected message box") != std::string::npos;
    };
    long nAllocations = 0;
    ASSERT_FALSE(RunJob(0, &nAllocations));
    const std::string strWhole = CTestFiles::Read(strDocDef);
    ASSERT_NE(strWhole.find("Merge Price Amount"), std::string::npos) << strWhole;
    for (long nFailAt = nAllocations - 1; nFailAt > nAllocations / 2; nFailAt -= 3) {
        SCOPED_TRACE("allocation " + std::to_string(nFailAt));
        bool bTold = RunJob(nFailAt);
        if (!bTold) {
            EXPECT_EQ(CTestFiles::Read(strDocDef), strWhole) << "a job reported as done is whole";
        }
    }
    ASSERT_FALSE(RunJob(0));
    EXPECT_EQ(CTestFiles::Read(strDocDef), strWhole);
    DeleteFileA(strDocDef.c_str());
}

TEST_F(Placeholder, PlaceholderOfADeepPublicationIsReadBackByTheJob) {
    // The deepest publication whose job paths the Job Files dialog still takes.
    std::string strFolder = "C:\\" + std::string(240, 'F') + "\\";
    host.Publication().strPath = strFolder + "Card.pub";
    ASSERT_EQ(Create(), StatusOk);
    const CHostObject* pPasted = Pasted();
    ASSERT_NE(pPasted, nullptr);
    EXPECT_GT(StringOf(*pPasted, 100).size(), 254u) << "longer than a document definition line";
    UseAmountField();
    std::string strDocDef = CTestFiles::FullPath("deep.ddf");
    CUiDriver driver;
    driver.FillDialog({{1117, strDocDef}, {1118, ""}}, IDOK);
    driver.Start();
    EXPECT_EQ(Produce(), StatusOk);
    ASSERT_TRUE(driver.Finish()) << driver.Error();
    CharLowerA(&strDocDef[0]);
    std::string strBytes = CTestFiles::Read(strDocDef);
    DeleteFileA(strDocDef.c_str());
    EXPECT_NE(strBytes.find("Merge Price Amount\r\n"), std::string::npos) << strBytes;
}

} // namespace
