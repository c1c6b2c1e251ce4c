#include "merge/layout/TextLayout.h"

#include <algorithm>

namespace {

bool IsBlank(char32_t c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// The words of a line of the value.
std::vector<std::u32string> Words(const std::u32string& strLine) {
    std::vector<std::u32string> words;
    size_t i = 0;
    while (i < strLine.size()) {
        while (i < strLine.size() && IsBlank(strLine[i])) {
            ++i;
        }
        size_t nStart = i;
        while (i < strLine.size() && !IsBlank(strLine[i])) {
            ++i;
        }
        if (i > nStart) {
            words.push_back(strLine.substr(nStart, i - nStart));
        }
    }
    return words;
}

// The value's own lines; a final line feed ends the last line.
std::vector<std::u32string> Paragraphs(const std::u32string& strValue) {
    std::vector<std::u32string> paragraphs;
    size_t nStart = 0;
    while (nStart < strValue.size()) {
        size_t nFeed = strValue.find(U'\n', nStart);
        if (nFeed == std::u32string::npos) {
            nFeed = strValue.size();
        }
        paragraphs.push_back(strValue.substr(nStart, nFeed - nStart));
        nStart = nFeed + 1;
    }
    if (paragraphs.empty()) {
        paragraphs.emplace_back();
    }
    return paragraphs;
}

// A line of words broken as it is set, its width, and whether it ends its
// paragraph (Justify leaves those).
struct CBrokenLine {
    std::u32string strText;
    double dWidth;
    bool bLast;
};

// The text's paragraphs broken into lines: at the area's width when it
// flows, else only at line breaks. Widths add up word by word, so that a
// long line costs no more than its words.
template <typename Measure>
std::vector<CBrokenLine> BreakLines(const std::u32string& strText, double dWidth, bool bFlow,
                                    const Measure& measure) {
    const double dSpace = measure(U" ");
    std::vector<CBrokenLine> lines;
    for (const std::u32string& strParagraph : Paragraphs(strText)) {
        CBrokenLine line{U"", 0, false};
        for (const std::u32string& strWord : Words(strParagraph)) {
            double dWord = measure(strWord);
            if (line.strText.empty()) {
                line = {strWord, dWord, false};
            } else if (bFlow && line.dWidth + dSpace + dWord > dWidth) {
                lines.push_back(line);
                line = {strWord, dWord, false};
            } else {
                line.strText += U' ';
                line.strText += strWord;
                line.dWidth += dSpace + dWord;
            }
        }
        line.bLast = true;
        lines.push_back(line);
    }
    return lines;
}

// The layout at a font size and leading of its own.
CTextLayout LayOutAt(const CAreaDefinition& area, const std::string& strValue,
                     CFontMetrics& metrics, TextEncoding encoding, double dSize, double dLeading) {
    CTextLayout layout;
    layout.dSize = dSize;
    const std::string strFont = area.strFont.Text();
    const double dWidth = area.fWidth;
    const int nAlign = area.nAlignment % 4; // 0 Left, 1 Center, 2 Right, 3 Justify
    layout.bMeasured = metrics.TextWidth(strFont, std::u32string(), dSize) >= 0;
    auto measure = [&](const std::u32string& strText) {
        return layout.bMeasured ? metrics.TextWidth(strFont, strText, dSize) : 0.0;
    };
    double dBaseline = dSize;
    for (const CBrokenLine& line : BreakLines(DecodeText(strValue, encoding), dWidth,
                                              area.nAlignment >= AlignLeftFlow, measure)) {
        if (layout.missing == 0) {
            layout.missing = metrics.MissingGlyph(strFont, line.strText);
        }
        CSetLine set;
        set.strText = line.strText;
        set.dWidth = line.dWidth;
        set.dBaseline = dBaseline;
        dBaseline += dLeading;
        double dRoom = dWidth - set.dWidth;
        layout.dOverWidth = std::max(layout.dOverWidth, -dRoom);
        if (nAlign == 1) {
            set.dX = dRoom / 2;
        } else if (nAlign == 2) {
            set.dX = dRoom;
        } else if (nAlign == 3 && !line.bLast && dRoom > 0) {
            long nBlanks = std::count(line.strText.begin(), line.strText.end(), U' ');
            if (nBlanks > 0) {
                set.dWordSpace = dRoom / static_cast<double>(nBlanks);
                set.dWidth = dWidth;
            }
        }
        layout.lines.push_back(set);
    }
    double dLast = layout.lines.back().dBaseline;
    layout.dOverHeight = std::max(0.0, dLast - area.fHeight);
    return layout;
}

} // namespace

CTextLayout LayOutText(const CAreaDefinition& area, const std::string& strValue,
                       CFontMetrics& metrics, TextEncoding encoding) {
    return LayOutAt(area, strValue, metrics, encoding, area.fSize, area.fSpacing);
}

bool Fits(const CTextLayout& layout) {
    return layout.dOverWidth <= 0.05 && layout.dOverHeight <= 0.05;
}

CTextLayout FitText(const CAreaDefinition& area, const std::string& strValue, CFontMetrics& metrics,
                    TextEncoding encoding, double dMinSize) {
    CTextLayout layout = LayOutText(area, strValue, metrics, encoding);
    long nHigh = static_cast<long>(area.fSize * 10 + 0.5) - 1; // in tenths of a point
    long nLow = static_cast<long>(dMinSize * 10 + 0.5);
    if (Fits(layout) || !layout.bMeasured || layout.missing != 0 || nHigh < nLow) {
        return layout;
    }
    auto At = [&](long nTenths) {
        double dSize = nTenths / 10.0;
        return LayOutAt(area, strValue, metrics, encoding, dSize,
                        area.fSpacing * dSize / area.fSize);
    };
    // The largest size that fits, by halving the sizes between; the least
    // when none does.
    CTextLayout best = At(nLow);
    while (Fits(best) && nLow < nHigh) {
        long nMiddle = (nLow + nHigh + 1) / 2;
        CTextLayout tried = At(nMiddle);
        if (Fits(tried)) {
            best = std::move(tried);
            nLow = nMiddle;
        } else {
            nHigh = nMiddle - 1;
        }
    }
    return best;
}
