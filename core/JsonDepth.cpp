#include "core/JsonDepth.h"

bool JsonWithinDepth(const std::string& strText, size_t nLimit, size_t& nAt) {
    size_t nDepth = 0;
    bool bInString = false;
    for (size_t i = 0; i < strText.size(); ++i) {
        char c = strText[i];
        if (bInString) {
            i += c == '\\' ? 1 : 0;
            bInString = c != '"';
        } else if (c == '"') {
            bInString = true;
        } else if (c == '[' || c == '{') {
            if (++nDepth > nLimit) {
                nAt = i;
                return false;
            }
        } else if ((c == ']' || c == '}') && nDepth > 0) {
            --nDepth;
        }
    }
    return true;
}
