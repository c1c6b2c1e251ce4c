#include "Delimiters.h"

char DelimiterByte(const std::string& strWord) {
    for (const CDelimiterWord& word : DelimiterWords) {
        if (strWord == word.pWord) {
            return word.cByte;
        }
    }
    return '\0';
}

const char* DelimiterWord(char cByte) {
    for (const CDelimiterWord& word : DelimiterWords) {
        if (word.cByte == cByte) {
            return word.pWord;
        }
    }
    return nullptr;
}
