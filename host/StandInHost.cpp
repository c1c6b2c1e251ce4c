#include "StandInHost.h"

#include <cstring>

namespace {

uint16_t __stdcall HostCallback(HostParamBlock* pBlock) {
    CStandInHost* pHost = nullptr;
    memcpy(&pHost, pBlock->abHostPrivate, sizeof pHost);
    if (pHost == nullptr) {
        return StatusFailed;
    }
    return pHost->HandleRequest(pBlock);
}

constexpr uint16_t KnownRequests[] = {
    13,   16,   102,  104,  301,  701,  702,  902,  908,  923,  924,  927,  935,
    1207, 1556, 1557, 1900, 2001, 2201, 2202, 2501, 3102, 3400, 3502, 3504, 3505,
    3506, 3507, 3513, 3518, 3521, 3522, 3523, 3525, 3532, 3803, 3818, 3910, 4900,
};

} // namespace

bool IsKnownRequest(uint16_t nCode) {
    for (uint16_t nKnown : KnownRequests) {
        if (nKnown == nCode) {
            return true;
        }
    }
    return false;
}

bool IsQueryRequest(uint16_t nCode) {
    return IsKnownRequest(nCode) &&
           (nCode == 2001 || nCode == 2201 || nCode == 2202 || nCode == 2501 || nCode >= 3102);
}

CStandInHost::CStandInHost() {
    CStandInHost* pSelf = this;
    memcpy(m_block.abHostPrivate, &pSelf, sizeof pSelf);
    m_block.callback = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&HostCallback));
}

CStandInHost::~CStandInHost() {
    CErrorText unused;
    TakeErrorText(unused);
}

uint16_t CStandInHost::Call(PluginEntry entry, uint16_t nSelector, uint32_t nCommand) {
    m_block.code = nSelector;
    m_block.command = nCommand;
    return entry(&m_block);
}

void CStandInHost::ScriptReply(uint16_t nCode, std::vector<uint8_t> bytes) {
    CScripted scripted;
    scripted.bytes = std::move(bytes);
    m_script[nCode] = scripted;
}

void CStandInHost::FailRequest(uint16_t nCode, uint16_t nStatus) {
    CScripted scripted;
    scripted.nStatus = nStatus;
    m_script[nCode] = scripted;
}

void CStandInHost::GiveNoBlock(uint16_t nCode) {
    CScripted scripted;
    scripted.bNoBlock = true;
    m_script[nCode] = scripted;
}

std::vector<HGLOBAL> CStandInHost::UnfreedReplyBlocks() const {
    std::vector<HGLOBAL> unfreed;
    for (HGLOBAL hBlock : m_handedOut) {
        if ((GlobalFlags(hBlock) & GMEM_INVALID_HANDLE) == 0 && GlobalSize(hBlock) != 0) {
            unfreed.push_back(hBlock);
        }
    }
    return unfreed;
}

bool CStandInHost::TakeErrorText(CErrorText& text) {
    HGLOBAL hText = reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(m_block.errorText));
    if (hText == nullptr) {
        return false;
    }
    m_block.errorText = 0;
    text = CErrorText();
    text.nSize = GlobalSize(hText);
    const uint8_t* pData = static_cast<const uint8_t*>(GlobalLock(hText));
    if (pData != nullptr) {
        text.bytes.assign(pData, pData + text.nSize);
        GlobalUnlock(hText);
    }
    GlobalFree(hText);
    const char* pText = reinterpret_cast<const char*>(text.bytes.data());
    size_t nMessage = strnlen(pText, text.bytes.size());
    text.strMessage.assign(pText, nMessage);
    size_t nCaptionAt = nMessage + 1 + ((nMessage + 1) & 1);
    if (nCaptionAt < text.bytes.size()) {
        text.strCaption.assign(pText + nCaptionAt,
                               strnlen(pText + nCaptionAt, text.bytes.size() - nCaptionAt));
    }
    return true;
}

bool CStandInHost::DefaultReply(uint16_t nCode, std::vector<uint8_t>& bytes, std::string& strNote) {
    switch (nCode) {
    case static_cast<uint16_t>(HostRequest::QueryPublicationPath):
        bytes.assign(m_publication.strPath.begin(), m_publication.strPath.end());
        bytes.push_back(0);
        return true;
    default:
        strNote = "this publication has no answer for the request";
        return false;
    }
}

uint16_t CStandInHost::Deliver(HostParamBlock* pBlock, const std::vector<uint8_t>& bytes,
                               std::string& strNote) {
    switch (pBlock->replyKind) {
    case ReplyHandle: {
        HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
        void* pData = hBlock != nullptr ? GlobalLock(hBlock) : nullptr;
        if (pData == nullptr) {
            strNote = "no memory for the reply";
            return StatusFailed;
        }
        memcpy(pData, bytes.data(), bytes.size());
        GlobalUnlock(hBlock);
        m_handedOut.push_back(hBlock);
        pBlock->reply = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hBlock));
        return StatusOk;
    }
    case ReplyBinary:
    case ReplyText: {
        uint8_t* pBuffer = reinterpret_cast<uint8_t*>(static_cast<uintptr_t>(pBlock->reply));
        if (pBuffer == nullptr) {
            strNote = "no reply buffer";
            return StatusFailed;
        }
        size_t nCopy = bytes.size() < pBlock->replyCapacity ? bytes.size() : pBlock->replyCapacity;
        memcpy(pBuffer, bytes.data(), nCopy);
        return StatusOk;
    }
    default:
        return StatusOk;
    }
}

uint16_t CStandInHost::HandleRequest(HostParamBlock* pBlock) {
    CLoggedRequest entry;
    entry.block = *pBlock;
    if (pBlock->inputKind == InputBuffer && pBlock->input != 0) {
        const uint8_t* pInput =
            reinterpret_cast<const uint8_t*>(static_cast<uintptr_t>(pBlock->input));
        entry.input.assign(pInput, pInput + pBlock->inputLength);
    }

    uint16_t nCode = pBlock->code;
    uint16_t nStatus = StatusOk;
    auto scripted = m_script.find(nCode);
    if (!IsKnownRequest(nCode)) {
        nStatus = StatusFailed;
        entry.note = "unknown request";
    } else if (scripted != m_script.end()) {
        if (scripted->second.nStatus != StatusOk) {
            nStatus = scripted->second.nStatus;
            entry.note = "failed on purpose";
        } else if (scripted->second.bNoBlock) {
            pBlock->reply = 0;
            entry.note = "no reply block on purpose";
        } else {
            nStatus = Deliver(pBlock, scripted->second.bytes, entry.note);
        }
    } else if (pBlock->replyKind != ReplyNone || IsQueryRequest(nCode)) {
        std::vector<uint8_t> bytes;
        if (DefaultReply(nCode, bytes, entry.note)) {
            nStatus = Deliver(pBlock, bytes, entry.note);
        } else {
            nStatus = StatusFailed;
        }
    }
    entry.status = nStatus;
    m_log.Add(entry);
    return nStatus;
}
