// The publication's private strings as the plug-in reads and writes them,
// with the exact script lines and delete requests the host receives.
#include "plugin/channel/PrivateStore.h"
#include "core/OwnedText.h"
#include "host/DebugOutput.h"
#include "host/StandInHost.h"
#include "plugin/PublicationState.h"
#include "plugin/WorkingState.h"
#include "plugin/fields/FieldState.h"
#include "plugin/fields/SampleState.h"
#include "plugin/fonts/FontMapState.h"
#include "plugin/objects/ObjectState.h"
#include "tests/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

CPrivateString Nebv(int32_t nIndex, const std::string& strValue) {
    return {"NEB ", "VDAT", nIndex, strValue, false};
}

std::string Field(const char* pName, int nStart, int nEnd) {
    return std::string(pName) + " 0 0 0 1 0 " + std::to_string(nStart) + " " +
           std::to_string(nEnd) + " " + std::to_string(nEnd - nStart) + " 1 CRLF NULL ";
}

Bytes DeleteRequest(int32_t nIndex) {
    return {'N',
            'E',
            'B',
            ' ',
            0,
            0,
            'V',
            'D',
            'A',
            'T',
            0,
            0,
            24,
            0,
            static_cast<uint8_t>(nIndex & 0xFF),
            static_cast<uint8_t>(nIndex >> 8),
            0,
            0,
            1,
            0,
            0,
            0,
            0,
            0};
}

class PrivateStore : public ::testing::Test {
  protected:
    CWorkingState state;
    void TearDown() override {
        state.Release();
        EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
    }

    // The script lines and delete requests the plug-in sent, in order.
    std::vector<std::string> Sent() const {
        std::vector<std::string> sent;
        for (const CLoggedRequest& entry : host.Log().Entries()) {
            if (entry.Code() == 1900 || entry.Code() == 4900) {
                sent.push_back(entry.InputText());
            } else if (entry.Code() == 1207) {
                sent.push_back("delete " + std::to_string(entry.input[14] | entry.input[15] << 8));
            }
        }
        return sent;
    }

    std::vector<std::string> FieldNames() const {
        std::vector<std::string> names;
        if (state.fields.pList != nullptr) {
            state.fields.pList->Rewind();
            while (CDataField* pField = state.fields.pList->Next()) {
                names.push_back(pField->pName);
            }
        }
        return names;
    }

    CStandInHost host;
    CTestFiles files;
};

TEST_F(PrivateStore, PublicationWithoutStringsLoadsNothing) {
    EXPECT_EQ(LoadPublicationState(host.Block(), state), StatusOk);
    EXPECT_EQ(state.sample.pFile, nullptr);
    EXPECT_EQ(state.fontMap.pPath, nullptr);
    EXPECT_EQ(state.fields.pList, nullptr);
    EXPECT_EQ(state.objects.pNames, nullptr);
    EXPECT_FALSE(state.objects.bNamesUnread)
        << "a publication without named objects has no names to learn";
    EXPECT_EQ(host.Log().Entries()[0].Code(), 1556);
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "getprivatestring \"NEB \", \"VDAT\", classpub, 3, 0",
                          "getprivatestring \"NEB \", \"VDAT\", classpub, 2, 0",
                      }));
    EXPECT_EQ(host.Log().Entries().back().Code(), 3532);
}

TEST_F(PrivateStore, RunEndsAtTheDeletedMarker) {
    host.Publication().strings = {Nebv(1000, Field("A", 0, 2)), Nebv(1001, Field("B", 3, 5)),
                                  Nebv(1002, Field("C", 6, 8)), Nebv(1003, "InvalidPrivateString"),
                                  Nebv(1004, Field("E", 9, 9))};
    char** ppStrings = nullptr;
    ASSERT_EQ(ReadPubList(host.Block(), 1000, ppStrings), StatusOk);
    int nCount = 0;
    while (ppStrings[nCount] != nullptr) {
        ++nCount;
    }
    EXPECT_EQ(nCount, 3);
    EXPECT_STREQ(ppStrings[2], Field("C", 6, 8).c_str());
    FreeStringArray(ppStrings);
    EXPECT_EQ(ReadPubList(host.Block(), 2000, ppStrings), StatusFailed) << "an empty run";
    EXPECT_EQ(ppStrings, nullptr);
}

TEST_F(PrivateStore, SavingTwoFieldsOverFourWritesTwoAndDeletesTheRest) {
    for (bool bMarker : {true, false}) {
        SCOPED_TRACE(bMarker ? "deleted strings read as the marker" : "deleted strings absent");
        host.Log().Clear();
        host.Publication().bDeletedReadsAsMarker = bMarker;
        host.Publication().strings = {Nebv(1000, Field("A", 0, 2)), Nebv(1001, Field("B", 3, 5)),
                                      Nebv(1002, Field("C", 6, 8)), Nebv(1003, Field("D", 9, 11))};
        state.fields.pList = new CDataFieldList;
        state.fields.pList->Insert(new CDataField(
            "Y", 0, 0, 0, 1, 0,
            new CSampleExtent(4, 6, 2, 1, nullptr, DuplicateText("CRLF"), DuplicateText("NULL"))));
        state.fields.pList->Insert(new CDataField(
            "X", 0, 0, 0, 1, 0,
            new CSampleExtent(0, 2, 2, 1, nullptr, DuplicateText("CRLF"), DuplicateText("NULL"))));
        EXPECT_EQ(SavePublicationState(host.Block(), state), StatusOk);
        std::vector<std::string> expected = {
            "privatestring \"NEB \", \"VDAT\", classpub, 1000, 1, 0, true, \"X 0 0 0 1 0 0 2 2 1 "
            "CRLF NULL \"",
            "privatestring \"NEB \", \"VDAT\", classpub, 1001, 1, 0, true, \"Y 0 0 0 1 0 4 6 2 1 "
            "CRLF NULL \"",
            "getprivatestring \"NEB \", \"VDAT\", classpub, 1002, 0",
            "delete 1002",
            "getprivatestring \"NEB \", \"VDAT\", classpub, 1003, 0",
            "delete 1003",
            "getprivatestring \"NEB \", \"VDAT\", classpub, 1004, 0",
        };
        EXPECT_EQ(Sent(), expected);
        std::vector<CLoggedRequest> deletes = host.Log().WithCode(1207);
        ASSERT_EQ(deletes.size(), 2u);
        EXPECT_EQ(deletes[0].input, DeleteRequest(1002));
        EXPECT_EQ(deletes[1].input, DeleteRequest(1003));
        EXPECT_EQ(deletes[1].block.inputLength, 24u);
        state.Release();
    }
}

TEST_F(PrivateStore, SavingWithoutFieldsDeletesTheWholeRunAndOffsetsOfMinusOneStayUnwritten) {
    host.Publication().strings = {Nebv(1000, Field("A", 0, 2)), Nebv(1001, Field("B", 3, 5))};
    state.sample.pFile = DuplicateText("C:\\Data\\Customers.TXT");
    state.fontMap.pPath = DuplicateText("C:\\Program Files\\NEB\\NEBVDATA.VDA");
    state.sample.nCopyStart = -1;
    state.sample.nCopyEnd = 120;
    EXPECT_EQ(SavePublicationState(host.Block(), state), StatusOk);
    EXPECT_EQ(Sent(), (std::vector<std::string>{
                          "privatestring \"NEB \", \"VDAT\", classpub, 2, 1, 0, true, "
                          "\"c:\\data\\customers.txt\"",
                          "privatestring \"NEB \", \"VDAT\", classpub, 3, 1, 0, true, "
                          "\"c:\\program files\\neb\\nebvdata.vda\"",
                          "privatestring \"NEB \", \"VDAT\", classpub, 5, 1, 0, true, \"120\"",
                          "getprivatestring \"NEB \", \"VDAT\", classpub, 1000, 0",
                          "delete 1000",
                          "getprivatestring \"NEB \", \"VDAT\", classpub, 1001, 0",
                          "delete 1001",
                          "getprivatestring \"NEB \", \"VDAT\", classpub, 1002, 0",
                      }));
}

TEST_F(PrivateStore, ObjectValueWithQuotesIsEscapedOnTheWayOut) {
    host.Publication().pages = {CHostPage{{HostObject(77, 1, 11)}}};
    const std::string strValue =
        "Price Is Graphic ScaleToFit On \"c:\\jobs\\a.ps\" 1 At 0 0 For 1 1";
    ASSERT_EQ(WriteObjectString(host.Block(), 100, 77, strValue), StatusOk);
    EXPECT_EQ(host.Log().Entries()[0].InputText(),
              "privatestring \"NEB \", \"VDAT\", classobject, 100, 1, 77, true, \"Price Is "
              "Graphic ScaleToFit On \\\"c:\\jobs\\a.ps\\\" 1 At 0 0 For 1 1\"");
    std::string strRead;
    ASSERT_EQ(ReadObjectString(host.Block(), 100, 77, strRead), StatusOk);
    EXPECT_EQ(strRead, strValue);
    EXPECT_EQ(host.Log().Entries()[1].InputText(),
              "getprivatestring \"NEB \", \"VDAT\", classobject, 100, 77");
    EXPECT_EQ(ReadObjectString(host.Block(), 100, 78, strRead), StatusFailed) << "no object 78";
}

TEST_F(PrivateStore, ObjectListsAndNames) {
    host.Publication().pages = {
        CHostPage{{HostObject(5, 1, 11, {Nebv(1, "Headline"), Nebv(100, "x"), Nebv(101, "")}),
                   HostObject(6, 2, 1)}},
        CHostPage{{HostObject(9, 1, 11, {Nebv(1, "Logo")})}}};
    char** ppNames = nullptr;
    ASSERT_EQ(ListObjectNames(host.Block(), ppNames), StatusOk);
    ASSERT_NE(ppNames, nullptr);
    EXPECT_STREQ(ppNames[0], "Headline");
    EXPECT_STREQ(ppNames[1], "Logo");
    EXPECT_EQ(ppNames[2], nullptr);
    FreeStringArray(ppNames);

    char** ppRun = nullptr;
    ASSERT_EQ(ReadObjectList(host.Block(), 100, 5, ppRun), StatusOk);
    EXPECT_STREQ(ppRun[0], "x");
    EXPECT_STREQ(ppRun[1], "") << "an empty string belongs to the run";
    EXPECT_EQ(ppRun[2], nullptr);
    FreeStringArray(ppRun);

    std::string strFirst = "first";
    std::string strSecond = "se\"cond";
    char* apStrings[] = {&strFirst[0], &strSecond[0], nullptr};
    ASSERT_EQ(WriteObjectList(host.Block(), 100, 9, apStrings), StatusOk);
    ASSERT_EQ(ReadObjectList(host.Block(), 100, 9, ppRun), StatusOk);
    EXPECT_STREQ(ppRun[1], "se\"cond");
    FreeStringArray(ppRun);

    host.Publication().pages.clear();
    bool bAnswered = false;
    EXPECT_EQ(ListObjectNames(host.Block(), ppNames, &bAnswered), StatusFailed)
        << "no object carries strings";
    EXPECT_TRUE(bAnswered) << "a list of none is an answer";

    // A catalogue's list does not fit the reply buffer: start-up goes on
    // without it, and the names are to be learnt from the pages.
    host.Publication().pages.resize(20);
    for (int32_t nId = 1; nId <= 400; ++nId) {
        host.Publication().pages[static_cast<size_t>(nId % 20)].objects.push_back(HostObject(
            nId, static_cast<int16_t>(nId / 20 + 1), 11, {Nebv(1, "N" + std::to_string(nId))}));
    }
    EXPECT_EQ(ListObjectNames(host.Block(), ppNames, &bAnswered), StatusFailed);
    EXPECT_FALSE(bAnswered);
    ASSERT_EQ(LoadPublicationState(host.Block(), state), StatusOk);
    EXPECT_EQ(state.objects.pNames, nullptr);
    EXPECT_TRUE(state.objects.bNamesUnread);
}

TEST_F(PrivateStore, FailedRereadWritesTheDebugLineAndFails) {
    host.Publication().strings = {Nebv(1000, Field("A", 0, 2)), Nebv(1001, Field("B", 3, 5))};
    // Counting reads 1000, 1001 and 1002 and asks for 1002 again; the second
    // pass fails at its first read.
    host.FailRequestAfter(4900, 3);
    CDebugOutput debug;
    char** ppStrings = nullptr;
    EXPECT_EQ(ReadPubList(host.Block(), 1000, ppStrings), RunNotWhole);
    EXPECT_EQ(ppStrings, nullptr);
    EXPECT_EQ(debug.Lines(), std::vector<std::string>{"Big problem occured!!!\n"});

    host.Publication().pages = {CHostPage{{HostObject(5, 1, 11, {Nebv(100, "a")})}}};
    host.FailRequestAfter(4900, 2);
    EXPECT_EQ(ReadObjectList(host.Block(), 100, 5, ppStrings), RunNotWhole);
    EXPECT_EQ(debug.Lines().back(), "Big problem occured for object!!!\n");
}

// A string the host fails to hand over while the run is counted is asked for
// again: found there, the run is not whole, and nothing of it is read.
TEST_F(PrivateStore, StringTheHostFailedToHandOverMakesTheRunNotWhole) {
    host.Publication().strings = {Nebv(1000, Field("A", 0, 2)), Nebv(1001, Field("B", 3, 5))};
    host.FailNthRequest(2); // the first read of 1001
    CDebugOutput debug;
    char** ppStrings = nullptr;
    EXPECT_EQ(ReadPubList(host.Block(), 1000, ppStrings), RunNotWhole);
    EXPECT_EQ(ppStrings, nullptr);
    EXPECT_EQ(debug.Lines(), std::vector<std::string>{"Big problem occured!!!\n"});

    CStandInHost whole;
    whole.Publication().strings = host.Publication().strings;
    EXPECT_EQ(ReadPubList(whole.Block(), 1000, ppStrings), StatusOk);
    FreeStringArray(ppStrings);
    EXPECT_EQ(whole.Log().Entries().size(), 6u) << "three reads, the end again, two reads";
    EXPECT_EQ(ReadPubList(whole.Block(), 2000, ppStrings), StatusFailed) << "no run at all";
}

TEST_F(PrivateStore, StoredStateLoadsFieldsOffsetsAndNames) {
    std::string strSample = files.Write("customers.txt", "HEAD\r\nJane\r\nDoe\r\nNEXT\r\n");
    host.Publication().strings = {
        Nebv(2, strSample), Nebv(3, "c:\\x\\nebvdata.vda"),  Nebv(4, "6"),
        Nebv(5, "17"),      Nebv(1000, Field("Last", 6, 9)), Nebv(1001, Field("First", 0, 4))};
    host.Publication().pages = {CHostPage{{HostObject(5, 1, 11, {Nebv(1, "Greeting")})}}};
    ASSERT_EQ(LoadPublicationState(host.Block(), state), StatusOk);
    EXPECT_STREQ(state.sample.pFile, strSample.c_str());
    EXPECT_STREQ(state.fontMap.pPath, "c:\\x\\nebvdata.vda");
    EXPECT_EQ(state.sample.nCopyStart, 6);
    EXPECT_EQ(state.sample.nCopyEnd, 17);
    EXPECT_STREQ(state.sample.pCopyText, "Jane\r\nDoe\r\n");
    EXPECT_EQ(FieldNames(), (std::vector<std::string>{"First", "Last"}));
    EXPECT_STREQ(state.fields.pList->Find("Last")->GetSample(), "Doe");
    ASSERT_NE(state.objects.pNames, nullptr);
    EXPECT_EQ(state.objects.pNames->Count(), 1u);
    EXPECT_STREQ(state.objects.pNames->At(0), "Greeting");
}

} // namespace
