// Turning a fuzzer's bytes into the inputs of a reader, and stopping at the
// first broken property with a message that names it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

// Fails the run: libFuzzer keeps the input that did it.
#define FUZZ_CHECK(condition, what)                                                                \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            fprintf(stderr, "property broken: %s (%s:%d)\n", what, __FILE__, __LINE__);            \
            abort();                                                                               \
        }                                                                                          \
    } while (false)

class CFuzzInput {
  public:
    CFuzzInput(const uint8_t* pData, size_t nSize)
        : m_text(reinterpret_cast<const char*>(pData), nSize) {}

    // A 32-bit number from the next four bytes (0 when none are left).
    int32_t TakeNumber() {
        uint32_t nValue = 0;
        for (int i = 0; i < 4 && m_nPos < m_text.size(); ++i) {
            nValue |= static_cast<uint32_t>(static_cast<uint8_t>(m_text[m_nPos++])) << (8 * i);
        }
        return static_cast<int32_t>(nValue);
    }

    // The text up to the next NUL (or the end), which is passed over.
    std::string TakeString() {
        size_t nEnd = m_text.find('\0', m_nPos);
        if (nEnd == std::string::npos) {
            nEnd = m_text.size();
        }
        std::string strPart = m_text.substr(m_nPos, nEnd - m_nPos);
        m_nPos = nEnd < m_text.size() ? nEnd + 1 : nEnd;
        return strPart;
    }

    std::string Rest() {
        std::string strRest = m_text.substr(m_nPos);
        m_nPos = m_text.size();
        return strRest;
    }

    bool Empty() const { return m_nPos >= m_text.size(); }

  private:
    std::string m_text;
    size_t m_nPos = 0;
};
