// Binary parameter lists sent to the host and binary replies read from it.
// Values are little-endian and packed; every string is written with its NUL
// and one more zero byte when that makes its length even.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Longest string field in the host's binary replies, NUL included.
constexpr size_t HostStringField = 50;

// Composes a parameter list into a caller's fixed buffer. A value that does not
// fit is not written and marks the writer as overflowed; nothing is written
// past the buffer.
class CParamWriter {
  public:
    CParamWriter(uint8_t* pBuffer, size_t nCapacity) : m_pBuffer(pBuffer), m_nCapacity(nCapacity) {}

    void Put16(int32_t nValue);
    void Put32(int32_t nValue);
    void PutString(const std::string& strText);
    void PutZeros(size_t nCount);

    size_t Length() const { return m_nLength; }
    bool Overflowed() const { return m_bOverflow; }

  private:
    bool Reserve(size_t nCount);

    uint8_t* m_pBuffer;
    size_t m_nCapacity;
    size_t m_nLength = 0;
    bool m_bOverflow = false;
};

// Reads a binary reply. Reading past the end yields zeros and marks the reader
// as short, so that a truncated reply is noticed instead of read out of bounds.
class CReplyReader {
  public:
    CReplyReader(const uint8_t* pData, size_t nSize) : m_pData(pData), m_nSize(nSize) {}

    int16_t Get16();
    int32_t Get32();
    // Copies a string with its NUL, at most nField bytes, and moves on by the
    // copied length rounded up to even. A string that fills the field without
    // a NUL is cut to nField - 1 characters.
    std::string GetString(size_t nField = HostStringField);
    void Skip(size_t nCount);
    void Seek(size_t nOffset) { m_nPos = nOffset; }

    size_t Position() const { return m_nPos; }
    bool Short() const { return m_bShort; }

  private:
    const uint8_t* m_pData;
    size_t m_nSize;
    size_t m_nPos = 0;
    bool m_bShort = false;
};

// Length of a string in a parameter list: NUL included, rounded up to even.
size_t PaddedStringLength(size_t nChars);

// The longest text of an error text.
constexpr size_t MaxErrorText = 255;

// The bytes of the error text of a failed start-up, nSize of them: the message
// and the caption (none when empty), each NUL-terminated and padded to even
// length, then zero bytes. Each text is cut to MaxErrorText characters, and the
// message is cut further when that is what it takes for the caption and the
// closing zero byte to fit.
std::vector<uint8_t> ComposeErrorText(const std::string& strMessage, const std::string& strCaption,
                                      size_t nSize);
