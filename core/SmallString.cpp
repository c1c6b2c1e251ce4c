#include "SmallString.h"

#include <cctype>
#include <cstring>
#include <istream>
#include <new>
#include <ostream>

CSmallString::CSmallString(const char* pText) : CSmallString() {
    if (pText != nullptr) {
        Assign(pText, static_cast<int32_t>(strlen(pText)));
    }
}

CSmallString::CSmallString(const CSmallString& other) : CSmallString() {
    Assign(other.m_pText, other.m_nLength);
}

CSmallString& CSmallString::operator=(const CSmallString& other) {
    if (this != &other) {
        Assign(other.m_pText, other.m_nLength);
    }
    return *this;
}

CSmallString& CSmallString::operator=(const char* pText) {
    if (pText == nullptr) {
        Assign("", 0);
    } else if (pText != m_pText) {
        Assign(pText, static_cast<int32_t>(strlen(pText)));
    }
    return *this;
}

CSmallString::~CSmallString() {
    Release();
}

void CSmallString::Release() {
    if (!IsInline()) {
        delete[] m_pText;
    }
    m_pText = m_szInline;
    m_szInline[0] = '\0';
    m_nLength = 0;
}

void CSmallString::Assign(const char* pText, int32_t nLength) {
    if (nLength < 0) {
        nLength = 0;
    }
    char* pTarget = m_szInline;
    if (nLength >= InlineSize) {
        pTarget = new (std::nothrow) char[static_cast<size_t>(nLength) + 1];
        if (pTarget == nullptr) {
            Release();
            return;
        }
    }
    // The source may be this string's own text: copy before letting go of it.
    memmove(pTarget, pText, static_cast<size_t>(nLength));
    pTarget[nLength] = '\0';
    if (!IsInline()) {
        delete[] m_pText;
    }
    m_pText = pTarget;
    m_nLength = nLength;
}

bool CSmallString::Equals(const char* pText) const {
    return pText != nullptr && strcmp(m_pText, pText) == 0;
}

std::ostream& operator<<(std::ostream& out, const CSmallString& text) {
    return out.write(text.Text(), text.Length());
}

std::istream& operator>>(std::istream& in, CSmallString& text) {
    std::istream::sentry ready(in); // skips leading blanks
    if (!ready) {
        return in;
    }
    char szWord[CSmallString::MaxWord + 1];
    int32_t nLength = 0;
    std::streambuf* pBuffer = in.rdbuf();
    for (;;) {
        int nChar = pBuffer->sgetc();
        if (nChar == std::char_traits<char>::eof()) {
            in.setstate(std::ios::eofbit);
            break;
        }
        if (isspace(static_cast<unsigned char>(nChar))) {
            break;
        }
        if (nLength < CSmallString::MaxWord) {
            szWord[nLength++] = static_cast<char>(nChar);
        }
        pBuffer->sbumpc();
    }
    if (nLength == 0) {
        in.setstate(std::ios::failbit);
        return in;
    }
    text.Assign(szWord, nLength);
    return in;
}
