// The stand-in host's reading of private-string script lines: a line that
// parses is composed again by the plug-in's own composers (quotes escaped)
// and parses to the same values.
#include "FuzzInput.h"
#include "core/ScriptLines.h"
#include "host/ScriptLine.h"

namespace {

std::string Composed(const CScriptLine& line) {
    if (line.bWrite) {
        std::string strValue = EscapeQuotes(line.strValue);
        return line.bObject ? WriteObjectStringLine(line.nIndex, line.nObjectId, strValue)
                            : WritePubStringLine(line.nIndex, strValue);
    }
    return line.bObject ? ReadObjectStringLine(line.nIndex, line.nObjectId)
                        : ReadPubStringLine(line.nIndex);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string strLine(reinterpret_cast<const char*>(pData), nSize);
    CScriptLine line;
    std::string strError;
    if (!ParseScriptLine(strLine, line, strError)) {
        FUZZ_CHECK(!strError.empty(), "a refused line is explained");
        return 0;
    }
    if (line.strDeveloper != "NEB " || line.strKey != "VDAT" ||
        line.strValue.find('\0') != std::string::npos) {
        return 0; // not a line the plug-in composes
    }
    CScriptLine again;
    FUZZ_CHECK(ParseScriptLine(Composed(line), again, strError), "a composed line parses");
    FUZZ_CHECK(again.bWrite == line.bWrite && again.bObject == line.bObject &&
                   again.nIndex == line.nIndex && again.strValue == line.strValue &&
                   (!line.bObject || again.nObjectId == line.nObjectId),
               "to the same values");
    return 0;
}
