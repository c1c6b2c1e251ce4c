#include "NumberReader.h"

#include <charconv>
#include <cstdlib>
#include <istream>
#include <limits>
#include <string>
#include <system_error>

namespace {

bool IsDigit(int nChar) {
    return nChar >= '0' && nChar <= '9';
}

// The characters a number may take: an optional sign, digits with at most
// one decimal point, then an exponent after at least one digit, with its
// optional sign. Leading zeros after the first do not change the value and
// are dropped. Stops before the first character that does not fit.
std::string TakeNumberText(std::streambuf& buffer, bool& bEnd) {
    using Traits = std::char_traits<char>;
    std::string strText;
    int nChar = buffer.sgetc();
    auto Advance = [&] {
        nChar = buffer.snextc();
        bEnd = nChar == Traits::eof();
    };
    bEnd = nChar == Traits::eof();
    if (!bEnd && (nChar == '+' || nChar == '-')) {
        strText += static_cast<char>(nChar);
        Advance();
    }
    bool bMantissa = false;
    while (!bEnd && nChar == '0') {
        if (!bMantissa) {
            strText += '0';
            bMantissa = true;
        }
        Advance();
    }
    bool bPoint = false;
    bool bExponent = false;
    while (!bEnd) {
        if (nChar == '.') {
            if (bPoint || bExponent) {
                break;
            }
            strText += '.';
            bPoint = true;
        } else if (IsDigit(nChar)) {
            strText += static_cast<char>(nChar);
            bMantissa = true;
        } else if ((nChar == 'e' || nChar == 'E') && !bExponent && bMantissa) {
            strText += 'e';
            bExponent = true;
            Advance();
            if (bEnd) {
                break;
            }
            if (nChar != '+' && nChar != '-') {
                continue;
            }
            strText += static_cast<char>(nChar);
        } else {
            break;
        }
        Advance();
    }
    return strText;
}

// The value of the text taken, as the run-time's conversion gives it: false
// (value 0) when the text is not a whole number; the largest value of the
// sign (and false) when it is too large for a float.
bool Convert(const std::string& strText, float& fValue) {
    const char* pFirst = strText.c_str();
    const char* pLast = pFirst + strText.size();
    // The conversion below takes no plus sign.
    const char* pDigits = strText.size() > 0 && strText[0] == '+' ? pFirst + 1 : pFirst;
    float fRead = 0;
    std::from_chars_result result = std::from_chars(pDigits, pLast, fRead);
    if (result.ec == std::errc() && result.ptr == pLast) {
        fValue = fRead;
        return true;
    }
    if (result.ec != std::errc::result_out_of_range || result.ptr != pLast) {
        fValue = 0;
        return false;
    }
    // Too large or too small: the run-time's own conversion says which.
    char* pEnd = nullptr;
    fRead = strtof(pFirst, &pEnd);
    if (fRead == std::numeric_limits<float>::infinity() ||
        fRead == -std::numeric_limits<float>::infinity()) {
        fValue = fRead > 0 ? std::numeric_limits<float>::max() : -std::numeric_limits<float>::max();
        return false;
    }
    fValue = fRead;
    return true;
}

} // namespace

std::istream& operator>>(std::istream& in, CNumberIn number) {
    std::istream::sentry sentry(in);
    if (!sentry) {
        return in;
    }
    bool bEnd = false;
    std::string strText = TakeNumberText(*in.rdbuf(), bEnd);
    std::ios::iostate state = std::ios::goodbit;
    if (!Convert(strText, number.fValue)) {
        state |= std::ios::failbit;
    }
    if (bEnd) {
        state |= std::ios::eofbit;
    }
    in.setstate(state);
    return in;
}
