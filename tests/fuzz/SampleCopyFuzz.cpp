// The copy cut from a sample file with the offsets a publication stored: the
// cut never leaves the text and is exactly the part of it between the offsets.
#include "FuzzInput.h"
#include "core/SampleCopy.h"

#include <algorithm>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    CFuzzInput input(pData, nSize);
    int nStart = input.TakeNumber() % 20000;
    int nEnd = input.TakeNumber() % 20000;
    std::string strText = input.Rest();
    // The file as loaded: exactly its bytes, no NUL after them.
    std::vector<char> bytes(strText.begin(), strText.end());
    char* pCopy = CutCopyText(bytes.data(), bytes.size(), nStart, nEnd);
    FUZZ_CHECK(pCopy != nullptr, "a copy is made");
    size_t nText = bytes.empty() ? 0 : strnlen(bytes.data(), bytes.size());
    size_t nFrom = static_cast<size_t>(std::clamp(nStart, 0, static_cast<int>(nText)));
    size_t nTo = static_cast<size_t>(std::clamp(nEnd, 0, static_cast<int>(nText)));
    std::string strExpected = nTo > nFrom ? std::string(bytes.data() + nFrom, nTo - nFrom) : "";
    FUZZ_CHECK(strExpected == pCopy, "the copy is the text between the offsets");
    delete[] pCopy;
    return 0;
}
