// The data fields as the publication stores them: one line of blank-separated
// values per field.
#pragma once

class CDataField;
class CDataFieldList;

// The longest stored field line.
constexpr int MaxStoredFieldLine = 255;

// One new string per field in list order, then a null pointer; null for an
// empty or missing list. The caller frees each string and the array.
char** ToStoredStrings(CDataFieldList* pList);

// A new list of the fields of the stored strings (null for none); each
// field's sample is cut again from the copy text (none when null).
CDataFieldList* FromStoredStrings(char** ppStrings, const char* pCopyText);

// The stored line of one field in a new string. A line that would be longer
// than MaxStoredFieldLine has its next-line text cut, then (should that not be
// enough) a delimiter longer than any keyword, then its name, each to no less
// than one character, so that every value still reads back in its place.
char* FormatStoredField(const CDataField& field);
