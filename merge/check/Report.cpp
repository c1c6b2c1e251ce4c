#include "merge/check/Report.h"

#include "merge/data/TextEncoding.h"

#include <algorithm>

std::string JsonString(const std::string& strText) {
    std::u32string strChars = DecodeText(strText, TextEncoding::Utf8);
    if (std::find(strChars.begin(), strChars.end(), BadByte) != strChars.end()) {
        strChars = DecodeText(strText, TextEncoding::Windows1252);
    }
    std::string strOut = "\"";
    for (size_t i = 0; i < strChars.size(); ++i) {
        char32_t c = strChars[i];
        if (c == '"' || c == '\\') {
            strOut += '\\';
            strOut += static_cast<char>(c);
        } else if (c < 0x20 || c == BadByte) {
            // A control character, or a byte that is no character even in
            // Windows-1252: escaped as the byte it was.
            char szEscape[16];
            snprintf(szEscape, sizeof szEscape, "\\u%04x",
                     c == BadByte ? static_cast<unsigned char>(strText[i]) : c);
            strOut += szEscape;
        } else {
            strOut += ToUtf8(std::u32string(1, c));
        }
    }
    return strOut + "\"";
}

CReport::CReport(FILE* pOut, bool bJson, const std::string& strDocDefFile,
                 const std::string& strDataFile)
    : m_pOut(pOut), m_bJson(bJson), m_strDataFile(strDataFile) {
    if (m_bJson) {
        fprintf(m_pOut, "{\"ddf\": %s, \"data\": %s, \"problems\": [",
                JsonString(strDocDefFile).c_str(), JsonString(strDataFile).c_str());
    }
}

void CReport::Problem(const CProblem& problem) {
    const char* pKind = ProblemName(problem.kind);
    ++m_counts[pKind];
    const CDataPlace& place = problem.place;
    // A delimited file's problems name their row and column.
    std::string strCell =
        "row " + std::to_string(place.nRow) + ", column " + std::to_string(place.nColumn);
    if (m_bJson) {
        fprintf(m_pOut,
                "%s{\"copy\": %d, \"field\": %s, \"kind\": %s, \"line\": %d, \"offset\": %zu, "
                "%s\"detail\": %s}",
                m_nProblems == 0 ? "" : ", ", problem.nCopy, JsonString(problem.strField).c_str(),
                JsonString(pKind).c_str(), place.nLine, place.nOffset,
                place.nRow > 0 ? ("\"row\": " + std::to_string(place.nRow) +
                                  ", \"column\": " + std::to_string(place.nColumn) + ", ")
                                     .c_str()
                               : "",
                JsonString(problem.strDetail).c_str());
    } else {
        fprintf(m_pOut, "%s:%d: copy %d, field %s, %s: %s: %s\n", m_strDataFile.c_str(),
                place.nLine, problem.nCopy, problem.strField.c_str(),
                place.nRow > 0 ? strCell.c_str()
                               : ("byte " + std::to_string(place.nOffset)).c_str(),
                pKind, problem.strDetail.c_str());
    }
    ++m_nProblems;
}

void CReport::Finish(size_t nCopies, const std::vector<std::string>& warnings) {
    if (m_bJson) {
        fprintf(m_pOut, "], \"copies\": %zu, \"warnings\": [", nCopies);
        for (size_t i = 0; i < warnings.size(); ++i) {
            fprintf(m_pOut, "%s%s", i == 0 ? "" : ", ", JsonString(warnings[i]).c_str());
        }
        fputs("], \"summary\": {", m_pOut);
        bool bFirst = true;
        for (const auto& count : m_counts) {
            fprintf(m_pOut, "%s%s: %zu", bFirst ? "" : ", ", JsonString(count.first).c_str(),
                    count.second);
            bFirst = false;
        }
        fputs("}}\n", m_pOut);
        return;
    }
    auto Count = [](size_t n, const char* pOne, const char* pMany) {
        return std::to_string(n) + " " + (n == 1 ? pOne : pMany);
    };
    std::string strKinds;
    for (const auto& count : m_counts) {
        strKinds +=
            (strKinds.empty() ? "" : ", ") + std::to_string(count.second) + " " + count.first;
    }
    fprintf(m_pOut, "%s, %s%s\n", Count(nCopies, "copy", "copies").c_str(),
            Count(m_nProblems, "problem", "problems").c_str(),
            strKinds.empty() ? "" : (" (" + strKinds + ")").c_str());
}
