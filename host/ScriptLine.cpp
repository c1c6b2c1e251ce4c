#include "ScriptLine.h"

#include <cctype>
#include <cstdlib>
#include <vector>

namespace {

struct CToken {
    enum Kind { Word, Quoted } kind;
    std::string strText;
};

// Splits the line into words and quoted strings, checking the commas between
// the arguments (none after the command word).
bool Tokenize(const std::string& strLine, std::vector<CToken>& tokens, std::string& strError) {
    size_t i = 0;
    bool bExpectComma = false;
    while (i < strLine.size()) {
        char c = strLine[i];
        if (c == ' ' || c == '\t') {
            ++i;
            continue;
        }
        if (c == ',') {
            if (!bExpectComma || tokens.size() < 2) {
                strError = "unexpected comma at column " + std::to_string(i + 1);
                return false;
            }
            bExpectComma = false;
            ++i;
            continue;
        }
        if (bExpectComma) {
            strError = "comma missing before column " + std::to_string(i + 1);
            return false;
        }
        if (c == '"') {
            std::string strText;
            size_t j = i + 1;
            for (; j < strLine.size() && strLine[j] != '"'; ++j) {
                if (strLine[j] == '\\' && j + 1 < strLine.size() && strLine[j + 1] == '"') {
                    ++j;
                }
                strText += strLine[j];
            }
            if (j >= strLine.size()) {
                strError = "string from column " + std::to_string(i + 1) + " is not closed";
                return false;
            }
            tokens.push_back({CToken::Quoted, strText});
            i = j + 1;
        } else {
            size_t j = i;
            while (j < strLine.size() && strLine[j] != ' ' && strLine[j] != '\t' &&
                   strLine[j] != ',' && strLine[j] != '"') {
                ++j;
            }
            tokens.push_back({CToken::Word, strLine.substr(i, j - i)});
            i = j;
        }
        // The command word stands alone; every argument is followed by a comma
        // unless it is the last.
        bExpectComma = tokens.size() >= 2;
    }
    if (!bExpectComma && tokens.size() >= 2) {
        strError = "the line ends with a comma";
        return false;
    }
    return true;
}

bool Number(const CToken& token, int32_t& nValue) {
    if (token.kind != CToken::Word || token.strText.empty()) {
        return false;
    }
    char* pEnd = nullptr;
    long long nParsed = strtoll(token.strText.c_str(), &pEnd, 10);
    if (*pEnd != '\0' || nParsed < INT32_MIN || nParsed > INT32_MAX) {
        return false;
    }
    nValue = static_cast<int32_t>(nParsed);
    return true;
}

bool IsWord(const CToken& token, const char* pWord) {
    return token.kind == CToken::Word && token.strText == pWord;
}

} // namespace

bool ParseScriptLine(const std::string& strLine, CScriptLine& line, std::string& strError) {
    std::vector<CToken> tokens;
    if (!Tokenize(strLine, tokens, strError)) {
        return false;
    }
    if (tokens.empty() || tokens[0].kind != CToken::Word) {
        strError = "no command";
        return false;
    }
    line = CScriptLine();
    line.bWrite = tokens[0].strText == "privatestring";
    if (!line.bWrite && tokens[0].strText != "getprivatestring") {
        strError = "unknown command " + tokens[0].strText;
        return false;
    }
    size_t nExpected = line.bWrite ? 9 : 6;
    if (tokens.size() != nExpected) {
        strError = tokens[0].strText + " takes " + std::to_string(nExpected - 1) +
                   " arguments, not " + std::to_string(tokens.size() - 1);
        return false;
    }
    if (tokens[1].kind != CToken::Quoted || tokens[2].kind != CToken::Quoted) {
        strError = "the developer name and the key must be quoted";
        return false;
    }
    line.strDeveloper = tokens[1].strText;
    line.strKey = tokens[2].strText;
    if (IsWord(tokens[3], "classobject")) {
        line.bObject = true;
    } else if (!IsWord(tokens[3], "classpub")) {
        strError = "the class must be classpub or classobject";
        return false;
    }
    if (!Number(tokens[4], line.nIndex)) {
        strError = "the index must be a number";
        return false;
    }
    size_t nObjectAt = line.bWrite ? 6 : 5;
    if (line.bWrite && !IsWord(tokens[5], "1")) {
        strError = "privatestring expects 1 after the index";
        return false;
    }
    if (!Number(tokens[nObjectAt], line.nObjectId) || (!line.bObject && line.nObjectId != 0)) {
        strError = line.bObject ? "the object must be a number" : "classpub takes 0 as object";
        return false;
    }
    if (line.bWrite) {
        if (!IsWord(tokens[7], "true")) {
            strError = "privatestring expects true before the value";
            return false;
        }
        if (tokens[8].kind != CToken::Quoted) {
            strError = "the value must be quoted";
            return false;
        }
        line.strValue = tokens[8].strText;
    }
    return true;
}
