#include "StandInHost.h"

#include "ScriptLine.h"
#include "plugin/ParamBuffer.h"

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
    scripted.bReply = true;
    m_script[nCode] = scripted;
}

void CStandInHost::FailRequest(uint16_t nCode, uint16_t nStatus) {
    CScripted scripted;
    scripted.nStatus = nStatus;
    m_script[nCode] = scripted;
}

void CStandInHost::FailRequestAfter(uint16_t nCode, int nPasses, uint16_t nStatus) {
    CScripted scripted;
    scripted.nStatus = nStatus;
    scripted.nPasses = nPasses;
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

uint16_t CStandInHost::Answer(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                              std::string& strNote) {
    std::vector<uint8_t> bytes;
    switch (static_cast<HostRequest>(pBlock->code)) {
    case HostRequest::QueryPublicationPath:
        bytes.assign(m_publication.strPath.begin(), m_publication.strPath.end());
        bytes.push_back(0);
        return Deliver(pBlock, bytes, strNote);
    case HostRequest::QueryPrivateString:
    case HostRequest::CmdPrivateString:
        return AnswerScriptLine(pBlock, input, strNote);
    case HostRequest::CmdDeletePrivateString:
        return DeletePrivateString(input, strNote);
    case HostRequest::QueryObjectsWithPrivateData:
        return ListObjectsWithStrings(pBlock, input, strNote);
    default:
        if (IsQueryRequest(pBlock->code)) {
            strNote = "this publication has no answer for the request";
            return StatusFailed;
        }
        return StatusOk;
    }
}

uint16_t CStandInHost::AnswerScriptLine(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                                        std::string& strNote) {
    std::string strText(input.begin(), input.end());
    strText = strText.substr(0, strText.find('\0'));
    CScriptLine line;
    if (!ParseScriptLine(strText, line, strNote)) {
        return StatusFailed;
    }
    bool bRead = pBlock->code == static_cast<uint16_t>(HostRequest::QueryPrivateString);
    if (bRead == line.bWrite) {
        strNote = "script line does not fit the request";
        return StatusFailed;
    }
    std::vector<CPrivateString>* pStrings = &m_publication.strings;
    if (line.bObject) {
        CHostObject* pObject = m_publication.FindObject(line.nObjectId);
        if (pObject == nullptr) {
            strNote = "no object " + std::to_string(line.nObjectId);
            return StatusFailed;
        }
        pStrings = &pObject->strings;
    }
    CPrivateString* pEntry =
        FindPrivateString(*pStrings, line.strDeveloper, line.strKey, line.nIndex);
    if (line.bWrite) {
        if (pEntry == nullptr) {
            pStrings->push_back({line.strDeveloper, line.strKey, line.nIndex, "", false});
            pEntry = &pStrings->back();
        }
        pEntry->strValue = line.strValue;
        pEntry->bDeleted = false;
        return StatusOk;
    }
    if (pEntry == nullptr) {
        strNote = "no such string";
        return StatusFailed;
    }
    // The text travels in quotes behind its 16-bit length.
    std::string strValue = pEntry->bDeleted ? "InvalidPrivateString" : pEntry->strValue;
    size_t nLength = strValue.size() + 2;
    std::vector<uint8_t> bytes = {static_cast<uint8_t>(nLength & 0xFF),
                                  static_cast<uint8_t>((nLength >> 8) & 0xFF), '"'};
    bytes.insert(bytes.end(), strValue.begin(), strValue.end());
    bytes.push_back('"');
    bytes.push_back(0);
    if (bytes.size() > pBlock->replyCapacity) {
        strNote = "the string does not fit the reply buffer";
        return StatusFailed;
    }
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::DeletePrivateString(const std::vector<uint8_t>& input,
                                           std::string& strNote) {
    CReplyReader reader(input.data(), input.size());
    std::string strDeveloper = reader.GetString();
    std::string strKey = reader.GetString();
    int16_t nClass = reader.Get16();
    int32_t nIndex = reader.Get32();
    if (reader.Short() || nClass != 24) {
        strNote = "malformed delete request";
        return StatusFailed;
    }
    std::vector<CPrivateString>& strings = m_publication.strings;
    for (auto it = strings.begin(); it != strings.end(); ++it) {
        if (it->strDeveloper == strDeveloper && it->strKey == strKey && it->nIndex == nIndex) {
            if (m_publication.bDeletedReadsAsMarker) {
                it->bDeleted = true;
                it->strValue.clear();
            } else {
                strings.erase(it);
            }
            return StatusOk;
        }
    }
    strNote = "no such string";
    return StatusOk;
}

uint16_t CStandInHost::ListObjectsWithStrings(HostParamBlock* pBlock,
                                              const std::vector<uint8_t>& input,
                                              std::string& strNote) {
    CReplyReader reader(input.data(), input.size());
    std::string strDeveloper = reader.GetString();
    std::string strKey = reader.GetString();
    int16_t nClass = reader.Get16();
    int32_t nIndex = reader.Get32();
    if (reader.Short() || nClass != 25) {
        strNote = "malformed object list request";
        return StatusFailed;
    }
    std::vector<uint8_t> bytes(2, 0);
    int16_t nCount = 0;
    for (CHostPage& page : m_publication.pages) {
        for (CHostObject& object : page.objects) {
            bool bCarries = false;
            for (const CPrivateString& entry : object.strings) {
                bCarries |= entry.strDeveloper == strDeveloper && entry.strKey == strKey;
            }
            if (!bCarries) {
                continue;
            }
            // 24 bytes an object: its identifier at 16, the length of its
            // string at the asked index at 22.
            CPrivateString* pEntry =
                FindPrivateString(object.strings, strDeveloper, strKey, nIndex);
            size_t nLength = pEntry != nullptr ? pEntry->strValue.size() : 0;
            std::vector<uint8_t> record(24, 0);
            uint32_t nId = static_cast<uint32_t>(object.nId);
            for (int b = 0; b < 4; ++b) {
                record[static_cast<size_t>(b)] = static_cast<uint8_t>((nId >> (8 * b)) & 0xFF);
            }
            record[6] = static_cast<uint8_t>(nLength & 0xFF);
            record[7] = static_cast<uint8_t>((nLength >> 8) & 0xFF);
            bytes.resize(16 + 24 * static_cast<size_t>(nCount), 0);
            bytes.insert(bytes.end(), record.begin(), record.end());
            ++nCount;
        }
    }
    bytes[0] = static_cast<uint8_t>(nCount & 0xFF);
    bytes[1] = static_cast<uint8_t>((nCount >> 8) & 0xFF);
    if (bytes.size() > pBlock->replyCapacity) {
        strNote = "too many objects for the reply buffer";
        return StatusFailed;
    }
    return Deliver(pBlock, bytes, strNote);
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
    } else if (scripted != m_script.end() && scripted->second.nPasses > 0) {
        --scripted->second.nPasses;
        nStatus = Answer(pBlock, entry.input, entry.note);
    } else if (scripted != m_script.end() && scripted->second.nStatus != StatusOk) {
        nStatus = scripted->second.nStatus;
        entry.note = "failed on purpose";
    } else if (scripted != m_script.end() && scripted->second.bNoBlock) {
        pBlock->reply = 0;
        entry.note = "no reply block on purpose";
    } else if (scripted != m_script.end() && scripted->second.bReply) {
        nStatus = Deliver(pBlock, scripted->second.bytes, entry.note);
    } else {
        nStatus = Answer(pBlock, entry.input, entry.note);
    }
    entry.status = nStatus;
    m_log.Add(entry);
    return nStatus;
}
