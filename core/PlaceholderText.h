// The texts of an EPS placeholder: the EPS header that stands on the page, and
// the stored strings that carry the named object with it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CAreaDefinition;
struct CNamedObject;

// Size of the placeholder block; its text, NUL included, never exceeds it.
constexpr size_t PlaceholderBlockSize = 1024;

// The object string from which a placeholder's stored strings run: the area,
// then the data field name.
constexpr int32_t PlaceholderStringsIndex = 100;

// The header-only EPS text of an area: its bounding box (page-relative, top
// before bottom) and its name as the title.
std::string ComposePlaceholderText(const CAreaDefinition& area);

// "%%NEBVArea: " + the area's stored text form + "%%NEBVData: " + the data
// field name + LF, NUL-terminated in the buffer. 1 when both were written
// whole, 0 when either did not fit (the data part is then missing or cut).
int ComposeStoredStrings(char* pBuffer, size_t nSize, const CNamedObject* pObject);

// The two strings of a composed text: the area (without its LF) and the data
// field name. False when either part is missing.
bool CutStoredStrings(const char* pComposed, std::string& strArea, std::string& strDataField);

// Rebuilds the named object from its stored strings (the area, then the data
// field name). The area's name becomes the last object name, and the data
// field's name the last field name (none for a placeholder whose second string
// is its EPS header). 1 on success; 0 when the area does not parse, and then
// neither the object's data field nor the two last names are touched.
int ReadPlaceholderObject(char** ppStrings, CNamedObject* pObject, char*& pLastObjectName,
                          char*& pLastFieldName);

// Replaces every blank after the first character by "-".
void JoinFontNameWords(std::string& strName);
