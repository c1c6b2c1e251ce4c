// The area text form, as a document definition or a placeholder's stored
// string may hold it: an area that reads is written in a line that reads back
// to the same area and the same line. Its numbers are read as the stream's
// own extraction reads them.
#include "FuzzInput.h"
#include "core/AreaDefinition.h"
#include "core/LineReader.h"
#include "core/NumberReader.h"

#include <cstring>
#include <sstream>

namespace {

std::string Written(const CAreaDefinition& area) {
    std::ostringstream out;
    FUZZ_CHECK(WriteArea(area, out) == 0, "an area is written to memory");
    return out.str();
}

// Reads the text as a run of numbers both ways, side by side: the same
// values, the same stream states, the same characters taken.
void CompareNumberReading(const std::string& strText) {
    std::istringstream byStream(strText);
    std::istringstream byReader(strText);
    for (int i = 0; i < 64; ++i) {
        float fStream = 1;
        float fReader = 1;
        byStream >> fStream;
        byReader >> Number(fReader);
        FUZZ_CHECK(memcmp(&fStream, &fReader, sizeof fStream) == 0, "the same value");
        FUZZ_CHECK(byStream.rdstate() == byReader.rdstate(), "the same stream state");
        if (!byStream) {
            break;
        }
        FUZZ_CHECK(byStream.tellg() == byReader.tellg(), "the same characters taken");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    CompareNumberReading(std::string(reinterpret_cast<const char*>(pData), nSize));
    std::istringstream in(std::string(reinterpret_cast<const char*>(pData), nSize));
    for (int nLine = 0; nLine < 16; ++nLine) {
        CAreaDefinition area;
        int nResult = ReadArea(area, in);
        FUZZ_CHECK(nResult >= 0 && nResult <= 3, "a known result");
        if (nResult == 1) {
            std::string strSection;
            ReadTextLine(in, strSection); // the section line pushed back
            continue;
        }
        if (nResult == 2) {
            std::string strRefused;
            if (ReadTextLine(in, strRefused) != 0) {
                break;
            }
            continue;
        }
        if (nResult == 3) {
            break;
        }
        std::string strLine = Written(area);
        // Too long to be read again, or a name that would make the line a
        // comment or a section: lines the format cannot carry.
        if (strLine.size() > MaxTextLine + 1 || strLine[0] == ';' || strLine[0] == '[') {
            continue;
        }
        std::istringstream again(strLine);
        CAreaDefinition reread;
        FUZZ_CHECK(ReadArea(reread, again) == 0, "a written area reads back");
        FUZZ_CHECK(Written(reread) == strLine, "and is written the same");
    }
    return 0;
}
