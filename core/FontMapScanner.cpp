#include "FontMapScanner.h"

#include <cctype>

namespace {
bool IsBlank(char c) {
    return isspace(static_cast<unsigned char>(c)) != 0;
}
} // namespace

CFontMapScanner::WordResult CFontMapScanner::ReadWord(std::string& strWord) {
    while (*m_pNext != '\0' && IsBlank(*m_pNext)) {
        ++m_pNext;
    }
    if (*m_pNext == '\0') {
        return NoWord;
    }
    strWord.clear();
    while (*m_pNext != '\0' && !IsBlank(*m_pNext)) {
        if (strWord.size() == MaxFontWord) {
            return TooLong;
        }
        strWord += *m_pNext++;
    }
    return Word;
}

void CFontMapScanner::SkipCommentRest() {
    for (size_t i = 0; i < MaxCommentRest && *m_pNext != '\0' && *m_pNext != '\n'; ++i) {
        ++m_pNext;
    }
    if (*m_pNext == '\n') {
        ++m_pNext;
    }
}

CFontMapScanner::Result CFontMapScanner::Next(std::string& strHost, std::string& strOutput) {
    for (;;) {
        WordResult first = ReadWord(strHost);
        if (first == TooLong) {
            return ScanError;
        }
        if (first == NoWord) {
            return End;
        }
        if (strHost[0] == '/') {
            SkipCommentRest();
            continue;
        }
        WordResult second = ReadWord(strOutput);
        if (second == TooLong) {
            return ScanError;
        }
        return second == Word ? Pair : End;
    }
}

bool FindOutputFont(const char* pText, const std::string& strHost, std::string& strOutput) {
    CFontMapScanner scanner(pText);
    std::string strPairHost;
    std::string strPairOutput;
    while (scanner.Next(strPairHost, strPairOutput) == CFontMapScanner::Pair) {
        if (strPairHost == strHost) {
            strOutput = strPairOutput;
            return true;
        }
    }
    return false;
}
