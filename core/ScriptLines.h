// The host script lines through which private strings are read and written,
// addressed by the developer name "NEB ", the key "VDAT", a class and an index.
#pragma once

#include <cstdint>
#include <string>

std::string ReadPubStringLine(int32_t nIndex);
std::string WritePubStringLine(int32_t nIndex, const std::string& strValue);
std::string ReadObjectStringLine(int32_t nIndex, int32_t nObjectId);
// The value must already be escaped.
std::string WriteObjectStringLine(int32_t nIndex, int32_t nObjectId, const std::string& strValue);

// Every double quote preceded by a backslash.
std::string EscapeQuotes(const std::string& strValue);
// Every backslash that stands directly before a double quote removed.
std::string UnescapeQuotes(const std::string& strValue);
