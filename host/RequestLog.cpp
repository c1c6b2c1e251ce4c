#include "RequestLog.h"

#include <cstdio>

std::string CLoggedRequest::InputText() const {
    std::string strText;
    for (uint8_t nByte : input) {
        if (nByte == 0) {
            break;
        }
        strText += static_cast<char>(nByte);
    }
    return strText;
}

namespace {
// The first 64 bytes in hex, and "..." when there are more.
void AppendHex(std::string& strOut, const std::vector<uint8_t>& bytes) {
    char szByte[8];
    size_t nShown = bytes.size() < 64 ? bytes.size() : 64;
    for (size_t i = 0; i < nShown; ++i) {
        snprintf(szByte, sizeof szByte, " %02x", bytes[i]);
        strOut += szByte;
    }
    if (nShown < bytes.size()) {
        strOut += " ...";
    }
}
} // namespace

std::vector<CLoggedRequest> CRequestLog::WithCode(uint16_t nCode) const {
    std::vector<CLoggedRequest> found;
    for (const CLoggedRequest& entry : m_entries) {
        if (entry.Code() == nCode) {
            found.push_back(entry);
        }
    }
    return found;
}

std::string CRequestLog::Format() const {
    std::string strOut;
    char szPart[64];
    for (const CLoggedRequest& entry : m_entries) {
        snprintf(szPart, sizeof szPart, "request %u kind %u", entry.block.code,
                 entry.block.inputKind);
        strOut += szPart;
        if (entry.block.inputKind == InputInline) {
            snprintf(szPart, sizeof szPart, " values %d %d",
                     static_cast<int32_t>(entry.block.input),
                     static_cast<int32_t>(entry.block.inputLength));
            strOut += szPart;
        } else if (entry.block.inputKind == InputBuffer) {
            snprintf(szPart, sizeof szPart, " length %u", entry.block.inputLength);
            strOut += szPart;
            if (entry.Code() == 1900 || entry.Code() == 4900) {
                // Script lines are shown as the text they are.
                strOut += " line " + entry.InputText();
            } else {
                strOut += " bytes";
                AppendHex(strOut, entry.input);
            }
        }
        snprintf(szPart, sizeof szPart, " reply %u capacity %u status %u", entry.block.replyKind,
                 entry.block.replyCapacity, entry.status);
        strOut += szPart;
        if (!entry.note.empty()) {
            strOut += " (" + entry.note + ")";
        }
        strOut += "\n";
    }
    return strOut;
}
