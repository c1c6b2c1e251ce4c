#include "HostChannel.h"

#include "core/ParamBuffer.h"
#include "plugin/framework/Catalogue.h"

#include <cstring>
#include <vector>

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
    // Whatever the host's own reason, a failed request is reported as one.
    return callback(pBlock) == StatusOk ? StatusOk : StatusFailed;
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

CGlobalBlock QueryHost(HostParamBlock* pBlock, HostRequest code) {
    return CallForHandle(pBlock, CHostCall{code});
}

CGlobalBlock CallForHandle(HostParamBlock* pBlock, CHostCall call) {
    call.replyKind = ReplyHandle;
    call.reply = 0;
    call.replyCapacity = 0;
    uint16_t nStatus = CallHost(pBlock, call);
    CGlobalBlock reply(reinterpret_cast<HGLOBAL>(static_cast<uintptr_t>(pBlock->reply)));
    if (nStatus != StatusOk) {
        // A block the host handed out anyway is still ours to free.
        reply.Free();
    }
    return reply;
}

int16_t ReadFirstWord(HGLOBAL hBlock) {
    CGlobalLock<const uint8_t> lock(hBlock);
    if (!lock.IsLocked()) {
        return 0;
    }
    CReplyReader reader(lock.Data(), lock.Size());
    return reader.Get16();
}

void SetErrorText(HostParamBlock* pBlock, unsigned nMessageId, unsigned nCaptionId) {
    constexpr size_t ErrorTextSize = 511;
    CGlobalBlock text = CGlobalBlock::Allocate(GMEM_MOVEABLE | GMEM_ZEROINIT, ErrorTextSize);
    {
        CGlobalLock<uint8_t> lock(text.Get());
        if (!lock.IsLocked()) {
            return;
        }
        std::vector<uint8_t> bytes =
            ComposeErrorText(LoadCatalogueString(nMessageId),
                             nCaptionId != 0 ? LoadCatalogueString(nCaptionId) : "", ErrorTextSize);
        memcpy(lock.Data(), bytes.data(), bytes.size());
    }
    pBlock->errorText = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(text.Release()));
}
