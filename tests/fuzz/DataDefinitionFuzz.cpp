// Data definition lines and the instruction lines of a document definition:
// a record that reads is written in a line that reads back to the same line;
// the instructions read against the records read before them.
#include "FuzzInput.h"
#include "core/DataDefinition.h"
#include "core/DocDef.h"
#include "core/Instructions.h"
#include "core/LineReader.h"
#include "core/SmallString.h"

#include <sstream>

namespace {

std::string Written(const CDataDefinition& record) {
    std::ostringstream out;
    FUZZ_CHECK(WriteDataDefinition(record, out) == 0, "a record is written to memory");
    return out.str();
}

// Passes over the line the last reader refused or pushed back; false at the end.
bool SkipLine(std::istream& in) {
    std::string strLine;
    return ReadTextLine(in, strLine) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(pData), nSize));
    CDocDef docDef;
    for (int nLine = 0; nLine < 16; ++nLine) {
        CDataDefinition record;
        int nResult = ReadDataDefinition(record, in);
        if (nResult == 3) {
            break;
        }
        if (nResult != 0) {
            if (!SkipLine(in)) {
                break;
            }
            continue;
        }
        AddOrReplace(docDef.fields, record);
        std::string strLine = Written(record);
        // Too long to be read again, or a name that would make the line a
        // comment or a section: lines the format cannot carry.
        if (strLine.size() > MaxTextLine + 1 || strLine[0] == ';' || strLine[0] == '[') {
            continue;
        }
        std::istringstream again(strLine);
        CDataDefinition reread;
        FUZZ_CHECK(ReadDataDefinition(reread, again) == 0, "a written record reads back");
        FUZZ_CHECK(Written(reread) == strLine, "and is written the same");
    }
    // What is left, as instructions.
    for (int nLine = 0; nLine < 16; ++nLine) {
        CMerge merge;
        int nResult = merge.Read(in, docDef.areas, docDef.fields);
        if (nResult == 0) {
            FUZZ_CHECK(merge.pField == nullptr ||
                           merge.pField->strName.Equals(merge.strFieldName.Text()),
                       "a merge is resolved to its own field");
            continue;
        }
        CIncludePages pages;
        nResult = pages.Read(in, docDef.areas, docDef.fields);
        if (nResult == 0) {
            std::ostringstream out;
            FUZZ_CHECK(pages.Write(out) == 0, "include pages are written");
            continue;
        }
        if (nResult == 3 || !SkipLine(in)) {
            break;
        }
    }
    std::ostringstream out;
    FUZZ_CHECK(WriteDocDef(docDef, out) == 0, "the document definition is written");
    return 0;
}
