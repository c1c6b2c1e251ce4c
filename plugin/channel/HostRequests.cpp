#include "HostRequests.h"

#include "HostChannel.h"
#include "core/ParamBuffer.h"

#include <cstring>

namespace Request {

namespace {

CParamWriter StartParams() {
    return CParamWriter(abRequestBuffer, HostBufferSize);
}

// Sends the parameter list composed in the request buffer.
uint16_t SendParams(HostParamBlock* pBlock, HostRequest code, const CParamWriter& writer) {
    if (writer.Overflowed()) {
        return StatusFailed;
    }
    return CallHost(pBlock, BufferCall(code, writer.Length()));
}

uint16_t SendPlain(HostParamBlock* pBlock, HostRequest code) {
    return CallHost(pBlock, CHostCall{code});
}

// Queries a reply block and hands its bytes to the reader; the block is
// unlocked and freed whatever the reader makes of it.
template <typename Reader>
uint16_t ReadReplyBlock(HostParamBlock* pBlock, HostRequest code, Reader read) {
    CReplyBlock reply(QueryHost(pBlock, code));
    if (!reply.IsValid()) {
        return StatusFailed;
    }
    return read(reply.Data(), reply.Size()) ? StatusOk : StatusFailed;
}

// A query whose reply begins with one 16-bit value.
uint16_t ReadWordReply(HostParamBlock* pBlock, HostRequest code, int16_t& nValue) {
    return ReadReplyBlock(pBlock, code, [&](const uint8_t* pData, size_t nSize) {
        CReplyReader reader(pData, nSize);
        int16_t nRead = reader.Get16();
        if (reader.Short()) {
            // Too short to hold the value: the caller's value stays as it was.
            return false;
        }
        nValue = nRead;
        return true;
    });
}

// A NUL-terminated text at the start of a reply, bounded by the reply.
std::string TextOf(const uint8_t* pData, size_t nSize) {
    const char* pText = reinterpret_cast<const char*>(pData);
    return std::string(pText, strnlen(pText, nSize));
}

} // namespace

uint16_t CmdSetViewSetting(HostParamBlock* pBlock, int16_t nPrevious, int16_t nValue) {
    CParamWriter writer = StartParams();
    writer.Put16(nPrevious);
    writer.Put16(nValue);
    // The host expects the length of the whole request buffer here.
    return CallHost(pBlock, BufferCall(HostRequest::CmdSetViewSetting, HostBufferSize));
}

uint16_t CmdPrintToFile(HostParamBlock* pBlock, const std::string& strPath,
                        const std::string& strPrinter) {
    CParamWriter writer = StartParams();
    writer.Put16(-2);
    writer.Put16(-2);
    writer.Put16(-2);
    writer.PutString(strPath);
    writer.PutString(strPrinter);
    return SendParams(pBlock, HostRequest::CmdPrintToFile, writer);
}

uint16_t CmdPaste(HostParamBlock* pBlock) {
    return SendPlain(pBlock, HostRequest::CmdPaste);
}

uint16_t CmdClearSelection(HostParamBlock* pBlock) {
    return SendPlain(pBlock, HostRequest::CmdClearSelection);
}

uint16_t CmdGoToPage(HostParamBlock* pBlock, int32_t nPage) {
    return CallHost(pBlock, InlineCall(HostRequest::CmdGoToPage, nPage, 2));
}

uint16_t CmdTextRequest701(HostParamBlock* pBlock) {
    return SendPlain(pBlock, HostRequest::CmdTextRequest701);
}

uint16_t CmdTextRequest702(HostParamBlock* pBlock) {
    CParamWriter writer = StartParams();
    writer.Put16(8);
    writer.Put32(1);
    return SendParams(pBlock, HostRequest::CmdTextRequest702, writer);
}

uint16_t CmdSelectObject(HostParamBlock* pBlock, int32_t nObjectNumber) {
    CParamWriter writer = StartParams();
    writer.Put16(1);
    writer.Put32(nObjectNumber);
    writer.PutZeros(4);
    return SendParams(pBlock, HostRequest::CmdSelectObject, writer);
}

uint16_t CmdMoveSelection(HostParamBlock* pBlock, int32_t nLeft, int32_t nTop) {
    CParamWriter writer = StartParams();
    writer.Put16(5);
    writer.Put32(nLeft);
    writer.Put32(nTop);
    return SendParams(pBlock, HostRequest::CmdMoveSelection, writer);
}

uint16_t CmdPrintRequest923(HostParamBlock* pBlock) {
    CParamWriter writer = StartParams();
    for (int16_t nValue : {0, 1, 1, 0, 0, 1}) {
        writer.Put16(nValue);
    }
    writer.PutString("");
    return SendParams(pBlock, HostRequest::CmdPrintRequest923, writer);
}

uint16_t CmdSetPrintOptions(HostParamBlock* pBlock, const CPrintOptions& options) {
    CParamWriter writer = StartParams();
    WritePrintOptions(writer, options);
    return SendParams(pBlock, HostRequest::CmdSetPrintOptions, writer);
}

uint16_t CmdSetPrintOptions2(HostParamBlock* pBlock, const int16_t (&anValues)[10]) {
    CParamWriter writer = StartParams();
    for (int16_t nValue : anValues) {
        writer.Put16(nValue);
    }
    return SendParams(pBlock, HostRequest::CmdSetPrintOptions2, writer);
}

uint16_t CmdSetPaper(HostParamBlock* pBlock, const CPaperRecord& paper) {
    CParamWriter writer = StartParams();
    WritePaper(writer, paper);
    return SendParams(pBlock, HostRequest::CmdSetPaper, writer);
}

uint16_t CmdDeletePrivateString(HostParamBlock* pBlock, int32_t nIndex) {
    CParamWriter writer = StartParams();
    writer.PutString("NEB ");
    writer.PutString("VDAT");
    writer.Put16(24);
    writer.Put32(nIndex);
    writer.Put16(1);
    writer.Put32(0);
    return SendParams(pBlock, HostRequest::CmdDeletePrivateString, writer);
}

uint16_t CmdRequest1556(HostParamBlock* pBlock) {
    return CallHost(pBlock, InlineCall(HostRequest::CmdRequest1556, 1, 2));
}

uint16_t CmdRequest1557(HostParamBlock* pBlock) {
    return CallHost(pBlock, InlineCall(HostRequest::CmdRequest1557, 1, 2));
}

namespace {
// Puts a script line and its NUL into the request buffer; false when it does
// not fit.
bool ComposeScriptLine(const std::string& strLine) {
    if (strLine.size() + 1 > HostBufferSize) {
        return false;
    }
    memcpy(abRequestBuffer, strLine.c_str(), strLine.size() + 1);
    return true;
}
} // namespace

uint16_t CmdPrivateString(HostParamBlock* pBlock, const std::string& strLine) {
    if (!ComposeScriptLine(strLine)) {
        return StatusFailed;
    }
    return CallHost(pBlock, BufferCall(HostRequest::CmdPrivateString, strLine.size() + 1));
}

uint16_t QueryTextAlignment(HostParamBlock* pBlock, int16_t& nAlignment) {
    nAlignment = Undeterminable;
    uint16_t nStatus = ReadWordReply(pBlock, HostRequest::QueryTextAlignment, nAlignment);
    return nStatus == StatusOk && nAlignment != Undeterminable ? StatusOk : StatusFailed;
}

uint16_t QueryTextColorName(HostParamBlock* pBlock, std::string& strName) {
    strName.clear();
    return ReadReplyBlock(pBlock, HostRequest::QueryTextColorName,
                          [&](const uint8_t* pData, size_t nSize) {
                              strName = TextOf(pData, nSize);
                              return true;
                          });
}

uint16_t QueryColorCmyk(HostParamBlock* pBlock, const std::string& strName, int16_t& nCyan,
                        int16_t& nMagenta, int16_t& nYellow, int16_t& nBlack) {
    constexpr size_t ParamSize = 130;
    if (strName.size() > MaxColorName) {
        return StatusFailed;
    }
    memset(abRequestBuffer, 0, ParamSize);
    CParamWriter writer(abRequestBuffer, ParamSize);
    writer.Put16(1);
    writer.PutString(strName);
    CReplyBlock values(CallForHandle(pBlock, BufferCall(HostRequest::QueryColorCmyk, ParamSize)));
    if (!values.IsValid()) {
        return StatusFailed;
    }
    CReplyReader reader(values.Data(), values.Size());
    nCyan = reader.Get16();
    nMagenta = reader.Get16();
    nYellow = reader.Get16();
    nBlack = reader.Get16();
    return reader.Short() ? StatusFailed : StatusOk;
}

uint16_t QueryFontName(HostParamBlock* pBlock, std::string& strName) {
    constexpr size_t MaxFontName = 255;
    strName.clear();
    uint16_t nStatus =
        ReadReplyBlock(pBlock, HostRequest::QueryFontName, [&](const uint8_t* pData, size_t nSize) {
            strName = TextOf(pData, nSize);
            return strName.size() <= MaxFontName;
        });
    if (nStatus != StatusOk) {
        strName.clear();
    }
    return nStatus;
}

uint16_t QueryLeading(HostParamBlock* pBlock, int16_t& nLeading) {
    uint16_t nStatus = ReadWordReply(pBlock, HostRequest::QueryLeading, nLeading);
    return nStatus == StatusOk && nLeading >= 0 ? StatusOk : StatusFailed;
}

uint16_t QueryPageObjects(HostParamBlock* pBlock, std::vector<CPageObject>& objects) {
    objects.clear();
    return ReadReplyBlock(
        pBlock, HostRequest::QueryPageObjects,
        [&](const uint8_t* pData, size_t nSize) { return ReadPageObjects(pData, nSize, objects); });
}

uint16_t QueryCurrentPage(HostParamBlock* pBlock, int16_t& nPage) {
    return ReadWordReply(pBlock, HostRequest::QueryCurrentPage, nPage);
}

uint16_t QueryViewSetting(HostParamBlock* pBlock, int16_t& nSetting) {
    return ReadWordReply(pBlock, HostRequest::QueryViewSetting, nSetting);
}

uint16_t QueryPageOrigin(HostParamBlock* pBlock, int32_t& nLeft, int32_t& nTop, int32_t& nRight) {
    return ReadReplyBlock(pBlock, HostRequest::QueryPageOrigin,
                          [&](const uint8_t* pData, size_t nSize) {
                              CReplyReader reader(pData, nSize);
                              nLeft = reader.Get32();
                              nTop = reader.Get32();
                              nRight = reader.Get32();
                              return !reader.Short();
                          });
}

uint16_t QueryPageCount(HostParamBlock* pBlock, int16_t& nCount) {
    return ReadWordReply(pBlock, HostRequest::QueryPageCount, nCount);
}

uint16_t QueryPageSize(HostParamBlock* pBlock, int32_t& nWidth, int32_t& nHeight) {
    return ReadReplyBlock(pBlock, HostRequest::QueryPageSize,
                          [&](const uint8_t* pData, size_t nSize) {
                              CReplyReader reader(pData, nSize);
                              nWidth = reader.Get32();
                              nHeight = reader.Get32();
                              return !reader.Short();
                          });
}

uint16_t QueryPublicationPath(HostParamBlock* pBlock, std::string& strPath) {
    strPath.clear();
    return ReadReplyBlock(pBlock, HostRequest::QueryPublicationPath,
                          [&](const uint8_t* pData, size_t nSize) {
                              strPath = TextOf(pData, nSize);
                              return true;
                          });
}

uint16_t QueryPrintOptions(HostParamBlock* pBlock, CPrintOptions& options) {
    return ReadReplyBlock(pBlock, HostRequest::QueryPrintOptions,
                          [&](const uint8_t* pData, size_t nSize) {
                              CReplyReader reader(pData, nSize);
                              return ReadPrintOptions(reader, options);
                          });
}

uint16_t QueryPrintOptions2(HostParamBlock* pBlock, int16_t (&anValues)[10]) {
    return ReadReplyBlock(pBlock, HostRequest::QueryPrintOptions2,
                          [&](const uint8_t* pData, size_t nSize) {
                              CReplyReader reader(pData, nSize);
                              for (int16_t& nValue : anValues) {
                                  nValue = reader.Get16();
                              }
                              return !reader.Short();
                          });
}

uint16_t QueryPaper(HostParamBlock* pBlock, CPaperRecord& paper) {
    return ReadReplyBlock(pBlock, HostRequest::QueryPaper, [&](const uint8_t* pData, size_t nSize) {
        CReplyReader reader(pData, nSize);
        return ReadPaper(reader, paper);
    });
}

uint16_t QueryPrinterIsPostScript(HostParamBlock* pBlock, int16_t& nIsPostScript) {
    constexpr uint32_t ReplySize = 2;
    memset(abReplyBuffer, 0, ReplySize);
    CHostCall call =
        WithReplyBuffer(CHostCall{HostRequest::QueryPrinterIsPostScript}, ReplyBinary, ReplySize);
    if (CallHost(pBlock, call) != StatusOk) {
        return StatusFailed;
    }
    CReplyReader reader(abReplyBuffer, ReplySize);
    nIsPostScript = reader.Get16();
    return StatusOk;
}

uint16_t QueryDefaultPrinter(HostParamBlock* pBlock, std::string& strPrinter) {
    constexpr uint32_t ReplySize = 255;
    strPrinter.clear();
    memset(abReplyBuffer, 0, ReplySize);
    CHostCall call =
        WithReplyBuffer(CHostCall{HostRequest::QueryDefaultPrinter}, ReplyBinary, ReplySize);
    if (CallHost(pBlock, call) != StatusOk) {
        return StatusFailed;
    }
    strPrinter = TextOf(abReplyBuffer, ReplySize);
    return StatusOk;
}

uint16_t QueryObjectsWithPrivateData(HostParamBlock* pBlock,
                                     std::vector<CPrivateDataObject>& objects, bool* pbAnswered) {
    objects.clear();
    CParamWriter writer = StartParams();
    writer.PutString("NEB ");
    writer.PutString("VDAT");
    writer.Put16(25);
    writer.Put32(1);
    writer.Put32(-2);
    memset(abReplyBuffer, 0, 2);
    CHostCall call =
        WithReplyBuffer(BufferCall(HostRequest::QueryObjectsWithPrivateData, writer.Length()),
                        ReplyBinary, HostBufferSize);
    bool bAnswered = CallHost(pBlock, call) == StatusOk;
    if (pbAnswered != nullptr) {
        *pbAnswered = bAnswered;
    }
    if (!bAnswered) {
        return StatusFailed;
    }
    return ReadPrivateDataObjects(abReplyBuffer, HostBufferSize, objects) ? StatusOk : StatusFailed;
}

uint16_t QueryFontSize(HostParamBlock* pBlock, int16_t& nSize) {
    nSize = Undeterminable;
    uint16_t nStatus = ReadWordReply(pBlock, HostRequest::QueryFontSize, nSize);
    return nStatus == StatusOk && nSize != Undeterminable ? StatusOk : StatusFailed;
}

uint16_t QuerySelection(HostParamBlock* pBlock, CSelectionRecord& selection) {
    return ReadReplyBlock(
        pBlock, HostRequest::QuerySelection,
        [&](const uint8_t* pData, size_t nSize) { return ReadSelection(pData, nSize, selection); });
}

uint16_t QueryTypeStyle(HostParamBlock* pBlock, int16_t& nStyle) {
    return ReadReplyBlock(pBlock, HostRequest::QueryTypeStyle,
                          [&](const uint8_t* pData, size_t nSize) {
                              CReplyReader reader(pData, nSize);
                              int16_t nFirst = reader.Get16();
                              int16_t nSecond = reader.Get16();
                              nStyle = static_cast<int16_t>(nFirst & nSecond);
                              return !reader.Short();
                          });
}

uint16_t QueryPrivateString(HostParamBlock* pBlock, const std::string& strLine,
                            std::string& strText) {
    constexpr size_t TextOffset = 3;
    strText.clear();
    if (!ComposeScriptLine(strLine)) {
        return StatusFailed;
    }
    memset(abReplyBuffer, 0, TextOffset + 1);
    CHostCall call = WithReplyBuffer(
        BufferCall(HostRequest::QueryPrivateString, strLine.size() + 1), ReplyText, HostBufferSize);
    if (CallHost(pBlock, call) != StatusOk) {
        return StatusFailed;
    }
    strText = TextOf(abReplyBuffer + TextOffset, HostBufferSize - TextOffset);
    if (!strText.empty()) {
        strText.pop_back();
    }
    return StatusOk;
}

} // namespace Request
