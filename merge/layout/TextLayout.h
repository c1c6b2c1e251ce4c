// A text value set in its area: the lines it takes (words wrapped inside the
// area's width when the area flows, one line per line of the value when it
// does not), where each line starts, and how far the text runs past the area.
#pragma once

#include "core/AreaDefinition.h"
#include "merge/data/TextEncoding.h"
#include "merge/layout/FontMetrics.h"

#include <string>
#include <vector>

struct CSetLine {
    std::u32string strText;
    double dX = 0;         // from the area's left edge, in points
    double dBaseline = 0;  // from the area's top edge, downwards
    double dWidth = 0;     // as set
    double dWordSpace = 0; // extra space after each blank (Justify)
};

struct CTextLayout {
    std::vector<CSetLine> lines;
    double dOverWidth = 0;  // points the widest line runs past the right edge
    double dOverHeight = 0; // points the last line runs below the bottom edge
    bool bMeasured = true;  // false when the font has no metrics
    char32_t missing = 0;   // the first character the font cannot show, or 0
    double dSize = 0;       // the font size set
};

// Lays the value, bytes in the data file's encoding, out in the area. The
// first baseline lies one font size below the top; each further line the
// leading (Spacing) below the one before; the area's height is passed when
// the last baseline lies below it. Blanks (spaces, tabs) separate words.
CTextLayout LayOutText(const CAreaDefinition& area, const std::string& strValue,
                       CFontMetrics& metrics, TextEncoding encoding = TextEncoding::Windows1252);

// Lays the value out at the area's size when it fits there, or at the
// largest size in tenths of a point down to dMinSize at which it fits, the
// leading shrunk in proportion; what does not fit at dMinSize is laid out
// there, running past the area.
CTextLayout FitText(const CAreaDefinition& area, const std::string& strValue, CFontMetrics& metrics,
                    TextEncoding encoding, double dMinSize);

// True when the layout lies within its area (a twentieth of a point spare).
bool Fits(const CTextLayout& layout);
