// The stand-in host: plays the publishing application towards the plug-in.
// It builds the parameter block, calls the plug-in, answers every request
// through its call-back, logs each one, and lets tests script replies and
// make chosen requests fail.
#pragma once

#include "PluginModule.h"
#include "Publication.h"
#include "RequestLog.h"
#include "core/ParamBuffer.h"
#include "plugin/channel/HostParamBlock.h"

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

// When the host began and finished answering one request (host clock ticks).
struct CRequestTime {
    int64_t nStart = 0;
    int64_t nEnd = 0;
};

// The start-up error text the plug-in handed over.
struct CErrorText {
    size_t nSize = 0;
    std::vector<uint8_t> bytes;
    std::string strMessage;
    std::string strCaption;
};

class CStandInHost {
  public:
    CStandInHost();
    CStandInHost(const CStandInHost&) = delete;
    CStandInHost& operator=(const CStandInHost&) = delete;
    ~CStandInHost();

    CPublication& Publication() { return m_publication; }

    // The block as the host hands it to the plug-in, call-back in place.
    HostParamBlock* Block() { return &m_block; }

    // Calls the plug-in's entry with a selector (and command number).
    uint16_t Call(PluginEntry entry, uint16_t nSelector, uint32_t nCommand = 0);

    // Replies: the bytes a request is answered with until cleared (a block
    // of the host's own, or copied into the plug-in's buffer, as the request
    // asks). A status other than 0 is the fault switch: the request fails.
    void ScriptReply(uint16_t nCode, std::vector<uint8_t> bytes);
    void FailRequest(uint16_t nCode, uint16_t nStatus = StatusFailed);
    // Answers the request nPasses more times as usual, then fails it.
    void FailRequestAfter(uint16_t nCode, int nPasses, uint16_t nStatus = StatusFailed);
    // Status 0, but no reply block.
    void GiveNoBlock(uint16_t nCode);
    // Fails the request that comes nNth (from 1) in this host's whole run,
    // whatever it is, once; the requests before and after are answered as usual.
    void FailNthRequest(size_t nNth) { m_nFailNth = nNth; }
    // The requests answered so far.
    size_t RequestCount() const { return m_nHandled; }
    // When each request of the run, in order, was answered: the time spent
    // inside the call-back, measured by the host itself.
    const std::vector<CRequestTime>& RequestTimes() const { return m_times; }
    void ClearScript() { m_script.clear(); }

    CRequestLog& Log() { return m_log; }
    const CRequestLog& Log() const { return m_log; }

    // Reply blocks the host handed out that are still allocated.
    std::vector<HGLOBAL> UnfreedReplyBlocks() const;
    // Reads and frees the error text left in the block, if any.
    bool TakeErrorText(CErrorText& text);

    // The call-back's work for one request.
    uint16_t HandleRequest(HostParamBlock* pBlock);

  private:
    struct CScripted {
        std::vector<uint8_t> bytes;
        uint16_t nStatus = StatusOk;
        bool bNoBlock = false;
        bool bReply = false; // answer with the bytes
        int nPasses = 0;     // answers as usual before the fault
    };

    // The host's own answer, from the publication: the status, and the reply
    // bytes when the request has a reply. Each request has a handler of the
    // same form, found in the request table.
    uint16_t Answer(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                    std::string& strNote);
    using Handler = uint16_t (CStandInHost::*)(HostParamBlock* pBlock,
                                               const std::vector<uint8_t>& input,
                                               std::string& strNote);
    // What a request is about; one about text attributes is answered only
    // while a text block is selected.
    enum class RequestKind { Publication, PrivateStrings, Layout, TextBlock, Printing };
    struct CRequestEntry {
        HostRequest code;
        RequestKind kind;
        Handler answer;
    };
    static const CRequestEntry RequestTable[];

#define NEB_HOST_HANDLER(Name)                                                                     \
    uint16_t Name(HostParamBlock* pBlock, const std::vector<uint8_t>& input, std::string& strNote)
    NEB_HOST_HANDLER(AnswerPublicationPath);
    // Private strings.
    NEB_HOST_HANDLER(AnswerScriptLine);
    NEB_HOST_HANDLER(DeletePrivateString);
    NEB_HOST_HANDLER(ListObjectsWithStrings);
    // Pages, objects and the selection.
    NEB_HOST_HANDLER(SetViewSetting);
    NEB_HOST_HANDLER(AnswerViewSetting);
    NEB_HOST_HANDLER(AnswerCurrentPage);
    NEB_HOST_HANDLER(AnswerPageCount);
    NEB_HOST_HANDLER(AnswerPageSize);
    NEB_HOST_HANDLER(AnswerPageOrigin);
    NEB_HOST_HANDLER(GoToPage);
    NEB_HOST_HANDLER(AnswerPageObjects);
    NEB_HOST_HANDLER(SelectObject);
    NEB_HOST_HANDLER(ClearSelection);
    NEB_HOST_HANDLER(PasteFromClipboard);
    NEB_HOST_HANDLER(MoveSelection);
    NEB_HOST_HANDLER(AnswerSelection);
    // The selected text block's attributes.
    NEB_HOST_HANDLER(AnswerAlignment);
    NEB_HOST_HANDLER(AnswerColorName);
    NEB_HOST_HANDLER(AnswerColorCmyk);
    NEB_HOST_HANDLER(AnswerFontName);
    NEB_HOST_HANDLER(AnswerLeading);
    NEB_HOST_HANDLER(AnswerFontSize);
    NEB_HOST_HANDLER(AnswerTypeStyle);
    // Printing.
    NEB_HOST_HANDLER(AnswerPrintOptions);
    NEB_HOST_HANDLER(SetPrintOptions);
    NEB_HOST_HANDLER(AnswerPrintOptions2);
    NEB_HOST_HANDLER(SetPrintOptions2);
    NEB_HOST_HANDLER(AnswerPaper);
    NEB_HOST_HANDLER(SetPaper);
    NEB_HOST_HANDLER(AnswerPrinterIsPostScript);
    NEB_HOST_HANDLER(AnswerDefaultPrinter);
    NEB_HOST_HANDLER(PrintToFile);
#undef NEB_HOST_HANDLER

    // Replies: a text with its NUL, 16-bit values, a record written.
    uint16_t DeliverText(HostParamBlock* pBlock, const std::string& strText, std::string& strNote);
    uint16_t Deliver16(HostParamBlock* pBlock, std::initializer_list<int32_t> values,
                       std::string& strNote);
    uint16_t DeliverRecord(HostParamBlock* pBlock, const std::function<void(CParamWriter&)>& write,
                           std::string& strNote);
    CHostObject* SelectedObject();
    uint16_t Deliver(HostParamBlock* pBlock, const std::vector<uint8_t>& bytes,
                     std::string& strNote);

    HostParamBlock m_block{};
    CPublication m_publication;
    CRequestLog m_log;
    std::map<uint16_t, CScripted> m_script;
    int32_t m_nNextId = 0; // identifiers given to pasted objects
    size_t m_nHandled = 0;
    size_t m_nFailNth = 0;
    std::vector<CRequestTime> m_times;
    std::vector<std::pair<HGLOBAL, size_t>> m_handedOut; // with the size each had
};

// True for every request code the plug-in is known to send.
bool IsKnownRequest(uint16_t nCode);
// True for the requests answered with data rather than only a status.
bool IsQueryRequest(uint16_t nCode);
