#include "TextLayout.h"

#include <algorithm>
#include <sstream>

namespace {

std::vector<std::string> Words(const std::string& strLine) {
    std::istringstream in(strLine);
    std::vector<std::string> words;
    std::string strWord;
    while (in >> strWord) {
        words.push_back(strWord);
    }
    return words;
}

// The value's own lines.
std::vector<std::string> Paragraphs(const std::string& strValue) {
    std::vector<std::string> paragraphs;
    std::istringstream in(strValue);
    std::string strLine;
    while (std::getline(in, strLine)) {
        paragraphs.push_back(strLine);
    }
    if (paragraphs.empty()) {
        paragraphs.emplace_back();
    }
    return paragraphs;
}

} // namespace

CTextLayout LayOutText(const CAreaDefinition& area, const std::string& strValue,
                       CFontMetrics& metrics) {
    CTextLayout layout;
    const std::string strFont = area.strFont.Text();
    const double dSize = area.fSize;
    const double dWidth = area.fWidth;
    const bool bFlow = area.nAlignment >= AlignLeftFlow;
    const int nAlign = area.nAlignment % 4; // 0 Left, 1 Center, 2 Right, 3 Justify
    auto Measure = [&](const std::string& strText) {
        double dMeasured = metrics.TextWidth(strFont, strText, dSize);
        if (dMeasured < 0) {
            layout.bMeasured = false;
            return 0.0;
        }
        return dMeasured;
    };
    // Each line with whether it ends its paragraph (Justify leaves those).
    std::vector<std::pair<std::string, bool>> lines;
    for (const std::string& strParagraph : Paragraphs(strValue)) {
        std::vector<std::string> words = Words(strParagraph);
        if (!bFlow || words.empty()) {
            std::string strLine;
            for (const std::string& strWord : words) {
                strLine += (strLine.empty() ? "" : " ") + strWord;
            }
            lines.emplace_back(strLine, true);
            continue;
        }
        std::string strLine;
        for (const std::string& strWord : words) {
            std::string strLonger = strLine.empty() ? strWord : strLine + " " + strWord;
            if (!strLine.empty() && Measure(strLonger) > dWidth) {
                lines.emplace_back(strLine, false);
                strLine = strWord;
            } else {
                strLine = strLonger;
            }
        }
        lines.emplace_back(strLine, true);
    }
    double dBaseline = dSize;
    for (const auto& line : lines) {
        CSetLine set;
        set.strText = line.first;
        set.dWidth = Measure(line.first);
        set.dBaseline = dBaseline;
        dBaseline += area.fSpacing;
        double dRoom = dWidth - set.dWidth;
        layout.dOverWidth = std::max(layout.dOverWidth, -dRoom);
        if (nAlign == 1) {
            set.dX = dRoom / 2;
        } else if (nAlign == 2) {
            set.dX = dRoom;
        } else if (nAlign == 3 && !line.second && dRoom > 0) {
            long nBlanks = std::count(line.first.begin(), line.first.end(), ' ');
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
