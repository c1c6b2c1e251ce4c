// The channel through which the plug-in asks the host for something: the
// shared request and reply buffers and the call-back through the block.
#pragma once

#include "HostParamBlock.h"
#include "plugin/framework/GlobalMemory.h"

#include <windows.h>

#include <cstdint>
#include <utility>

typedef uint16_t(__stdcall* HostCallback)(HostParamBlock* pBlock);

// The shared buffers: parameter lists and script lines are composed in the
// request buffer, binary and text replies arrive in the reply buffer.
extern uint8_t abRequestBuffer[HostBufferSize];
extern uint8_t abReplyBuffer[HostBufferSize];

// Everything one request puts into the block; fields a request does not use
// stay zero, so nothing of an earlier request is left behind.
struct CHostCall {
    HostRequest code;
    uint16_t inputKind = InputNone;
    uint32_t input = 0;
    uint32_t inputLength = 0;
    uint16_t replyKind = ReplyNone;
    uint32_t reply = 0;
    uint32_t replyCapacity = 0;
};

// Fills the block in the host's order and calls the host; returns StatusOk
// when the host succeeded and StatusFailed for any status of its own.
[[nodiscard]] uint16_t CallHost(HostParamBlock* pBlock, const CHostCall& call);

// A request whose parameter list lies in the request buffer.
CHostCall BufferCall(HostRequest code, size_t nLength);
// A request with two inline values.
CHostCall InlineCall(HostRequest code, int32_t nFirst, int32_t nSecond);
// A request answered into the reply buffer.
CHostCall WithReplyBuffer(CHostCall call, uint16_t replyKind, uint32_t nCapacity);

// Asks the host for a reply block of its own; empty when it gave none.
CGlobalBlock QueryHost(HostParamBlock* pBlock, HostRequest code);

// Sends a request whose reply is a block of the host's own; empty when the
// host failed or gave none (a block it handed out anyway is freed).
CGlobalBlock CallForHandle(HostParamBlock* pBlock, CHostCall call);

// A host reply block, locked while this lives, then unlocked and freed.
class CReplyBlock {
  public:
    explicit CReplyBlock(CGlobalBlock block) : m_block(std::move(block)), m_lock(m_block.Get()) {}

    bool IsValid() const { return m_lock.IsLocked(); }
    const uint8_t* Data() const { return m_lock.Data(); }
    size_t Size() const { return m_lock.Size(); }

  private:
    // Unlocked before it is freed: members end in reverse order.
    CGlobalBlock m_block;
    CGlobalLock<const uint8_t> m_lock;
};

// The first 16-bit value of a reply block, which is unlocked but not freed.
int16_t ReadFirstWord(HGLOBAL hBlock);

// Hands the host the error text of a failed start-up: a 511-byte movable block
// with the message and the caption (0 for none), each NUL-terminated and
// padded to even length, then a zero byte.
void SetErrorText(HostParamBlock* pBlock, unsigned nMessageId, unsigned nCaptionId);
