// How the composers read the host's replies, and what they give back when the
// host fails, gives no block or cannot determine a value.
#include "host/StandInHost.h"
#include "plugin/channel/HostChannel.h"
#include "plugin/channel/HostRequests.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Word(int16_t nValue) {
    return {static_cast<uint8_t>(nValue & 0xFF), static_cast<uint8_t>((nValue >> 8) & 0xFF)};
}

class RequestReplies : public ::testing::Test {
  protected:
    void TearDown() override {
        EXPECT_TRUE(host.UnfreedReplyBlocks().empty()) << "every reply block is freed";
    }
    CStandInHost host;
};

TEST_F(RequestReplies, UndeterminableValuesFailWithTheirOutValues) {
    int16_t nValue = 0;
    host.ScriptReply(2001, Word(-2));
    EXPECT_EQ(Request::QueryTextAlignment(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -2);
    host.ScriptReply(2001, Word(4));
    EXPECT_EQ(Request::QueryTextAlignment(host.Block(), nValue), StatusOk);
    EXPECT_EQ(nValue, 4) << "the channel passes the code on unchanged";

    host.ScriptReply(3803, Word(-2));
    EXPECT_EQ(Request::QueryFontSize(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -2);
    host.ScriptReply(3803, Word(120));
    EXPECT_EQ(Request::QueryFontSize(host.Block(), nValue), StatusOk);
    EXPECT_EQ(nValue, 120);

    host.ScriptReply(3102, Word(-1));
    EXPECT_EQ(Request::QueryLeading(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -1) << "a negative leading is passed back";
    host.ScriptReply(3102, Word(-7));
    EXPECT_EQ(Request::QueryLeading(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -7);
    host.ScriptReply(3102, Word(0));
    EXPECT_EQ(Request::QueryLeading(host.Block(), nValue), StatusOk);
}

TEST_F(RequestReplies, FailingHostGivesFailureAndDefaults) {
    int16_t nValue = 99;
    host.FailRequest(2001);
    EXPECT_EQ(Request::QueryTextAlignment(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -2);
    nValue = 99;
    host.FailRequest(3803);
    EXPECT_EQ(Request::QueryFontSize(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -2);
    std::string strName = "stale";
    host.FailRequest(2501);
    EXPECT_EQ(Request::QueryFontName(host.Block(), strName), StatusFailed);
    EXPECT_EQ(strName, "");
    host.FailRequest(3525, 1);
    EXPECT_EQ(Request::QueryDefaultPrinter(host.Block(), strName), StatusFailed);
    host.FailRequest(3523);
    EXPECT_EQ(Request::QueryPrinterIsPostScript(host.Block(), nValue), StatusFailed);
    host.FailRequest(1900);
    EXPECT_EQ(Request::CmdPrivateString(host.Block(), "privatestring"), StatusFailed);
    // Whatever the host's own status, a failed request is reported as 7212.
    for (uint16_t nHostStatus : {1, 3, 7212, 65535}) {
        host.FailRequest(102, nHostStatus);
        EXPECT_EQ(Request::CmdPaste(host.Block()), StatusFailed) << nHostStatus;
        host.FailRequest(16, nHostStatus);
        EXPECT_EQ(Request::CmdPrintToFile(host.Block(), "C:\\job.ps", "PS"), StatusFailed);
        host.FailRequest(1900, nHostStatus);
        EXPECT_EQ(Request::CmdPrivateString(host.Block(), "privatestring"), StatusFailed);
    }
}

TEST_F(RequestReplies, EveryBlockQueryFailsWithoutABlock) {
    const uint16_t codes[] = {2001, 2201, 2202, 2501, 3102, 3400, 3502, 3504, 3505,
                              3506, 3507, 3513, 3518, 3521, 3522, 3803, 3818, 3910};
    for (uint16_t nCode : codes) {
        host.GiveNoBlock(nCode);
    }
    int16_t n = 0;
    int32_t a = 0, b = 0, c = 0;
    int16_t anValues[10];
    std::string s;
    CPrintOptions options;
    CPaperRecord paper;
    CSelectionRecord selection;
    std::vector<CPageObject> objects;
    int16_t c1, c2, c3, c4;
    EXPECT_EQ(Request::QueryTextAlignment(host.Block(), n), StatusFailed);
    EXPECT_EQ(Request::QueryTextColorName(host.Block(), s), StatusFailed);
    EXPECT_EQ(Request::QueryColorCmyk(host.Block(), "Black", c1, c2, c3, c4), StatusFailed);
    EXPECT_EQ(Request::QueryFontName(host.Block(), s), StatusFailed);
    EXPECT_EQ(Request::QueryLeading(host.Block(), n), StatusFailed);
    EXPECT_EQ(Request::QueryPageObjects(host.Block(), objects), StatusFailed);
    EXPECT_EQ(Request::QueryCurrentPage(host.Block(), n), StatusFailed);
    EXPECT_EQ(Request::QueryViewSetting(host.Block(), n), StatusFailed);
    EXPECT_EQ(Request::QueryPageOrigin(host.Block(), a, b, c), StatusFailed);
    EXPECT_EQ(Request::QueryPageCount(host.Block(), n), StatusFailed);
    EXPECT_EQ(Request::QueryPageSize(host.Block(), a, b), StatusFailed);
    EXPECT_EQ(Request::QueryPublicationPath(host.Block(), s), StatusFailed);
    EXPECT_EQ(Request::QueryPrintOptions(host.Block(), options), StatusFailed);
    EXPECT_EQ(Request::QueryPrintOptions2(host.Block(), anValues), StatusFailed);
    EXPECT_EQ(Request::QueryPaper(host.Block(), paper), StatusFailed);
    EXPECT_EQ(Request::QueryFontSize(host.Block(), n), StatusFailed);
    EXPECT_EQ(Request::QuerySelection(host.Block(), selection), StatusFailed);
    EXPECT_EQ(Request::QueryTypeStyle(host.Block(), n), StatusFailed);
    EXPECT_EQ(host.Log().Entries().size(), sizeof codes / sizeof codes[0]);
}

TEST_F(RequestReplies, TruncatedRepliesAreRefused) {
    // A word reply of one byte holds no value: the out-value stays as it was.
    int16_t nValue = 99;
    host.ScriptReply(2001, {4});
    EXPECT_EQ(Request::QueryTextAlignment(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -2);
    host.ScriptReply(3803, {120});
    EXPECT_EQ(Request::QueryFontSize(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -2);
    nValue = -1;
    host.ScriptReply(3102, {12});
    EXPECT_EQ(Request::QueryLeading(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, -1);
    nValue = 7;
    host.ScriptReply(3506, {});
    EXPECT_EQ(Request::QueryPageCount(host.Block(), nValue), StatusFailed);
    EXPECT_EQ(nValue, 7);
    int32_t a = 0, b = 0, c = 0;
    host.ScriptReply(3505, Bytes(11, 0));
    EXPECT_EQ(Request::QueryPageOrigin(host.Block(), a, b, c), StatusFailed);
    host.ScriptReply(3818, Bytes(53, 0));
    CSelectionRecord selection;
    EXPECT_EQ(Request::QuerySelection(host.Block(), selection), StatusFailed);
    host.ScriptReply(3400, {5, 0, 1, 0});
    std::vector<CPageObject> objects;
    EXPECT_EQ(Request::QueryPageObjects(host.Block(), objects), StatusFailed);
}

TEST_F(RequestReplies, FontNameOf256CharactersIsUndeterminable) {
    std::string strName;
    std::string strLong(256, 'F');
    host.ScriptReply(2501, Bytes(strLong.begin(), strLong.end()));
    EXPECT_EQ(Request::QueryFontName(host.Block(), strName), StatusFailed);
    EXPECT_EQ(strName, "");
    std::string strFits(255, 'F');
    Bytes reply(strFits.begin(), strFits.end());
    reply.push_back(0);
    host.ScriptReply(2501, reply);
    EXPECT_EQ(Request::QueryFontName(host.Block(), strName), StatusOk);
    EXPECT_EQ(strName, strFits);
}

TEST_F(RequestReplies, ValuesAreReadFromTheirPlaces) {
    int16_t nValue = 0;
    host.ScriptReply(3910, {6, 0, 3, 0});
    EXPECT_EQ(Request::QueryTypeStyle(host.Block(), nValue), StatusOk);
    EXPECT_EQ(nValue, 2) << "the style is the first value AND the second";

    int32_t nLeft = 0, nTop = 0, nRight = 0;
    host.ScriptReply(3505, {0xA0, 0x05, 0, 0, 0xD0, 0x02, 0, 0, 0x40, 0x5F, 0, 0});
    EXPECT_EQ(Request::QueryPageOrigin(host.Block(), nLeft, nTop, nRight), StatusOk);
    EXPECT_EQ(nLeft, 1440);
    EXPECT_EQ(nTop, 720);
    EXPECT_EQ(nRight, 24384);

    host.ScriptReply(3523, {1, 0});
    EXPECT_EQ(Request::QueryPrinterIsPostScript(host.Block(), nValue), StatusOk);
    EXPECT_EQ(nValue, 1);

    std::string strPrinter;
    Bytes printer = {'P', 'S', ' ', 'P', 'r', 'i', 'n', 't', 'e', 'r', 0};
    host.ScriptReply(3525, printer);
    EXPECT_EQ(Request::QueryDefaultPrinter(host.Block(), strPrinter), StatusOk);
    EXPECT_EQ(strPrinter, "PS Printer");

    host.Publication().strPath = "C:\\Jobs\\Card.PUB";
    std::string strPath;
    EXPECT_EQ(Request::QueryPublicationPath(host.Block(), strPath), StatusOk);
    EXPECT_EQ(strPath, "C:\\Jobs\\Card.PUB");
}

TEST_F(RequestReplies, PrivateStringTextStartsAtTheFourthByteWithoutItsLastCharacter) {
    Bytes reply = {0x11, 0x22, 0x33, 'c', ':', '\\', 'a', '.', 't', 'x', 't', '\n', 0};
    host.ScriptReply(4900, reply);
    std::string strText;
    EXPECT_EQ(Request::QueryPrivateString(host.Block(), "getprivatestring", strText), StatusOk);
    EXPECT_EQ(strText, "c:\\a.txt");
    host.ScriptReply(4900, {0, 0, 0, 0});
    EXPECT_EQ(Request::QueryPrivateString(host.Block(), "getprivatestring", strText), StatusOk);
    EXPECT_EQ(strText, "");
    host.FailRequest(4900);
    EXPECT_EQ(Request::QueryPrivateString(host.Block(), "getprivatestring", strText), StatusFailed);
}

TEST_F(RequestReplies, ObjectsWithPrivateData) {
    std::vector<CPrivateDataObject> objects;
    host.ScriptReply(3532, {0, 0});
    EXPECT_EQ(Request::QueryObjectsWithPrivateData(host.Block(), objects), StatusFailed)
        << "a count of 0 gives no list";
    EXPECT_TRUE(objects.empty());
    Bytes reply(48, 0);
    reply[0] = 2;
    reply[16] = 0x0A;
    reply[22] = 5;
    reply[40] = 0x0B;
    reply[46] = 30;
    host.ScriptReply(3532, reply);
    ASSERT_EQ(Request::QueryObjectsWithPrivateData(host.Block(), objects), StatusOk);
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[1].nObjectId, 0x0B);
    EXPECT_EQ(objects[1].nLength, 30);
}

TEST_F(RequestReplies, SelectionAndPrintRecords) {
    Bytes selection(54, 0);
    selection[0] = 1;
    selection[2] = 77;
    selection[14] = 3;
    selection[16] = 1;
    selection[22] = 0x40;
    selection[23] = 0x1F;
    host.ScriptReply(3818, selection);
    CSelectionRecord record;
    ASSERT_EQ(Request::QuerySelection(host.Block(), record), StatusOk);
    EXPECT_EQ(record.nObjectId, 77);
    EXPECT_EQ(record.nObjectNumber, 3);
    EXPECT_EQ(record.nKind, 1);
    EXPECT_EQ(record.anCoords[0], 8000);

    Bytes options = {1, 0, 2, 0, 3, 0, 4, 0, 'P', 'S', 0, 0};
    for (int i = 0; i < 8; ++i) {
        options.push_back(static_cast<uint8_t>(i + 1));
        options.push_back(0);
    }
    host.ScriptReply(3518, options);
    CPrintOptions read;
    ASSERT_EQ(Request::QueryPrintOptions(host.Block(), read), StatusOk);
    EXPECT_EQ(read.strName, "PS");
    EXPECT_EQ(read.anTrailing[5], 6);

    // A record read and sent back unchanged arrives byte for byte.
    host.Log().Clear();
    ASSERT_EQ(Request::CmdSetPrintOptions(host.Block(), read), StatusOk);
    EXPECT_EQ(host.Log().Entries()[0].input, options);
}

TEST_F(RequestReplies, UnknownRequestIsRefusedAndLogged) {
    HostParamBlock* pBlock = host.Block();
    CHostCall call{static_cast<HostRequest>(4242)};
    EXPECT_NE(CallHost(pBlock, call), StatusOk);
    ASSERT_EQ(host.Log().Entries().size(), 1u);
    EXPECT_EQ(host.Log().Entries()[0].note, "unknown request");
    EXPECT_NE(host.Log().Format().find("request 4242"), std::string::npos);
}

TEST_F(RequestReplies, HostNoticesABlockThatWasNotFreed) {
    host.ScriptReply(3502, Word(4));
    CGlobalBlock block = QueryHost(host.Block(), HostRequest::QueryCurrentPage);
    ASSERT_FALSE(block.IsEmpty());
    EXPECT_EQ(host.UnfreedReplyBlocks(), std::vector<HGLOBAL>{block.Get()});
    EXPECT_EQ(ReadFirstWord(block.Get()), 4);
    block.Free();
    EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
}

TEST_F(RequestReplies, ReadFirstWordLeavesTheBlockToItsOwner) {
    HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, 4);
    auto* pData = static_cast<uint8_t*>(GlobalLock(hBlock));
    pData[0] = 0x34;
    pData[1] = 0x12;
    GlobalUnlock(hBlock);
    EXPECT_EQ(ReadFirstWord(hBlock), 0x1234);
    EXPECT_EQ(GlobalFlags(hBlock) & GMEM_LOCKCOUNT, 0u) << "unlocked again";
    EXPECT_EQ(GlobalFree(hBlock), nullptr);
}

} // namespace
