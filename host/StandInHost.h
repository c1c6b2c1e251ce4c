// The stand-in host: plays the publishing application towards the plug-in.
// It builds the parameter block, calls the plug-in, answers every request
// through its call-back, logs each one, and lets tests script replies and
// make chosen requests fail.
#pragma once

#include "PluginModule.h"
#include "Publication.h"
#include "RequestLog.h"
#include "channel/HostParamBlock.h"

#include <windows.h>

#include <cstdint>
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
    // bytes when the request has a reply.
    uint16_t Answer(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                    std::string& strNote);
    uint16_t AnswerScriptLine(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                              std::string& strNote);
    uint16_t DeletePrivateString(const std::vector<uint8_t>& input, std::string& strNote);
    uint16_t ListObjectsWithStrings(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                                    std::string& strNote);
    // Requests about pages, objects, the selection and printing.
    uint16_t AnswerLayout(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                          std::string& strNote);
    uint16_t AnswerPrinting(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                            std::string& strNote);
    // Requests about the selected text block's attributes.
    uint16_t AnswerText(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                        std::string& strNote);
    uint16_t PasteFromClipboard(std::string& strNote);
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
