#include "LineReader.h"

#include "AreaDefinition.h"

#include <istream>
#include <sstream>

namespace {

int ReadOneLine(std::istream& in, std::string& strLine, size_t nMaxLine) {
    if (in.bad()) {
        return ReadError;
    }
    if (in.peek() == std::char_traits<char>::eof()) {
        return ReadEndOfInput;
    }
    strLine.clear();
    bool bTooLong = false;
    for (;;) {
        int nChar = in.get();
        if (nChar == std::char_traits<char>::eof()) {
            return in.bad() ? ReadError : ReadEndOfInput;
        }
        if (nChar == '\n') {
            break;
        }
        if (strLine.size() < nMaxLine) {
            strLine += static_cast<char>(nChar);
        } else {
            bTooLong = true;
        }
    }
    return bTooLong ? ReadError : ReadOk;
}

} // namespace

int ReadTextLine(std::istream& in, std::string& strLine, size_t nMaxLine) {
    for (;;) {
        int nResult = ReadOneLine(in, strLine, nMaxLine);
        if (nResult != ReadOk || strLine.empty() || strLine[0] != ';') {
            return nResult;
        }
    }
}

void RethrowReadFailures(std::istream& in) {
    in.exceptions(std::ios::badbit);
}

void PushBackLine(std::istream& in, const std::string& strLine) {
    in.clear(in.rdstate() & ~std::ios::eofbit);
    in.putback('\n');
    for (auto it = strLine.rbegin(); it != strLine.rend(); ++it) {
        in.putback(*it);
    }
}

int ReadRecordLine(std::istream& in, const std::function<bool(std::istream& words)>& parse,
                   size_t nMaxLine) {
    std::string strLine;
    int nResult = ReadTextLine(in, strLine, nMaxLine);
    if (nResult != ReadOk) {
        return nResult;
    }
    if (!strLine.empty() && strLine[0] == '[') {
        PushBackLine(in, strLine);
        return ReadEndOfSection;
    }
    std::istringstream words(strLine);
    RethrowReadFailures(words);
    if (!parse(words)) {
        PushBackLine(in, strLine);
        return ReadError;
    }
    return ReadOk;
}
