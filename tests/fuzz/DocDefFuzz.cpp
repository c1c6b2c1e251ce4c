// A whole .ddf as the merge step reads it: a file that reads is written back
// in lines that read again to the same file.
#include "FuzzInput.h"
#include "core/DocDefReader.h"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string strText(reinterpret_cast<const char*>(pData), nSize);
    CDocDef docDef;
    std::string strError;
    if (!ReadDocDefText(strText, docDef, strError)) {
        FUZZ_CHECK(strError.rfind("line ", 0) == 0, "a refusal names its line");
        return 0;
    }
    std::ostringstream out;
    FUZZ_CHECK(WriteDocDef(docDef, out) == 0, "a document definition is written to memory");
    std::string strWritten = FileLines(out.str());
    CDocDef again;
    // A line too long to be read back cannot be carried (a long file name
    // makes an area line longer when its numbers are written in full).
    if (!ReadDocDefText(strWritten, again, strError)) {
        FUZZ_CHECK(strError.find("longer than") != std::string::npos, "what is written reads back");
        return 0;
    }
    std::ostringstream outAgain;
    WriteDocDef(again, outAgain);
    FUZZ_CHECK(FileLines(outAgain.str()) == strWritten, "and is written the same");
    return 0;
}
