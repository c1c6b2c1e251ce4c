// The parameter block through which the host calls the plug-in and the plug-in
// calls the host back. Its layout belongs to the host: packed, little-endian,
// addresses 32 bits wide.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct HostParamBlock {
    uint8_t abHostPrivate[8];
    uint16_t code;          // selector on entry, request code on a call-back
    uint32_t command;       // command number with selector 6
    uint32_t input;         // parameter buffer address, or first inline value
    uint32_t inputLength;   // parameter length, or second inline value
    uint16_t inputKind;     // one of the InputKind values
    uint8_t abGap[2];       // not used by the plug-in
    uint32_t reply;         // reply buffer address, or the host's reply handle
    uint32_t replyCapacity; // size of the reply buffer
    uint16_t replyKind;     // one of the ReplyKind values
    uint8_t abUnused[2];
    uint32_t errorText; // handle of the start-up error text
    uint32_t callback;  // address of the host's call-back
};
#pragma pack(pop)

static_assert(offsetof(HostParamBlock, abHostPrivate) == 0, "host-private bytes");
static_assert(offsetof(HostParamBlock, code) == 8, "code");
static_assert(offsetof(HostParamBlock, command) == 10, "command");
static_assert(offsetof(HostParamBlock, input) == 14, "input");
static_assert(offsetof(HostParamBlock, inputLength) == 18, "inputLength");
static_assert(offsetof(HostParamBlock, inputKind) == 22, "inputKind");
static_assert(offsetof(HostParamBlock, abGap) == 24, "gap");
static_assert(offsetof(HostParamBlock, reply) == 26, "reply");
static_assert(offsetof(HostParamBlock, replyCapacity) == 30, "replyCapacity");
static_assert(offsetof(HostParamBlock, replyKind) == 34, "replyKind");
static_assert(offsetof(HostParamBlock, abUnused) == 36, "unused");
static_assert(offsetof(HostParamBlock, errorText) == 38, "errorText");
static_assert(offsetof(HostParamBlock, callback) == 42, "callback");
static_assert(sizeof(HostParamBlock) == 46, "block size");

// Status values exchanged with the host.
constexpr uint16_t StatusOk = 0;
constexpr uint16_t StatusFailed = 7212;

// Marks a request whose status the caller does not act on, on purpose: the
// requests that return a status may not be called without a look at it.
inline void IgnoreStatus(uint16_t) {}

// Selectors the host puts in `code` before it calls the plug-in.
constexpr uint16_t SelStartup = 1;
constexpr uint16_t SelShutdown = 2;
constexpr uint16_t SelCommand = 6;

enum InputKind : uint16_t {
    InputNone = 0,
    InputBuffer = 256,
    InputInline = 1024,
};

enum ReplyKind : uint16_t {
    ReplyNone = 0,
    ReplyBinary = 256,
    ReplyText = 264,
    ReplyHandle = 512,
};

// Size of the shared request and reply buffers.
constexpr uint32_t HostBufferSize = 8192;

// Every request code the plug-in sends to the host.
enum class HostRequest : uint16_t {
    CmdSetViewSetting = 13,
    CmdPrintToFile = 16,
    CmdPaste = 102,
    CmdClearSelection = 104,
    CmdGoToPage = 301,
    CmdTextRequest701 = 701,
    CmdTextRequest702 = 702,
    CmdSelectObject = 902,
    CmdMoveSelection = 908,
    CmdPrintRequest923 = 923,
    CmdSetPrintOptions = 924,
    CmdSetPrintOptions2 = 927,
    CmdSetPaper = 935,
    CmdDeletePrivateString = 1207,
    CmdRequest1556 = 1556,
    CmdRequest1557 = 1557,
    CmdPrivateString = 1900,
    QueryTextAlignment = 2001,
    QueryTextColorName = 2201,
    QueryColorCmyk = 2202,
    QueryFontName = 2501,
    QueryLeading = 3102,
    QueryPageObjects = 3400,
    QueryCurrentPage = 3502,
    QueryViewSetting = 3504,
    QueryPageOrigin = 3505,
    QueryPageCount = 3506,
    QueryPageSize = 3507,
    QueryPublicationPath = 3513,
    QueryPrintOptions = 3518,
    QueryPrintOptions2 = 3521,
    QueryPaper = 3522,
    QueryPrinterIsPostScript = 3523,
    QueryDefaultPrinter = 3525,
    QueryObjectsWithPrivateData = 3532,
    QueryFontSize = 3803,
    QuerySelection = 3818,
    QueryTypeStyle = 3910,
    QueryPrivateString = 4900,
};
