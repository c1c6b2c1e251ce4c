// The delimiter keywords: the words the stored data fields and the document
// definition use for the delimiters that cannot stand for themselves, the
// byte each stands for in the data, and how the dialogs show it.
#pragma once

#include "core/StringIds.h"

#include <cstddef>
#include <string>

struct CDelimiterWord {
    const char* pWord;
    char cByte;
    unsigned nShownId;
};

// CRLF names a line break; LFCR, an older spelling, is read as one too but
// never written.
constexpr CDelimiterWord DelimiterWords[] = {{"CRLF", '\n', IDS_DELIM_CRLF},
                                             {"TAB", '\t', IDS_DELIM_TAB},
                                             {"SPACE", ' ', IDS_DELIM_SPACE},
                                             {"LFCR", '\n', IDS_DELIM_LFCR}};

// The length of the longest delimiter word.
constexpr size_t LongestDelimiterWord() {
    size_t nLongest = 0;
    for (const CDelimiterWord& word : DelimiterWords) {
        size_t nLength = 0;
        while (word.pWord[nLength] != '\0') {
            ++nLength;
        }
        nLongest = nLength > nLongest ? nLength : nLongest;
    }
    return nLongest;
}

// The word a stored field holds for no delimiter, no next-line word, no
// sample value.
constexpr const char* NoneWord = "NULL";

// The byte a delimiter word names, or '\0' when the text is none.
char DelimiterByte(const std::string& strWord);

// The word written for a delimiter byte (a line break, a tab, a space), or
// null when the byte stands for itself.
const char* DelimiterWord(char cByte);

// The text a data field holds for its delimiter, unless it is the byte itself.
inline std::string DelimiterText(char cByte) {
    const char* pWord = DelimiterWord(cByte);
    return pWord != nullptr ? pWord : std::string(1, cByte);
}
