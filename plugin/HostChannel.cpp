#include "HostChannel.h"

#include "ParamBuffer.h"
#include "framework/App.h"

uint8_t abRequestBuffer[HostBufferSize];
uint8_t abReplyBuffer[HostBufferSize];

namespace {
uint32_t AddressOf(const void* pData) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pData));
}
} // namespace

uint16_t CallHost(HostParamBlock* pBlock, const CHostCall& call) {
    pBlock->code = static_cast<uint16_t>(call.code);
    pBlock->input = call.input;
    pBlock->inputLength = call.inputLength;
    pBlock->inputKind = call.inputKind;
    pBlock->reply = call.reply;
    pBlock->replyCapacity = call.replyCapacity;
    pBlock->replyKind = call.replyKind;
    auto callback = reinterpret_cast<HostCallback>(static_cast<uintptr_t>(pBlock->callback));
    if (callback == nullptr) {
        return StatusFailed;
    }
    return callback(pBlock);
}

CHostCall BufferCall(HostRequest code, size_t nLength) {
    CHostCall call{code};
    call.inputKind = InputBuffer;
    call.input = AddressOf(abRequestBuffer);
    call.inputLength = static_cast<uint32_t>(nLength);
    return call;
}

CHostCall InlineCall(HostRequest code, int32_t nFirst, int32_t nSecond) {
    CHostCall call{code};
    call.inputKind = InputInline;
    call.input = static_cast<uint32_t>(nFirst);
    call.inputLength = static_cast<uint32_t>(nSecond);
    return call;
}

CHostCall WithReplyBuffer(CHostCall call, uint16_t replyKind, uint32_t nCapacity) {
    call.replyKind = replyKind;
    call.reply = AddressOf(abReplyBuffer);
    call.replyCapacity = nCapacity;
    return call;
}

HGLOBAL QueryHost(HostParamBlock* pBlock, HostRequest code) {
    return CallForHandle(pBlock, CHostCall{code});
}

HGLOBAL CallForHandle(HostParamBlock* pBlock, CHostCall call) {
    call.replyKind = ReplyHandle;
    call.reply = 0;
    call.replyCapacity = 0;
    if (CallHost(pBlock, call) != StatusOk) {
        // A block the host handed out anyway is still ours to free.
        if (pBlock->reply != 0) {
            GlobalFree(reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(pBlock->reply)));
        }
        return nullptr;
    }
    return reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(pBlock->reply));
}

CReplyBlock::CReplyBlock(HGLOBAL hBlock) : m_hBlock(hBlock) {
    if (m_hBlock != nullptr) {
        m_pData = static_cast<const uint8_t*>(GlobalLock(m_hBlock));
        if (m_pData != nullptr) {
            m_nSize = GlobalSize(m_hBlock);
        }
    }
}

CReplyBlock::~CReplyBlock() {
    if (m_hBlock != nullptr) {
        if (m_pData != nullptr) {
            GlobalUnlock(m_hBlock);
        }
        GlobalFree(m_hBlock);
    }
}

int16_t ReadFirstWord(HGLOBAL hBlock) {
    const uint8_t* pData = static_cast<const uint8_t*>(GlobalLock(hBlock));
    if (pData == nullptr) {
        return 0;
    }
    CReplyReader reader(pData, GlobalSize(hBlock));
    int16_t nValue = reader.Get16();
    GlobalUnlock(hBlock);
    return nValue;
}

void SetErrorText(HostParamBlock* pBlock, unsigned nMessageId, unsigned nCaptionId) {
    constexpr size_t ErrorTextSize = 511;
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, ErrorTextSize);
    if (hText == nullptr) {
        return;
    }
    uint8_t* pData = static_cast<uint8_t*>(GlobalLock(hText));
    if (pData == nullptr) {
        GlobalFree(hText);
        return;
    }
    // Two texts of at most 255 characters, padded, and the closing zero byte
    // always fit in the 511 bytes.
    CParamWriter writer(pData, ErrorTextSize - 1);
    char szText[256];
    int nLength = LoadStringA(AppInstance(), nMessageId, szText, sizeof szText);
    writer.PutString(std::string(szText, nLength > 0 ? nLength : 0));
    if (nCaptionId != 0) {
        nLength = LoadStringA(AppInstance(), nCaptionId, szText, sizeof szText);
        writer.PutString(std::string(szText, nLength > 0 ? nLength : 0));
    }
    GlobalUnlock(hText);
    pBlock->errorText = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(hText));
}
