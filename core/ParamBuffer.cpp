#include "ParamBuffer.h"

#include <algorithm>
#include <cstring>

size_t PaddedStringLength(size_t nChars) {
    size_t nLength = nChars + 1;
    return nLength + (nLength & 1);
}

std::vector<uint8_t> ComposeErrorText(const std::string& strMessage, const std::string& strCaption,
                                      size_t nSize) {
    std::vector<uint8_t> bytes(nSize, 0);
    std::string strCaptionCut = strCaption.substr(0, MaxErrorText);
    size_t nCaptionBytes = strCaptionCut.empty() ? 0 : PaddedStringLength(strCaptionCut.size());
    if (nSize < nCaptionBytes + 3) {
        return bytes;
    }
    // Room for the message: what the caption and the closing zero byte leave,
    // NUL and padding included.
    size_t nMessageRoom = nSize - 1 - nCaptionBytes;
    size_t nMessageChars = std::min({strMessage.size(), MaxErrorText, nMessageRoom - 1});
    if (PaddedStringLength(nMessageChars) > nMessageRoom) {
        --nMessageChars;
    }
    CParamWriter writer(bytes.data(), nSize - 1);
    writer.PutString(strMessage.substr(0, nMessageChars));
    if (!strCaptionCut.empty()) {
        writer.PutString(strCaptionCut);
    }
    return bytes;
}

bool CParamWriter::Reserve(size_t nCount) {
    if (m_bOverflow || nCount > m_nCapacity - m_nLength) {
        m_bOverflow = true;
        return false;
    }
    return true;
}

void CParamWriter::Put16(int32_t nValue) {
    if (!Reserve(2)) {
        return;
    }
    uint16_t nBits = static_cast<uint16_t>(nValue);
    m_pBuffer[m_nLength++] = static_cast<uint8_t>(nBits & 0xFF);
    m_pBuffer[m_nLength++] = static_cast<uint8_t>(nBits >> 8);
}

void CParamWriter::Put32(int32_t nValue) {
    if (!Reserve(4)) {
        return;
    }
    uint32_t nBits = static_cast<uint32_t>(nValue);
    for (int i = 0; i < 4; ++i) {
        m_pBuffer[m_nLength++] = static_cast<uint8_t>((nBits >> (8 * i)) & 0xFF);
    }
}

void CParamWriter::PutString(const std::string& strText) {
    size_t nChars = strnlen(strText.c_str(), strText.size());
    size_t nTotal = PaddedStringLength(nChars);
    if (!Reserve(nTotal)) {
        return;
    }
    memcpy(m_pBuffer + m_nLength, strText.data(), nChars);
    memset(m_pBuffer + m_nLength + nChars, 0, nTotal - nChars);
    m_nLength += nTotal;
}

void CParamWriter::PutZeros(size_t nCount) {
    if (!Reserve(nCount)) {
        return;
    }
    memset(m_pBuffer + m_nLength, 0, nCount);
    m_nLength += nCount;
}

void CReplyReader::Skip(size_t nCount) {
    if (m_nPos > m_nSize || nCount > m_nSize - m_nPos) {
        m_bShort = true;
        m_nPos = m_nSize;
        return;
    }
    m_nPos += nCount;
}

int16_t CReplyReader::Get16() {
    if (m_nPos > m_nSize || m_nSize - m_nPos < 2) {
        Skip(2);
        return 0;
    }
    uint16_t nBits = static_cast<uint16_t>(m_pData[m_nPos] | (m_pData[m_nPos + 1] << 8));
    m_nPos += 2;
    return static_cast<int16_t>(nBits);
}

int32_t CReplyReader::Get32() {
    if (m_nPos > m_nSize || m_nSize - m_nPos < 4) {
        Skip(4);
        return 0;
    }
    uint32_t nBits = 0;
    for (int i = 0; i < 4; ++i) {
        nBits |= static_cast<uint32_t>(m_pData[m_nPos + i]) << (8 * i);
    }
    m_nPos += 4;
    return static_cast<int32_t>(nBits);
}

std::string CReplyReader::GetString(size_t nField) {
    if (m_nPos >= m_nSize || nField == 0) {
        Skip(2);
        return std::string();
    }
    size_t nAvailable = m_nSize - m_nPos;
    size_t nLimit = nField < nAvailable ? nField : nAvailable;
    const char* pText = reinterpret_cast<const char*>(m_pData + m_nPos);
    size_t nChars = strnlen(pText, nLimit);
    size_t nCopied = nChars < nLimit ? nChars + 1 : nLimit;
    if (nChars == nLimit) {
        // No NUL inside the field: the copy keeps room for one.
        nChars = nLimit - 1;
        if (nLimit < nField) {
            m_bShort = true;
        }
    }
    std::string strText(pText, nChars);
    Skip(nCopied + (nCopied & 1));
    return strText;
}
