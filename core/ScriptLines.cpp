#include "ScriptLines.h"

namespace {
const char* const Address = "\"NEB \", \"VDAT\", ";
}

std::string ReadPubStringLine(int32_t nIndex) {
    return std::string("getprivatestring ") + Address + "classpub, " + std::to_string(nIndex) +
           ", 0";
}

std::string WritePubStringLine(int32_t nIndex, const std::string& strValue) {
    return std::string("privatestring ") + Address + "classpub, " + std::to_string(nIndex) +
           ", 1, 0, true, \"" + strValue + "\"";
}

std::string ReadObjectStringLine(int32_t nIndex, int32_t nObjectId) {
    return std::string("getprivatestring ") + Address + "classobject, " + std::to_string(nIndex) +
           ", " + std::to_string(nObjectId);
}

std::string WriteObjectStringLine(int32_t nIndex, int32_t nObjectId, const std::string& strValue) {
    return std::string("privatestring ") + Address + "classobject, " + std::to_string(nIndex) +
           ", 1, " + std::to_string(nObjectId) + ", true, \"" + strValue + "\"";
}

std::string EscapeQuotes(const std::string& strValue) {
    std::string strEscaped;
    for (char c : strValue) {
        if (c == '"') {
            strEscaped += '\\';
        }
        strEscaped += c;
    }
    return strEscaped;
}

std::string UnescapeQuotes(const std::string& strValue) {
    std::string strPlain;
    for (size_t i = 0; i < strValue.size(); ++i) {
        if (strValue[i] == '\\' && i + 1 < strValue.size() && strValue[i + 1] == '"') {
            continue;
        }
        strPlain += strValue[i];
    }
    return strPlain;
}
