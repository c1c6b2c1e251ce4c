// The font mapping file as a user may have edited it: every pair scanned has
// two words of at most 127 characters without blanks, and the scan ends.
#include "FuzzInput.h"
#include "core/FontMapScanner.h"

#include <cctype>

namespace {

bool IsWord(const std::string& strWord) {
    if (strWord.empty() || strWord.size() > MaxFontWord) {
        return false;
    }
    for (char c : strWord) {
        if (isspace(static_cast<unsigned char>(c)) || c == '\0') {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string strText(reinterpret_cast<const char*>(pData), nSize);
    CFontMapScanner scanner(strText.c_str());
    std::string strHost;
    std::string strOutput;
    std::string strFirstHost;
    std::string strFirstOutput;
    size_t nPairs = 0;
    for (;;) {
        CFontMapScanner::Result result = scanner.Next(strHost, strOutput);
        if (result != CFontMapScanner::Pair) {
            break;
        }
        FUZZ_CHECK(IsWord(strHost) && IsWord(strOutput), "a pair is two words");
        FUZZ_CHECK(++nPairs <= strText.size(), "the scan ends");
        if (nPairs == 1) {
            strFirstHost = strHost;
            strFirstOutput = strOutput;
        }
    }
    if (nPairs > 0) {
        std::string strFound;
        FUZZ_CHECK(FindOutputFont(strText.c_str(), strFirstHost, strFound),
                   "the first pair is found");
        FUZZ_CHECK(strFound == strFirstOutput, "with its own output font");
    }
    return 0;
}
