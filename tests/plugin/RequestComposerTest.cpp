// Every request composer: the exact block fields and parameter bytes the host
// receives, with nothing of an earlier request left in the block.
#include "core/ScriptLines.h"
#include "host/StandInHost.h"
#include "plugin/channel/HostChannel.h"
#include "plugin/channel/HostRequests.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

uint32_t Address(const void* p) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(p));
}

Bytes Text(const std::string& strText) {
    return Bytes(strText.begin(), strText.end());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

struct CComposerCase {
    const char* pName;
    std::function<uint16_t(HostParamBlock*)> send;
    uint16_t nCode;
    uint16_t nInputKind;
    Bytes input;           // buffer requests: the exact parameter bytes
    uint32_t nInputLength; // buffer length, or the second inline value
    uint32_t nInput;       // first inline value (inline requests only)
    uint16_t nReplyKind;
    uint32_t nReplyCapacity;
};

// Fills every field a request may set with a pattern, as an earlier request
// with other values would have left it.
void Scribble(HostParamBlock* pBlock) {
    pBlock->code = 0xEEEE;
    pBlock->input = 0xEEEEEEEE;
    pBlock->inputLength = 0xEEEEEEEE;
    pBlock->inputKind = 0xEEEE;
    pBlock->reply = 0xEEEEEEEE;
    pBlock->replyCapacity = 0xEEEEEEEE;
    pBlock->replyKind = 0xEEEE;
}

CPrintOptions SamplePrintOptions() {
    CPrintOptions options;
    options.anLeading[0] = 1;
    options.strName = "abc";
    options.anTrailing[7] = 8;
    return options;
}

CPaperRecord SamplePaper() {
    CPaperRecord paper;
    paper.strName = "Letter";
    paper.strSecond = "x";
    paper.anSize[0] = 15840;
    paper.anSize[1] = 12240;
    paper.anLastGroup[1] = 1000;
    return paper;
}

std::vector<CComposerCase> Cases() {
    int16_t anValues[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    const std::string strLine = "getprivatestring \"NEB \", \"VDAT\", classpub, 2, 0";
    const std::string strWrite =
        "privatestring \"NEB \", \"VDAT\", classpub, 2, 1, 0, true, \"c:\\data.txt\"";
    // clang-format off
    return {
        // name, call, code, input kind, input bytes, length, inline first, reply kind, capacity
        {"set view setting", [](HostParamBlock* b) { return Request::CmdSetViewSetting(b, 3, 0); },
         13, InputBuffer, {3, 0, 0, 0}, 8192, 0, ReplyNone, 0},
        {"print to file",
         [](HostParamBlock* b) { return Request::CmdPrintToFile(b, "c:\\jobs\\card.ps", "PS1"); },
         16, InputBuffer,
         Concat({{0xFE, 0xFF, 0xFE, 0xFF, 0xFE, 0xFF}, Text("c:\\jobs\\card.ps"), {0},
                 Text("PS1"), {0}}),
         6 + 16 + 4, 0, ReplyNone, 0},
        {"paste", [](HostParamBlock* b) { return Request::CmdPaste(b); }, 102, InputNone, {}, 0, 0,
         ReplyNone, 0},
        {"clear selection", [](HostParamBlock* b) { return Request::CmdClearSelection(b); }, 104,
         InputNone, {}, 0, 0, ReplyNone, 0},
        {"go to page", [](HostParamBlock* b) { return Request::CmdGoToPage(b, 7); }, 301,
         InputInline, {}, 2, 7, ReplyNone, 0},
        {"go to next page",
         [](HostParamBlock* b) { return Request::CmdGoToPage(b, Request::NextPage); }, 301,
         InputInline, {}, 2, static_cast<uint32_t>(-5), ReplyNone, 0},
        {"text request 701", [](HostParamBlock* b) { return Request::CmdTextRequest701(b); }, 701,
         InputNone, {}, 0, 0, ReplyNone, 0},
        {"text request 702", [](HostParamBlock* b) { return Request::CmdTextRequest702(b); }, 702,
         InputBuffer, {8, 0, 1, 0, 0, 0}, 6, 0, ReplyNone, 0},
        {"select object", [](HostParamBlock* b) { return Request::CmdSelectObject(b, 0x1234); },
         902, InputBuffer, {1, 0, 0x34, 0x12, 0, 0, 0, 0, 0, 0}, 10, 0, ReplyNone, 0},
        {"move selection",
         [](HostParamBlock* b) { return Request::CmdMoveSelection(b, 1440, -20); }, 908,
         InputBuffer, {5, 0, 0xA0, 0x05, 0, 0, 0xEC, 0xFF, 0xFF, 0xFF}, 10, 0, ReplyNone, 0},
        {"print request 923", [](HostParamBlock* b) { return Request::CmdPrintRequest923(b); },
         923, InputBuffer, {0, 0, 1, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0}, 14, 0, ReplyNone, 0},
        {"set print options",
         [](HostParamBlock* b) { return Request::CmdSetPrintOptions(b, SamplePrintOptions()); },
         924, InputBuffer,
         Concat({{1, 0, 0, 0, 0, 0, 0, 0}, Text("abc"), {0},
                 {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0}}),
         28, 0, ReplyNone, 0},
        {"set print options 2",
         [anValues](HostParamBlock* b) { return Request::CmdSetPrintOptions2(b, anValues); }, 927,
         InputBuffer, {1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6, 0, 7, 0, 8, 0, 9, 0, 10, 0}, 20, 0,
         ReplyNone, 0},
        {"set paper", [](HostParamBlock* b) { return Request::CmdSetPaper(b, SamplePaper()); }, 935,
         InputBuffer,
         Concat({Text("Letter"), {0, 0}, Text("x"), {0}, {0xE0, 0x3D, 0, 0}, {0xD0, 0x2F, 0, 0},
                 {0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0xE8, 0x03, 0, 0}}),
         8 + 2 + 16 + 6 + 4 + 6, 0, ReplyNone, 0},
        {"delete private string",
         [](HostParamBlock* b) { return Request::CmdDeletePrivateString(b, 1002); }, 1207,
         InputBuffer,
         {'N', 'E', 'B', ' ', 0, 0, 'V', 'D', 'A', 'T', 0, 0, 24, 0, 0xEA, 0x03, 0, 0, 1, 0, 0, 0,
          0, 0},
         24, 0, ReplyNone, 0},
        {"request 1556", [](HostParamBlock* b) { return Request::CmdRequest1556(b); }, 1556,
         InputInline, {}, 2, 1, ReplyNone, 0},
        {"request 1557", [](HostParamBlock* b) { return Request::CmdRequest1557(b); }, 1557,
         InputInline, {}, 2, 1, ReplyNone, 0},
        {"private string", [strWrite](HostParamBlock* b) { return Request::CmdPrivateString(b, strWrite); },
         1900, InputBuffer, Concat({Text(strWrite), {0}}),
         static_cast<uint32_t>(strWrite.size() + 1), 0, ReplyNone, 0},
        {"text alignment",
         [](HostParamBlock* b) { int16_t v; return Request::QueryTextAlignment(b, v); }, 2001,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"text colour name",
         [](HostParamBlock* b) { std::string s; return Request::QueryTextColorName(b, s); }, 2201,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"colour cmyk",
         [](HostParamBlock* b) {
             int16_t c, m, y, k;
             return Request::QueryColorCmyk(b, "Red", c, m, y, k);
         },
         2202, InputBuffer, Concat({{1, 0}, Text("Red"), Bytes(130 - 5, 0)}), 130, 0, ReplyHandle,
         0},
        {"font name", [](HostParamBlock* b) { std::string s; return Request::QueryFontName(b, s); },
         2501, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"leading", [](HostParamBlock* b) { int16_t v; return Request::QueryLeading(b, v); }, 3102,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"page objects",
         [](HostParamBlock* b) { std::vector<CPageObject> o; return Request::QueryPageObjects(b, o); },
         3400, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"current page", [](HostParamBlock* b) { int16_t v; return Request::QueryCurrentPage(b, v); },
         3502, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"view setting", [](HostParamBlock* b) { int16_t v; return Request::QueryViewSetting(b, v); },
         3504, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"page origin",
         [](HostParamBlock* b) {
             int32_t l, t, r;
             return Request::QueryPageOrigin(b, l, t, r);
         },
         3505, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"page count", [](HostParamBlock* b) { int16_t v; return Request::QueryPageCount(b, v); },
         3506, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"page size",
         [](HostParamBlock* b) { int32_t w, h; return Request::QueryPageSize(b, w, h); }, 3507,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"publication path",
         [](HostParamBlock* b) { std::string s; return Request::QueryPublicationPath(b, s); }, 3513,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"print options",
         [](HostParamBlock* b) { CPrintOptions o; return Request::QueryPrintOptions(b, o); }, 3518,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"print options 2",
         [](HostParamBlock* b) { int16_t v[10]; return Request::QueryPrintOptions2(b, v); }, 3521,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"paper", [](HostParamBlock* b) { CPaperRecord p; return Request::QueryPaper(b, p); }, 3522,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"printer is PostScript",
         [](HostParamBlock* b) { int16_t v; return Request::QueryPrinterIsPostScript(b, v); }, 3523,
         InputNone, {}, 0, 0, ReplyBinary, 2},
        {"default printer",
         [](HostParamBlock* b) { std::string s; return Request::QueryDefaultPrinter(b, s); }, 3525,
         InputNone, {}, 0, 0, ReplyBinary, 255},
        {"objects with private data",
         [](HostParamBlock* b) {
             std::vector<CPrivateDataObject> o;
             return Request::QueryObjectsWithPrivateData(b, o);
         },
         3532, InputBuffer,
         {'N', 'E', 'B', ' ', 0, 0, 'V', 'D', 'A', 'T', 0, 0, 25, 0, 1, 0, 0, 0, 0xFE, 0xFF, 0xFF,
          0xFF},
         22, 0, ReplyBinary, 8192},
        {"font size", [](HostParamBlock* b) { int16_t v; return Request::QueryFontSize(b, v); },
         3803, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"selection",
         [](HostParamBlock* b) { CSelectionRecord s; return Request::QuerySelection(b, s); }, 3818,
         InputNone, {}, 0, 0, ReplyHandle, 0},
        {"type style", [](HostParamBlock* b) { int16_t v; return Request::QueryTypeStyle(b, v); },
         3910, InputNone, {}, 0, 0, ReplyHandle, 0},
        {"private string read",
         [strLine](HostParamBlock* b) {
             std::string s;
             return Request::QueryPrivateString(b, strLine, s);
         },
         4900, InputBuffer, Concat({Text(strLine), {0}}),
         static_cast<uint32_t>(strLine.size() + 1), 0, ReplyText, 8192},
    };
    // clang-format on
}

TEST(RequestComposers, EachSendsExactlyItsOwnFieldsAndBytes) {
    CStandInHost host;
    // Every query gets a reply long enough for its reader.
    Bytes generous(64, 1);
    generous[0] = 1;
    generous[1] = 0;
    for (uint16_t nCode : {2001, 2201, 2202, 2501, 3102, 3400, 3502, 3504, 3505, 3506, 3507,
                           3513, 3518, 3521, 3522, 3523, 3525, 3532, 3803, 3818, 3910, 4900}) {
        host.ScriptReply(nCode, generous);
    }
    std::vector<CComposerCase> cases = Cases();
    for (const CComposerCase& c : cases) {
        SCOPED_TRACE(c.pName);
        host.Log().Clear();
        Scribble(host.Block());
        c.send(host.Block());
        ASSERT_EQ(host.Log().Entries().size(), 1u) << "one request per composer";
        const CLoggedRequest& entry = host.Log().Entries()[0];
        EXPECT_EQ(entry.block.code, c.nCode);
        EXPECT_EQ(entry.block.inputKind, c.nInputKind);
        EXPECT_EQ(entry.block.inputLength, c.nInputLength);
        if (c.nInputKind == InputBuffer) {
            EXPECT_EQ(entry.block.input, Address(abRequestBuffer));
            Bytes sent(entry.input.begin(),
                       entry.input.begin() + std::min(entry.input.size(), c.input.size()));
            EXPECT_EQ(sent, c.input);
        } else {
            EXPECT_EQ(entry.block.input, c.nInput);
        }
        EXPECT_EQ(entry.block.replyKind, c.nReplyKind);
        EXPECT_EQ(entry.block.replyCapacity, c.nReplyCapacity);
        if (c.nReplyKind == ReplyBinary || c.nReplyKind == ReplyText) {
            EXPECT_EQ(entry.block.reply, Address(abReplyBuffer));
        } else {
            EXPECT_EQ(entry.block.reply, 0u);
        }
    }
    EXPECT_TRUE(host.UnfreedReplyBlocks().empty()) << "every reply block is freed";
}

TEST(RequestComposers, EveryCodeOfTheHostTableIsComposed) {
    std::vector<uint16_t> composed;
    for (const CComposerCase& c : Cases()) {
        composed.push_back(c.nCode);
    }
    for (uint16_t nCode = 1; nCode < 5000; ++nCode) {
        if (IsKnownRequest(nCode)) {
            EXPECT_NE(std::find(composed.begin(), composed.end(), nCode), composed.end())
                << "no composer case for request " << nCode;
        }
    }
}

TEST(RequestComposers, ScriptLineThatDoesNotFitIsNotSent) {
    CStandInHost host;
    // A line of 8192 characters: with its NUL one byte too many.
    const size_t nFrame = WritePubStringLine(2, "").size();
    std::string strLine = WritePubStringLine(2, std::string(HostBufferSize - nFrame, 'v'));
    ASSERT_EQ(strLine.size(), HostBufferSize);
    EXPECT_EQ(Request::CmdPrivateString(host.Block(), strLine), StatusFailed);
    std::string strText;
    EXPECT_EQ(Request::QueryPrivateString(host.Block(), strLine, strText), StatusFailed);
    EXPECT_TRUE(host.Log().Entries().empty());
    strLine = WritePubStringLine(2, std::string(HostBufferSize - nFrame - 1, 'v'));
    EXPECT_EQ(Request::CmdPrivateString(host.Block(), strLine), StatusOk)
        << "a line of 8191 characters fits with its NUL";
    ASSERT_EQ(host.Log().Entries().size(), 1u);
    EXPECT_EQ(host.Log().Entries()[0].block.inputLength, HostBufferSize);
}

TEST(RequestComposers, ColourNameOver127CharactersIsNotSent) {
    CStandInHost host;
    int16_t c = 0, m = 0, y = 0, k = 0;
    EXPECT_EQ(Request::QueryColorCmyk(host.Block(), std::string(128, 'R'), c, m, y, k),
              StatusFailed);
    EXPECT_TRUE(host.Log().Entries().empty());
    host.ScriptReply(2202, {100, 0, 200, 0, 44, 1, 232, 3});
    EXPECT_EQ(Request::QueryColorCmyk(host.Block(), std::string(127, 'R'), c, m, y, k), StatusOk);
    EXPECT_EQ(c, 100);
    EXPECT_EQ(m, 200);
    EXPECT_EQ(y, 300);
    EXPECT_EQ(k, 1000);
    ASSERT_EQ(host.Log().Entries().size(), 1u);
    EXPECT_EQ(host.Log().Entries()[0].input[129], 0) << "name and NUL fill the 130 bytes";
    EXPECT_TRUE(host.UnfreedReplyBlocks().empty());
}

} // namespace
