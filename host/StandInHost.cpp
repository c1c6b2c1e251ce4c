#include "StandInHost.h"

#include "HostClock.h"
#include "PostScriptOutput.h"
#include "ScriptLine.h"
#include "core/ParamBuffer.h"
#include "core/Units.h"

#include <algorithm>
#include <cstdio>
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

// The address at the start of the binary private-string requests: developer
// name, key, class code and index; false when short or of another class.
bool ReadStringAddress(const std::vector<uint8_t>& input, int16_t nClass, std::string& strDeveloper,
                       std::string& strKey, int32_t& nIndex) {
    CReplyReader reader(input.data(), input.size());
    strDeveloper = reader.GetString();
    strKey = reader.GetString();
    int16_t nGiven = reader.Get16();
    nIndex = reader.Get32();
    return !reader.Short() && nGiven == nClass;
}

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
    for (const auto& handed : m_handedOut) {
        // A freed handle may be given to a new block of someone else's: only
        // a live block of the size handed out counts.
        HGLOBAL hBlock = handed.first;
        if ((GlobalFlags(hBlock) & GMEM_INVALID_HANDLE) == 0 &&
            GlobalSize(hBlock) == handed.second) {
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

namespace {

void Put16(std::vector<uint8_t>& bytes, size_t nAt, int32_t nValue) {
    if (bytes.size() < nAt + 2) {
        bytes.resize(nAt + 2, 0);
    }
    bytes[nAt] = static_cast<uint8_t>(nValue & 0xFF);
    bytes[nAt + 1] = static_cast<uint8_t>((nValue >> 8) & 0xFF);
}

void Put32(std::vector<uint8_t>& bytes, size_t nAt, int32_t nValue) {
    Put16(bytes, nAt, nValue & 0xFFFF);
    Put16(bytes, nAt + 2, static_cast<int32_t>((static_cast<uint32_t>(nValue) >> 16) & 0xFFFF));
}

// The first number of an EPS "%%BoundingBox: " line: left, top, right, bottom.
bool BoundingBox(const std::string& strEps, double (&adBox)[4]) {
    size_t nAt = strEps.find("%%BoundingBox: ");
    return nAt != std::string::npos && sscanf(strEps.c_str() + nAt + 15, "%lf %lf %lf %lf",
                                              &adBox[0], &adBox[1], &adBox[2], &adBox[3]) == 4;
}

} // namespace

// Every request the host answers from the publication: its code, its kind and
// its handler. A request of the text kind is answered only while a text block
// is selected.
const CStandInHost::CRequestEntry CStandInHost::RequestTable[] = {
    {HostRequest::QueryPublicationPath, RequestKind::Publication,
     &CStandInHost::AnswerPublicationPath},
    {HostRequest::QueryPrivateString, RequestKind::PrivateStrings, &CStandInHost::AnswerScriptLine},
    {HostRequest::CmdPrivateString, RequestKind::PrivateStrings, &CStandInHost::AnswerScriptLine},
    {HostRequest::CmdDeletePrivateString, RequestKind::PrivateStrings,
     &CStandInHost::DeletePrivateString},
    {HostRequest::QueryObjectsWithPrivateData, RequestKind::PrivateStrings,
     &CStandInHost::ListObjectsWithStrings},
    {HostRequest::CmdSetViewSetting, RequestKind::Layout, &CStandInHost::SetViewSetting},
    {HostRequest::QueryViewSetting, RequestKind::Layout, &CStandInHost::AnswerViewSetting},
    {HostRequest::QueryCurrentPage, RequestKind::Layout, &CStandInHost::AnswerCurrentPage},
    {HostRequest::QueryPageCount, RequestKind::Layout, &CStandInHost::AnswerPageCount},
    {HostRequest::QueryPageSize, RequestKind::Layout, &CStandInHost::AnswerPageSize},
    {HostRequest::QueryPageOrigin, RequestKind::Layout, &CStandInHost::AnswerPageOrigin},
    {HostRequest::CmdGoToPage, RequestKind::Layout, &CStandInHost::GoToPage},
    {HostRequest::QueryPageObjects, RequestKind::Layout, &CStandInHost::AnswerPageObjects},
    {HostRequest::CmdSelectObject, RequestKind::Layout, &CStandInHost::SelectObject},
    {HostRequest::CmdClearSelection, RequestKind::Layout, &CStandInHost::ClearSelection},
    {HostRequest::CmdPaste, RequestKind::Layout, &CStandInHost::PasteFromClipboard},
    {HostRequest::CmdMoveSelection, RequestKind::Layout, &CStandInHost::MoveSelection},
    {HostRequest::QuerySelection, RequestKind::Layout, &CStandInHost::AnswerSelection},
    {HostRequest::QueryTextAlignment, RequestKind::TextBlock, &CStandInHost::AnswerAlignment},
    {HostRequest::QueryTextColorName, RequestKind::TextBlock, &CStandInHost::AnswerColorName},
    {HostRequest::QueryColorCmyk, RequestKind::TextBlock, &CStandInHost::AnswerColorCmyk},
    {HostRequest::QueryFontName, RequestKind::TextBlock, &CStandInHost::AnswerFontName},
    {HostRequest::QueryLeading, RequestKind::TextBlock, &CStandInHost::AnswerLeading},
    {HostRequest::QueryFontSize, RequestKind::TextBlock, &CStandInHost::AnswerFontSize},
    {HostRequest::QueryTypeStyle, RequestKind::TextBlock, &CStandInHost::AnswerTypeStyle},
    {HostRequest::QueryPrintOptions, RequestKind::Printing, &CStandInHost::AnswerPrintOptions},
    {HostRequest::CmdSetPrintOptions, RequestKind::Printing, &CStandInHost::SetPrintOptions},
    {HostRequest::QueryPrintOptions2, RequestKind::Printing, &CStandInHost::AnswerPrintOptions2},
    {HostRequest::CmdSetPrintOptions2, RequestKind::Printing, &CStandInHost::SetPrintOptions2},
    {HostRequest::QueryPaper, RequestKind::Printing, &CStandInHost::AnswerPaper},
    {HostRequest::CmdSetPaper, RequestKind::Printing, &CStandInHost::SetPaper},
    {HostRequest::QueryPrinterIsPostScript, RequestKind::Printing,
     &CStandInHost::AnswerPrinterIsPostScript},
    {HostRequest::QueryDefaultPrinter, RequestKind::Printing, &CStandInHost::AnswerDefaultPrinter},
    {HostRequest::CmdPrintToFile, RequestKind::Printing, &CStandInHost::PrintToFile},
};

uint16_t CStandInHost::Answer(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                              std::string& strNote) {
    for (const CRequestEntry& entry : RequestTable) {
        if (static_cast<uint16_t>(entry.code) != pBlock->code) {
            continue;
        }
        CHostObject* pObject = SelectedObject();
        if (entry.kind == RequestKind::TextBlock && (pObject == nullptr || !pObject->bText)) {
            strNote = "the selection is no text block";
            return StatusFailed;
        }
        return (this->*entry.answer)(pBlock, input, strNote);
    }
    if (IsQueryRequest(pBlock->code)) {
        strNote = "this publication has no answer for the request";
        return StatusFailed;
    }
    return StatusOk;
}

uint16_t CStandInHost::AnswerPublicationPath(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                             std::string& strNote) {
    return DeliverText(pBlock, m_publication.strPath, strNote);
}

uint16_t CStandInHost::DeliverText(HostParamBlock* pBlock, const std::string& strText,
                                   std::string& strNote) {
    std::vector<uint8_t> bytes(strText.begin(), strText.end());
    bytes.push_back(0);
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::Deliver16(HostParamBlock* pBlock, std::initializer_list<int32_t> values,
                                 std::string& strNote) {
    std::vector<uint8_t> bytes;
    size_t nAt = 0;
    for (int32_t nValue : values) {
        Put16(bytes, nAt, nValue);
        nAt += 2;
    }
    return Deliver(pBlock, bytes, strNote);
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
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::DeletePrivateString(HostParamBlock*, const std::vector<uint8_t>& input,
                                           std::string& strNote) {
    std::string strDeveloper, strKey;
    int32_t nIndex = 0;
    if (!ReadStringAddress(input, 24, strDeveloper, strKey, nIndex)) {
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
    std::string strDeveloper, strKey;
    int32_t nIndex = 0;
    if (!ReadStringAddress(input, 25, strDeveloper, strKey, nIndex)) {
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
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::Deliver(HostParamBlock* pBlock, const std::vector<uint8_t>& bytes,
                               std::string& strNote) {
    switch (pBlock->replyKind) {
    case ReplyHandle: {
        size_t nSize = bytes.empty() ? 1 : bytes.size();
        HGLOBAL hBlock = GlobalAlloc(GMEM_MOVEABLE, nSize);
        void* pData = hBlock != nullptr ? GlobalLock(hBlock) : nullptr;
        if (pData == nullptr) {
            strNote = "no memory for the reply";
            return StatusFailed;
        }
        memcpy(pData, bytes.data(), bytes.size());
        GlobalUnlock(hBlock);
        m_handedOut.emplace_back(hBlock, GlobalSize(hBlock));
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
        // A reply that does not fit the plug-in's buffer is refused whole, never cut.
        if (bytes.size() > pBlock->replyCapacity) {
            strNote = "the reply does not fit the reply buffer";
            return StatusFailed;
        }
        memcpy(pBuffer, bytes.data(), bytes.size());
        return StatusOk;
    }
    default:
        return StatusOk;
    }
}

uint16_t CStandInHost::HandleRequest(HostParamBlock* pBlock) {
    CRequestTime time;
    time.nStart = ClockTicks();
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
    } else if (++m_nHandled == m_nFailNth) {
        nStatus = StatusFailed;
        entry.note = "failed on purpose (request " + std::to_string(m_nHandled) + " of the run)";
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
    time.nEnd = ClockTicks();
    m_times.push_back(time);
    return nStatus;
}

CHostObject* CStandInHost::SelectedObject() {
    return m_publication.nSelectedId != 0 ? m_publication.FindObject(m_publication.nSelectedId)
                                          : nullptr;
}

uint16_t CStandInHost::PasteFromClipboard(HostParamBlock*, const std::vector<uint8_t>&,
                                          std::string& strNote) {
    UINT nFormat = RegisterClipboardFormatA("Encapsulated PostScript");
    std::string strEps;
    if (OpenClipboard(nullptr)) {
        HANDLE hData = GetClipboardData(nFormat);
        const char* pText =
            hData != nullptr ? static_cast<const char*>(GlobalLock(hData)) : nullptr;
        if (pText != nullptr) {
            strEps.assign(pText, strnlen(pText, GlobalSize(hData)));
            GlobalUnlock(hData);
        }
        CloseClipboard();
    }
    double adBox[4];
    CHostPage* pPage = m_publication.CurrentPage();
    if (strEps.empty() || !BoundingBox(strEps, adBox) || pPage == nullptr) {
        strNote = "nothing to paste";
        return StatusFailed;
    }
    // A new graphic with a new identifier, as large as its bounding box.
    int32_t nId = m_nNextId;
    int16_t nNumber = 0;
    for (const CHostPage& page : m_publication.pages) {
        for (const CHostObject& object : page.objects) {
            nId = std::max(nId, object.nId);
        }
    }
    for (const CHostObject& object : pPage->objects) {
        nNumber = std::max(nNumber, object.nNumber);
    }
    m_nNextId = nId + 1;
    CHostObject object = HostObject(m_nNextId, static_cast<int16_t>(nNumber + 1), 11);
    for (int i = 0; i < 4; ++i) {
        object.anBounds[i] = static_cast<int32_t>(adBox[i] * TwipsPerPoint);
    }
    object.strEps = strEps;
    pPage->objects.push_back(object);
    m_publication.nSelectedId = object.nId;
    return StatusOk;
}

uint16_t CStandInHost::SetViewSetting(HostParamBlock*, const std::vector<uint8_t>& input,
                                      std::string&) {
    CReplyReader reader(input.data(), input.size());
    reader.Get16();
    m_publication.nViewSetting = reader.Get16();
    return StatusOk;
}

uint16_t CStandInHost::AnswerViewSetting(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                         std::string& strNote) {
    return Deliver16(pBlock, {m_publication.nViewSetting}, strNote);
}

uint16_t CStandInHost::AnswerCurrentPage(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                         std::string& strNote) {
    return Deliver16(pBlock, {m_publication.nCurrentPage}, strNote);
}

uint16_t CStandInHost::AnswerPageCount(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                       std::string& strNote) {
    return Deliver16(pBlock, {static_cast<int32_t>(m_publication.pages.size())}, strNote);
}

uint16_t CStandInHost::AnswerPageSize(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                      std::string& strNote) {
    std::vector<uint8_t> bytes;
    Put32(bytes, 0, m_publication.nPageWidth);
    Put32(bytes, 4, m_publication.nPageHeight);
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::AnswerPageOrigin(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                        std::string& strNote) {
    const CPublication& pub = m_publication;
    std::vector<uint8_t> bytes;
    Put32(bytes, 0, PasteboardLeft);
    Put32(bytes, 4, PasteboardTop);
    Put32(bytes, 8, PasteboardLeft + pub.nPageWidth * (pub.bFacingPages ? 2 : 1));
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::GoToPage(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                std::string& strNote) {
    CPublication& pub = m_publication;
    int32_t nPage = static_cast<int32_t>(pBlock->input);
    if (nPage == -5) {
        nPage = pub.nCurrentPage + 1;
    }
    if (nPage < 1 || static_cast<size_t>(nPage) > pub.pages.size()) {
        strNote = "no page " + std::to_string(nPage);
        return StatusFailed;
    }
    pub.nCurrentPage = static_cast<int16_t>(nPage);
    pub.nSelectedId = 0;
    return StatusOk;
}

uint16_t CStandInHost::AnswerPageObjects(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                         std::string& strNote) {
    CHostPage* pPage = m_publication.CurrentPage();
    if (pPage == nullptr) {
        strNote = "no current page";
        return StatusFailed;
    }
    std::vector<uint8_t> bytes;
    Put16(bytes, 0, static_cast<int32_t>(pPage->objects.size()));
    for (size_t i = 0; i < pPage->objects.size(); ++i) {
        Put16(bytes, 2 + 20 * i, pPage->objects[i].nNumber);
        Put16(bytes, 4 + 20 * i, pPage->objects[i].nKind);
        bytes.resize(2 + 20 * (i + 1), 0);
    }
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::SelectObject(HostParamBlock*, const std::vector<uint8_t>& input,
                                    std::string&) {
    CReplyReader reader(input.data(), input.size());
    reader.Get16();
    int32_t nNumber = reader.Get32();
    m_publication.nSelectedId = 0;
    if (CHostPage* pPage = m_publication.CurrentPage()) {
        for (const CHostObject& object : pPage->objects) {
            if (object.nNumber == nNumber) {
                m_publication.nSelectedId = object.nId;
            }
        }
    }
    return StatusOk;
}

uint16_t CStandInHost::ClearSelection(HostParamBlock*, const std::vector<uint8_t>&, std::string&) {
    m_publication.nSelectedId = 0;
    return StatusOk;
}

uint16_t CStandInHost::MoveSelection(HostParamBlock*, const std::vector<uint8_t>& input,
                                     std::string& strNote) {
    CReplyReader reader(input.data(), input.size());
    reader.Get16();
    int32_t nLeft = reader.Get32() - PasteboardLeft;
    int32_t nTop = reader.Get32() - PasteboardTop;
    CHostObject* pObject = SelectedObject();
    if (pObject == nullptr) {
        strNote = "nothing selected";
        return StatusFailed;
    }
    int32_t nWidth = pObject->anBounds[2] - pObject->anBounds[0];
    int32_t nHeight = pObject->anBounds[3] - pObject->anBounds[1];
    pObject->anBounds[0] = nLeft;
    pObject->anBounds[1] = nTop;
    pObject->anBounds[2] = nLeft + nWidth;
    pObject->anBounds[3] = nTop + nHeight;
    return StatusOk;
}

uint16_t CStandInHost::AnswerSelection(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                       std::string& strNote) {
    CHostObject* pObject = SelectedObject();
    std::vector<uint8_t> bytes(SelectionRecordSize, 0);
    if (pObject == nullptr) {
        return Deliver(pBlock, bytes, strNote);
    }
    Put16(bytes, 0, 1);
    Put32(bytes, 2, pObject->nId);
    Put16(bytes, 14, pObject->nNumber);
    Put16(bytes, 16, pObject->nKind);
    Put16(bytes, 18, pObject->bRotated ? 1 : 0);
    // Positions on the pasteboard, where the current page lies.
    for (int i = 0; i < 8; ++i) {
        int32_t nValue =
            pObject->bRotated ? pObject->anCorners[i] : (i < 4 ? pObject->anBounds[i] : 0);
        if (pObject->bRotated || i < 4) {
            nValue += i % 2 == 0 ? PasteboardLeft : PasteboardTop;
        }
        Put32(bytes, 22 + 4 * static_cast<size_t>(i), nValue);
    }
    return Deliver(pBlock, bytes, strNote);
}

uint16_t CStandInHost::AnswerAlignment(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                       std::string& strNote) {
    return Deliver16(pBlock, {SelectedObject()->text.nAlignment}, strNote);
}

uint16_t CStandInHost::AnswerColorName(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                       std::string& strNote) {
    return DeliverText(pBlock, SelectedObject()->text.strColor, strNote);
}

uint16_t CStandInHost::AnswerColorCmyk(HostParamBlock* pBlock, const std::vector<uint8_t>& input,
                                       std::string& strNote) {
    const CTextAttributes& text = SelectedObject()->text;
    CReplyReader reader(input.data(), input.size());
    reader.Get16();
    std::string strName = reader.GetString(128);
    if (strName != text.strColor) {
        strNote = "no colour \"" + strName + "\"";
        return StatusFailed;
    }
    return Deliver16(pBlock, {text.anCmyk[0], text.anCmyk[1], text.anCmyk[2], text.anCmyk[3]},
                     strNote);
}

uint16_t CStandInHost::AnswerFontName(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                      std::string& strNote) {
    return DeliverText(pBlock, SelectedObject()->text.strFont, strNote);
}

uint16_t CStandInHost::AnswerLeading(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                     std::string& strNote) {
    return Deliver16(pBlock, {SelectedObject()->text.nLeading}, strNote);
}

uint16_t CStandInHost::AnswerFontSize(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                      std::string& strNote) {
    return Deliver16(pBlock, {SelectedObject()->text.nSize}, strNote);
}

uint16_t CStandInHost::AnswerTypeStyle(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                       std::string& strNote) {
    // The style bits are the first value AND the second.
    return Deliver16(pBlock, {SelectedObject()->text.nStyle, -1}, strNote);
}

uint16_t CStandInHost::DeliverRecord(HostParamBlock* pBlock,
                                     const std::function<void(CParamWriter&)>& write,
                                     std::string& strNote) {
    uint8_t abRecord[512];
    CParamWriter writer(abRecord, sizeof abRecord);
    write(writer);
    return Deliver(pBlock, std::vector<uint8_t>(abRecord, abRecord + writer.Length()), strNote);
}

uint16_t CStandInHost::AnswerPrintOptions(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                          std::string& strNote) {
    return DeliverRecord(
        pBlock,
        [&](CParamWriter& writer) { WritePrintOptions(writer, m_publication.printOptions); },
        strNote);
}

uint16_t CStandInHost::SetPrintOptions(HostParamBlock*, const std::vector<uint8_t>& input,
                                       std::string& strNote) {
    CReplyReader reader(input.data(), input.size());
    if (!ReadPrintOptions(reader, m_publication.printOptions)) {
        strNote = "malformed print options";
        return StatusFailed;
    }
    return StatusOk;
}

uint16_t CStandInHost::AnswerPrintOptions2(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                           std::string& strNote) {
    return DeliverRecord(
        pBlock,
        [&](CParamWriter& writer) {
            for (int16_t nValue : m_publication.anPrintOptions2) {
                writer.Put16(nValue);
            }
        },
        strNote);
}

uint16_t CStandInHost::SetPrintOptions2(HostParamBlock*, const std::vector<uint8_t>& input,
                                        std::string&) {
    CReplyReader reader(input.data(), input.size());
    for (int16_t& nValue : m_publication.anPrintOptions2) {
        nValue = reader.Get16();
    }
    return reader.Short() ? StatusFailed : StatusOk;
}

uint16_t CStandInHost::AnswerPaper(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                   std::string& strNote) {
    return DeliverRecord(
        pBlock, [&](CParamWriter& writer) { WritePaper(writer, m_publication.paper); }, strNote);
}

uint16_t CStandInHost::SetPaper(HostParamBlock*, const std::vector<uint8_t>& input,
                                std::string& strNote) {
    CReplyReader reader(input.data(), input.size());
    if (!ReadPaper(reader, m_publication.paper)) {
        strNote = "malformed paper";
        return StatusFailed;
    }
    return StatusOk;
}

uint16_t CStandInHost::AnswerPrinterIsPostScript(HostParamBlock* pBlock,
                                                 const std::vector<uint8_t>&,
                                                 std::string& strNote) {
    return DeliverRecord(
        pBlock,
        [&](CParamWriter& writer) { writer.Put16(m_publication.printer.bPostScript ? 1 : 0); },
        strNote);
}

uint16_t CStandInHost::AnswerDefaultPrinter(HostParamBlock* pBlock, const std::vector<uint8_t>&,
                                            std::string& strNote) {
    if (!m_publication.printer.bPresent) {
        strNote = "no default printer";
        return StatusFailed;
    }
    return DeliverText(pBlock, m_publication.printer.strName, strNote);
}

uint16_t CStandInHost::PrintToFile(HostParamBlock*, const std::vector<uint8_t>& input,
                                   std::string& strNote) {
    CReplyReader reader(input.data(), input.size());
    reader.Skip(6);
    std::string strFile = reader.GetString(MAX_PATH);
    return PrintPublication(m_publication, strFile, strNote) ? StatusOk : StatusFailed;
}
