// The stand-in host's answers about pages, objects, the selection and
// printing, asked for directly, as the plug-in's requests arrive.
#include "core/ParamBuffer.h"
#include "host/StandInHost.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

class HostAnswers : public ::testing::Test {
  protected:
    void SetUp() override {
        CPublication& pub = host.Publication();
        pub.strPath = "C:\\Jobs\\Card.pub";
        pub.pages.resize(2);
        CHostObject text = HostObject(21, 1, 1);
        text.anBounds[0] = 1440;
        text.anBounds[1] = 2880;
        text.anBounds[2] = 4320;
        text.anBounds[3] = 3600;
        CHostObject turned = HostObject(22, 2, 11);
        turned.bRotated = true;
        const int32_t anCorners[8] = {100, 200, 300, 150, 350, 400, 150, 450};
        memcpy(turned.anCorners, anCorners, sizeof anCorners);
        pub.pages[0].objects = {text, turned};
        pub.pages[1].objects = {HostObject(23, 1, 5)};
    }

    // Sends one request with the input bytes; the reply comes in a block of
    // the host's own or, with a capacity, in a buffer of that size.
    uint16_t Ask(HostRequest code, const Bytes& input = {}, uint32_t nCapacity = 0) {
        HostParamBlock block = *host.Block();
        block.code = static_cast<uint16_t>(code);
        block.inputKind = input.empty() ? InputNone : InputBuffer;
        block.input = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(input.data()));
        block.inputLength = static_cast<uint32_t>(input.size());
        buffer.assign(nCapacity, 0xEE);
        block.replyKind = nCapacity > 0 ? ReplyBinary : ReplyHandle;
        block.reply =
            nCapacity > 0 ? static_cast<uint32_t>(reinterpret_cast<uintptr_t>(buffer.data())) : 0;
        block.replyCapacity = nCapacity;
        uint16_t nStatus = host.HandleRequest(&block);
        reply.clear();
        if (nCapacity == 0 && block.reply != 0) {
            HGLOBAL hReply = reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(block.reply));
            const uint8_t* pData = static_cast<const uint8_t*>(GlobalLock(hReply));
            reply.assign(pData, pData + GlobalSize(hReply));
            GlobalUnlock(hReply);
            GlobalFree(hReply);
        }
        return nStatus;
    }
    uint16_t GoTo(int32_t nPage) {
        HostParamBlock block = *host.Block();
        block.code = static_cast<uint16_t>(HostRequest::CmdGoToPage);
        block.inputKind = InputInline;
        block.input = static_cast<uint32_t>(nPage);
        block.inputLength = 2;
        block.replyKind = ReplyNone;
        return host.HandleRequest(&block);
    }
    std::vector<int32_t> Values32(size_t nCount, size_t nFrom = 0) const {
        CReplyReader reader(reply.data(), reply.size());
        reader.Seek(nFrom);
        std::vector<int32_t> values;
        for (size_t i = 0; i < nCount; ++i) {
            values.push_back(reader.Get32());
        }
        return values;
    }
    int16_t Value16(size_t nAt) const {
        CReplyReader reader(reply.data(), reply.size());
        reader.Seek(nAt);
        return reader.Get16();
    }
    static Bytes SelectNumber(int32_t nNumber) {
        uint8_t ab[10];
        CParamWriter writer(ab, sizeof ab);
        writer.Put16(1);
        writer.Put32(nNumber);
        writer.PutZeros(4);
        return Bytes(ab, ab + writer.Length());
    }
    std::string LastNote() const { return host.Log().Entries().back().note; }

    CStandInHost host;
    Bytes reply;
    Bytes buffer;
};

TEST_F(HostAnswers, PagesTheirSizeAndWhereTheyLie) {
    ASSERT_EQ(Ask(HostRequest::QueryPageSize), StatusOk);
    EXPECT_EQ(Values32(2), (std::vector<int32_t>{12240, 15840}));
    ASSERT_EQ(Ask(HostRequest::QueryPageOrigin), StatusOk);
    EXPECT_EQ(Values32(3), (std::vector<int32_t>{2880, 1440, 2880 + 12240}));
    host.Publication().bFacingPages = true;
    ASSERT_EQ(Ask(HostRequest::QueryPageOrigin), StatusOk);
    EXPECT_EQ(Values32(3)[2], 2880 + 2 * 12240) << "two pages side by side";
    ASSERT_EQ(Ask(HostRequest::QueryPageCount), StatusOk);
    EXPECT_EQ(Value16(0), 2);

    EXPECT_EQ(GoTo(-5), StatusOk);
    ASSERT_EQ(Ask(HostRequest::QueryCurrentPage), StatusOk);
    EXPECT_EQ(Value16(0), 2);
    EXPECT_EQ(GoTo(-5), StatusFailed);
    EXPECT_EQ(LastNote(), "no page 3");
    EXPECT_EQ(GoTo(0), StatusFailed);
    EXPECT_EQ(GoTo(1), StatusOk);
    EXPECT_EQ(host.Publication().nCurrentPage, 1);
}

TEST_F(HostAnswers, ObjectListOfTheCurrentPage) {
    ASSERT_EQ(Ask(HostRequest::QueryPageObjects), StatusOk);
    ASSERT_EQ(reply.size(), 2u + 2 * 20) << "a count, then 20 bytes an object";
    EXPECT_EQ(Value16(0), 2);
    EXPECT_EQ(Value16(2), 1);
    EXPECT_EQ(Value16(4), 1);
    EXPECT_EQ(Value16(22), 2);
    EXPECT_EQ(Value16(24), 11);
    host.Publication().pages[0].objects.clear();
    ASSERT_EQ(Ask(HostRequest::QueryPageObjects), StatusOk);
    EXPECT_EQ(reply, (Bytes{0, 0}));
}

TEST_F(HostAnswers, SelectionRecordOnThePasteboard) {
    ASSERT_EQ(Ask(HostRequest::QuerySelection), StatusOk);
    EXPECT_EQ(reply, Bytes(54, 0)) << "nothing selected: a record of zeros";

    ASSERT_EQ(Ask(HostRequest::CmdSelectObject, SelectNumber(1)), StatusOk);
    ASSERT_EQ(Ask(HostRequest::QuerySelection), StatusOk);
    ASSERT_EQ(reply.size(), 54u);
    EXPECT_EQ(Value16(0), 1);
    EXPECT_EQ(Values32(1, 2)[0], 21);
    EXPECT_EQ(Value16(14), 1);
    EXPECT_EQ(Value16(16), 1);
    EXPECT_EQ(Value16(18), 0);
    EXPECT_EQ(Values32(8, 22), (std::vector<int32_t>{1440 + 2880, 2880 + 1440, 4320 + 2880,
                                                     3600 + 1440, 0, 0, 0, 0}));

    ASSERT_EQ(Ask(HostRequest::CmdSelectObject, SelectNumber(2)), StatusOk);
    ASSERT_EQ(Ask(HostRequest::QuerySelection), StatusOk);
    EXPECT_EQ(Value16(18), 1) << "rotated";
    EXPECT_EQ(Values32(8, 22),
              (std::vector<int32_t>{100 + 2880, 200 + 1440, 300 + 2880, 150 + 1440, 350 + 2880,
                                    400 + 1440, 150 + 2880, 450 + 1440}));

    ASSERT_EQ(Ask(HostRequest::CmdSelectObject, SelectNumber(1)), StatusOk);
    uint8_t abMove[10];
    CParamWriter move(abMove, sizeof abMove);
    move.Put16(5);
    move.Put32(2880 + 100);
    move.Put32(1440 + 200);
    ASSERT_EQ(Ask(HostRequest::CmdMoveSelection, Bytes(abMove, abMove + move.Length())), StatusOk);
    const int32_t* pBounds = host.Publication().pages[0].objects[0].anBounds;
    EXPECT_EQ((std::vector<int32_t>(pBounds, pBounds + 4)),
              (std::vector<int32_t>{100, 200, 100 + 2880, 200 + 720}))
        << "moved, size kept";

    ASSERT_EQ(Ask(HostRequest::CmdClearSelection), StatusOk);
    EXPECT_EQ(Ask(HostRequest::CmdMoveSelection, Bytes(abMove, abMove + move.Length())),
              StatusFailed);
    EXPECT_EQ(LastNote(), "nothing selected");
    ASSERT_EQ(Ask(HostRequest::CmdSelectObject, SelectNumber(9)), StatusOk);
    ASSERT_EQ(Ask(HostRequest::QuerySelection), StatusOk);
    EXPECT_EQ(Value16(0), 0) << "no object of that number on the page";
}

TEST_F(HostAnswers, PrintingRecordsGoOutAndComeBack) {
    CPublication& pub = host.Publication();
    pub.printOptions.anLeading[1] = 7;
    pub.printOptions.strName = "Options";
    ASSERT_EQ(Ask(HostRequest::QueryPrintOptions), StatusOk);
    CReplyReader optionsReader(reply.data(), reply.size());
    CPrintOptions options;
    ASSERT_TRUE(ReadPrintOptions(optionsReader, options));
    EXPECT_EQ(options.anLeading[1], 7);
    EXPECT_EQ(options.strName, "Options");
    options.anTrailing[3] = 9;
    uint8_t abRecord[256];
    CParamWriter optionsWriter(abRecord, sizeof abRecord);
    WritePrintOptions(optionsWriter, options);
    ASSERT_EQ(
        Ask(HostRequest::CmdSetPrintOptions, Bytes(abRecord, abRecord + optionsWriter.Length())),
        StatusOk);
    EXPECT_EQ(pub.printOptions.anTrailing[3], 9);
    EXPECT_EQ(Ask(HostRequest::CmdSetPrintOptions, Bytes{1, 0}), StatusFailed);
    EXPECT_EQ(LastNote(), "malformed print options");

    ASSERT_EQ(Ask(HostRequest::QueryPaper), StatusOk);
    CReplyReader paperReader(reply.data(), reply.size());
    CPaperRecord paper;
    ASSERT_TRUE(ReadPaper(paperReader, paper));
    EXPECT_EQ(paper.strName, "Letter");
    EXPECT_EQ(paper.Height(), 15840);
    EXPECT_EQ(paper.Width(), 12240);

    ASSERT_EQ(Ask(HostRequest::QueryPrinterIsPostScript, {}, 2), StatusOk);
    EXPECT_EQ(buffer, (Bytes{1, 0}));
    ASSERT_EQ(Ask(HostRequest::QueryDefaultPrinter, {}, 255), StatusOk);
    EXPECT_STREQ(reinterpret_cast<const char*>(buffer.data()), "PostScript Printer");
    pub.printer.bPresent = false;
    EXPECT_EQ(Ask(HostRequest::QueryDefaultPrinter, {}, 255), StatusFailed);
}

TEST_F(HostAnswers, ReplyThatDoesNotFitTheBufferIsRefusedWhole) {
    host.Publication().printer.strName = std::string(300, 'P');
    EXPECT_EQ(Ask(HostRequest::QueryDefaultPrinter, {}, 255), StatusFailed);
    EXPECT_EQ(LastNote(), "the reply does not fit the reply buffer");
    EXPECT_EQ(buffer, Bytes(255, 0xEE)) << "nothing of it is copied";
    host.ScriptReply(3523, {1, 0, 0});
    EXPECT_EQ(Ask(HostRequest::QueryPrinterIsPostScript, {}, 2), StatusFailed);
    host.ScriptReply(3523, {1, 0});
    EXPECT_EQ(Ask(HostRequest::QueryPrinterIsPostScript, {}, 2), StatusOk);
}

TEST_F(HostAnswers, PrintToFileWritesOnePageForEachPage) {
    uint8_t abPrint[128];
    CParamWriter writer(abPrint, sizeof abPrint);
    writer.Put16(-2);
    writer.Put16(-2);
    writer.Put16(-2);
    writer.PutString("host-answers.ps");
    writer.PutString("PostScript Printer");
    ASSERT_EQ(Ask(HostRequest::CmdPrintToFile, Bytes(abPrint, abPrint + writer.Length())),
              StatusOk);
    std::ifstream in("host-answers.ps", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    in.close();
    remove("host-answers.ps");
    std::string strText = text.str();
    EXPECT_EQ(strText.substr(0, 15), "%!PS-Adobe-3.0\n");
    EXPECT_NE(strText.find("%%Pages: 2\n"), std::string::npos);
    EXPECT_NE(strText.find("%%Page: 2 2\n"), std::string::npos);
    ASSERT_GE(strText.size(), 16u);
    EXPECT_EQ(strText.substr(strText.size() - 16), "%%Trailer\n%%EOF\n");
}

TEST_F(HostAnswers, TextAttributesOfTheSelectedTextBlock) {
    CHostObject& block = host.Publication().pages[0].objects[0];
    EXPECT_EQ(Ask(HostRequest::QueryFontSize), StatusFailed) << "nothing selected";
    EXPECT_EQ(LastNote(), "the selection is no text block");
    block.bText = true;
    block.text.strFont = "New Century Schoolbook";
    block.text.nSize = 105;
    block.text.nLeading = -1;
    block.text.nAlignment = 4;
    block.text.nStyle = 6;
    block.text.strColor = "Brand Red";
    const int16_t anCmyk[4] = {0, 1000, 900, 50};
    memcpy(block.text.anCmyk, anCmyk, sizeof anCmyk);
    ASSERT_EQ(Ask(HostRequest::CmdSelectObject, SelectNumber(1)), StatusOk);

    ASSERT_EQ(Ask(HostRequest::QueryFontSize), StatusOk);
    EXPECT_EQ(Value16(0), 105);
    ASSERT_EQ(Ask(HostRequest::QueryLeading), StatusOk);
    EXPECT_EQ(Value16(0), -1);
    ASSERT_EQ(Ask(HostRequest::QueryTextAlignment), StatusOk);
    EXPECT_EQ(Value16(0), 4);
    ASSERT_EQ(Ask(HostRequest::QueryTypeStyle), StatusOk);
    EXPECT_EQ(Value16(0) & Value16(2), 6);
    ASSERT_EQ(Ask(HostRequest::QueryFontName), StatusOk);
    EXPECT_STREQ(reinterpret_cast<const char*>(reply.data()), "New Century Schoolbook");
    ASSERT_EQ(Ask(HostRequest::QueryTextColorName), StatusOk);
    EXPECT_STREQ(reinterpret_cast<const char*>(reply.data()), "Brand Red");

    uint8_t abColor[130] = {};
    CParamWriter writer(abColor, sizeof abColor);
    writer.Put16(1);
    writer.PutString("Brand Red");
    ASSERT_EQ(Ask(HostRequest::QueryColorCmyk, Bytes(abColor, abColor + sizeof abColor)), StatusOk);
    EXPECT_EQ(reply, (Bytes{0, 0, 0xE8, 0x03, 0x84, 0x03, 50, 0}));
    CParamWriter other(abColor, sizeof abColor);
    other.Put16(1);
    other.PutString("Blue");
    EXPECT_EQ(Ask(HostRequest::QueryColorCmyk, Bytes(abColor, abColor + sizeof abColor)),
              StatusFailed);
    EXPECT_EQ(LastNote(), "no colour \"Blue\"");

    host.FailRequest(3803);
    EXPECT_EQ(Ask(HostRequest::QueryFontSize), StatusFailed) << "the fault switch";
}

} // namespace
