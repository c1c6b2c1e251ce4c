// The values of a named object as the Create Variable Data Object command and
// the Named Object dialog read, check and show them.
#pragma once

#include <cstdint>
#include <string>

// True when every character is a digit 0 to 9, except that, with the point
// allowed, one character may be ".".
bool IsNumberText(const char* pText, bool bAllowPoint);

// The number a text shows when it passes IsNumberText with the point allowed
// and holds a digit; false otherwise. Read in single precision, as the
// limits compare it.
bool ReadNumberText(const std::string& strText, float& fValue);

// A value in general notation with 6 significant digits (12, 14.4).
std::string FormatGeneral(float fValue);
// A colour fraction as a percentage with one decimal (0 → "0.0", 1 → "100.0").
std::string FormatPercent(float fFraction);

// The alignment list's entry for an alignment code (0–3 set as is, 4–7 flowed),
// and whether it flows; "Left" for a code outside the table.
const char* AlignmentEntry(int32_t nAlignment);
bool AlignmentFlows(int32_t nAlignment);
// The code for an entry and the flow flag; Left for an unknown entry.
int32_t AlignmentCode(const std::string& strEntry, bool bFlow);

// The message that refuses an object of the kind, or 0 for a text block (1),
// a graphic (4–6, 8–11).
unsigned KindRefusal(int16_t nKind);

// The font name for the type style: blanks after its first character joined
// by "-", then "-" and "Bold", "Italic" or both for the style bits 2 and 4;
// only the low three bits of the style count.
std::string StyledFontName(std::string strFont, int16_t nStyle);
