// Start-up, shut-down and the job through every allocation failure of a run:
// the host always gets an answer, the working state is always released, and
// nothing of a failed job is left for the next one.
#include "AllocationFaults.h"
#include "host/StandInHost.h"
#include "host/UiDriver.h"
#include "plugin/Lifecycle.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/fonts/FontMapState.h"
#include "plugin/objects/ObjectState.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

uint16_t __stdcall Entry(HostParamBlock* pBlock) {
    return Dispatch(pBlock, PluginState());
}

CPrivateString Nebv(int32_t nIndex, const std::string& strValue) {
    return {"NEB ", "VDAT", nIndex, strValue, false};
}

// The plug-in's working state, as the host sees it too (the exported pointers).
bool WorkingStateIsEmpty() {
    const CWorkingState& state = PluginState();
    return pDF == nullptr && pDFList == nullptr && state.sample.pFile == nullptr &&
           state.sample.pCopyText == nullptr && state.sample.nCopyStart == -1 &&
           state.sample.nCopyEnd == -1 && state.fontMap.pPath == nullptr &&
           state.fontMap.pText == nullptr && state.objects.pNames == nullptr &&
           state.jobFiles.pDocDefPath == nullptr && state.objects.pLastName == nullptr &&
           state.fields.pLastName == nullptr;
}

const char* const MemoryMessage =
    "ZTM5043: A memory exception occured.\nClose all other applications and try the "
    "operation again.";

class LifecycleFaults : public ::testing::Test {
  protected:
    // A publication with a sample, two fields, a font map and a named object.
    void Prepare(CStandInHost& host) {
        host.Publication().strPath = "C:\\Jobs\\Card.pub";
        host.Publication().strings = {Nebv(2, strSample),
                                      Nebv(3, "c:\\fonts\\nebvdata.vda"),
                                      Nebv(4, "6"),
                                      Nebv(5, "37"),
                                      Nebv(1000, "Name 0 1 0 1 0 0 8 8 1 CRLF Springfield "),
                                      Nebv(1001, "City 0 0 0 1 0 10 21 11 1 CRLF 12345 ")};
        CHostObject object;
        object.nId = 5;
        object.nNumber = 1;
        object.nKind = 11;
        object.strings = {Nebv(1, "Greeting")};
        host.Publication().pages = {CHostPage{{object}}};
    }

    CTestFiles files;
    std::string strSample = files.Write(
        "fault-customers.txt", "HEAD\r\nJane Doe\r\nSpringfield\r\n12345\r\nNEXT COPY\r\n");
};

TEST_F(LifecycleFaults, StartUpFailsWithTheMemoryMessageAndReleasesEverything) {
    long nFailures = 0;
    for (long nNth = 1;; ++nNth) {
        SCOPED_TRACE("allocation " + std::to_string(nNth));
        CStandInHost host;
        Prepare(host);
        ShieldHostFromAllocationFaults(host.Block());
        FailAllocation(nNth);
        uint16_t nStatus = host.Call(Entry, SelStartup);
        bool bFailed = AllocationFailed();
        FailAllocation(0);
        CErrorText text;
        bool bText = host.TakeErrorText(text);
        if (!bFailed) {
            EXPECT_EQ(nStatus, StatusOk);
            EXPECT_NE(pDFList, nullptr);
            EXPECT_FALSE(bText);
            host.Call(Entry, SelShutdown);
            EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
            break;
        }
        ++nFailures;
        ASSERT_EQ(nStatus, StatusFailed);
        ASSERT_TRUE(bText) << "the host is told why";
        EXPECT_EQ(text.strMessage, MemoryMessage);
        EXPECT_EQ(text.strCaption, "NEB Variable Data");
        EXPECT_TRUE(WorkingStateIsEmpty());
        EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
    }
    EXPECT_GT(nFailures, 20) << "start-up allocates as it reads the strings";
}

TEST_F(LifecycleFaults, ShutDownAlwaysReturnsZeroAndReleasesEverything) {
    long nFailures = 0;
    for (long nNth = 1;; ++nNth) {
        SCOPED_TRACE("allocation " + std::to_string(nNth));
        CStandInHost host;
        Prepare(host);
        ASSERT_EQ(host.Call(Entry, SelStartup), StatusOk);
        ShieldHostFromAllocationFaults(host.Block());
        CUiDriver driver;
        driver.Start();
        FailAllocation(nNth);
        uint16_t nStatus = host.Call(Entry, SelShutdown);
        bool bFailed = AllocationFailed();
        FailAllocation(0);
        bool bQuiet = driver.Finish();
        EXPECT_EQ(nStatus, StatusOk);
        EXPECT_TRUE(WorkingStateIsEmpty());
        EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
        if (!bFailed) {
            EXPECT_TRUE(bQuiet) << driver.Error();
            break;
        }
        ++nFailures;
        // A failure while saving is shown; one while releasing needs nothing.
        if (!bQuiet) {
            EXPECT_NE(driver.Error().find("ZTM5043"), std::string::npos) << driver.Error();
        }
    }
    EXPECT_GT(nFailures, 10);
}

} // namespace
