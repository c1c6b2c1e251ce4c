// How a selection in the copy text becomes a data field: its extent (place,
// counts, sample value, delimiters), the rules that adjust a field before it
// is named, and the comma-separated item under a double-click.
#pragma once

#include "core/DataField.h"

#include <cstdint>
#include <string>

// The end of a selection from s to e (exclusive) in the text: a selection
// longer than one byte whose byte at e - 2 is a CR ends before its line break.
int32_t EndBeforeLineBreak(const char* pText, int32_t s, int32_t e);

// The extent of the selection from s to e (the end already moved before a
// line break) in the copy text; null when the selection is empty. The start
// and end are kept inside the text.
CSampleExtent* ExtentOfSelection(const char* pCopy, int32_t s, int32_t e);

// The name of the delimiter that follows a selection: "NULL" at the end of the
// copy, the delimiter word of a line break, a tab or a space, or the byte itself.
std::string DelimiterAt(const char* pCopy, int32_t nAt);

// The text of the line after the selection's last line, or "NULL" when there
// is none or it is empty; nAt is where the rest of the copy after the
// selection begins.
std::string NextLineAt(const char* pCopy, int32_t nAt);

// True when Characters cannot be offered for the extent: it does not lie
// inside one line followed on that line by a character.
bool NeedsLineUnits(const CSampleExtent& extent);

// Makes the current field ready for a new selection before it is named. With
// no current field, a new one with no name: Characters, Count, Text, blanks
// stripped, inline. An existing one keeps its units, length mode and
// stripping, and loses its name, type and reference; an Until that the new
// extent cannot keep becomes Count (with Lines when it had Characters and the
// selection ends the copy). The extent is taken over.
void PrepareNewField(CDataField*& pField, CSampleExtent* pExtent);

// The comma-separated item of the line around the column: from just after the
// comma before it (or the line's start) to the next comma (or the line's end).
void CommaItemAt(const std::string& strLine, int32_t nColumn, int32_t& nStart, int32_t& nEnd);

// The catalogue string that shows a delimiter keyword in the Name dialog, or
// 0 when the delimiter (a single character) is shown as it is.
unsigned DelimiterDisplayId(const char* pDelimiter);
