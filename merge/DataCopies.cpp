#include "DataCopies.h"

#include "model/DataDefinition.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Line starts of the data, to turn offsets into line numbers.
class CLines {
  public:
    explicit CLines(const std::string& strData) {
        m_starts.push_back(0);
        for (size_t i = 0; i < strData.size(); ++i) {
            if (strData[i] == '\n') {
                m_starts.push_back(i + 1);
            }
        }
    }
    CDataPlace At(size_t nOffset) const {
        auto after = std::upper_bound(m_starts.begin(), m_starts.end(), nOffset);
        return CDataPlace{nOffset, static_cast<int>(after - m_starts.begin())};
    }

  private:
    std::vector<size_t> m_starts;
};

bool IsFiller(const CDataDefinition& record) {
    return strncmp(record.strName.Text(), "DummyNode", 9) == 0;
}

// The end of the line at nFrom: the offset of its line feed, or the end.
size_t LineEnd(const std::string& strData, size_t nFrom) {
    size_t nFeed = strData.find('\n', nFrom);
    return nFeed == std::string::npos ? strData.size() : nFeed;
}

// The text without the line break that ends it (CR LF or LF), if any.
std::string WithoutLineBreak(std::string strText) {
    if (!strText.empty() && strText.back() == '\n') {
        strText.pop_back();
    }
    if (!strText.empty() && strText.back() == '\r') {
        strText.pop_back();
    }
    return strText;
}

// Carriage returns before line feeds inside a value of several lines go.
std::string WithLineFeeds(const std::string& strText) {
    std::string strOut;
    for (size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == '\r' && i + 1 < strText.size() && strText[i + 1] == '\n') {
            continue;
        }
        strOut += strText[i];
    }
    return strOut;
}

std::string Trimmed(const std::string& strText) {
    size_t nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string::npos) {
        return "";
    }
    size_t nLast = strText.find_last_not_of(" \t");
    return strText.substr(nFirst, nLast - nFirst + 1);
}

int Count(const CSmallString& strExtent) {
    return std::max(0, atoi(strExtent.Text()));
}

// Reads one copy from p; false with the problem when it cannot be read whole.
class CCopyReader {
  public:
    CCopyReader(const std::string& strData, const CLines& lines, CDataCopy& copy,
                std::vector<CProblem>& problems)
        : m_strData(strData), m_lines(lines), m_copy(copy), m_problems(problems) {}

    bool Read(CDataDefinitionList& records, size_t& p) {
        const auto* pLast = static_cast<const CDataDefinition*>(records.Last());
        // The last record skips the blank line that closes every copy.
        m_bBlankLineCloses = pLast != nullptr && IsFiller(*pLast) && pLast->nUnit == UnitLines &&
                             pLast->nExtentKind == ExtentFor && Count(pLast->strExtent) == 2;
        records.Rewind();
        while (const CDataDefinition* pRecord = records.NextRecord()) {
            if (!ReadRecord(*pRecord, p)) {
                return false;
            }
            if (m_bEndedEarly) {
                return true;
            }
        }
        return true;
    }

  private:
    bool Fail(DataProblem kind, const CDataDefinition& record, size_t nAt,
              const std::string& strDetail) {
        m_problems.push_back(
            {kind, m_copy.nNumber, record.strName.Text(), m_lines.At(nAt), strDetail});
        return false;
    }

    bool FileEnds(const CDataDefinition& record) {
        return Fail(DataProblem::FileEndsInCopy, record, m_strData.size(),
                    "the file ends before this field");
    }

    bool ReadRecord(const CDataDefinition& record, size_t& p) {
        // Where the record begins.
        if (record.nAtUnit == AtLines) {
            for (int i = 0; i < record.nAt; ++i) {
                size_t nFeed = m_strData.find('\n', p);
                if (nFeed == std::string::npos) {
                    return FileEnds(record);
                }
                p = nFeed + 1;
            }
        } else {
            p += static_cast<size_t>(std::max(0, record.nAt));
        }
        bool bFiller = IsFiller(record);
        if (p >= m_strData.size()) {
            // The file may end where the last copy does.
            return bFiller || FileEnds(record);
        }
        size_t nStart = p;
        std::string strValue;
        switch (record.nExtentKind) {
        case ExtentFor:
            if (record.nUnit == UnitLines) {
                // A filler's count, as the plug-in writes it, counts the line
                // break that ends the copy as a line of its own.
                int nLines = bFiller ? Count(record.strExtent) - 1 : Count(record.strExtent);
                if (!bFiller && m_bBlankLineCloses && IsBlankLine(p)) {
                    // The copy's closing line: the field's line is missing.
                    m_problems.push_back({DataProblem::MissingLine, m_copy.nNumber,
                                          record.strName.Text(), m_lines.At(p),
                                          "the copy ends before this field's line"});
                    size_t nEnd = LineEnd(m_strData, p);
                    p = nEnd < m_strData.size() ? nEnd + 1 : nEnd;
                    m_bEndedEarly = true;
                    return true;
                }
                for (int i = 0; i < nLines; ++i) {
                    if (p >= m_strData.size()) {
                        return bFiller || FileEnds(record);
                    }
                    size_t nEnd = LineEnd(m_strData, p);
                    p = nEnd < m_strData.size() ? nEnd + 1 : nEnd;
                }
                strValue = WithLineFeeds(WithoutLineBreak(m_strData.substr(nStart, p - nStart)));
            } else {
                size_t nCount = static_cast<size_t>(Count(record.strExtent));
                if (p + nCount > m_strData.size()) {
                    return FileEnds(record);
                }
                strValue = m_strData.substr(p, nCount);
                p += nCount;
            }
            break;
        case ExtentToEnd: {
            size_t nEnd = LineEnd(m_strData, p);
            strValue = WithoutLineBreak(m_strData.substr(p, nEnd - p));
            p = nEnd;
            break;
        }
        case ExtentUntil:
            if (!ReadUntil(record, p, strValue)) {
                return false;
            }
            break;
        default:
            break;
        }
        if (bFiller) {
            return true;
        }
        if (record.nUnit == UnitTrimmedChars) {
            strValue = Trimmed(strValue);
        }
        if (Trimmed(strValue).empty()) {
            m_problems.push_back({DataProblem::EmptyValue, m_copy.nNumber, record.strName.Text(),
                                  m_lines.At(nStart), "the value is empty"});
        }
        m_copy.values.push_back({record.strName.Text(), strValue, m_lines.At(nStart)});
        return true;
    }

    // Until a delimiter, within the line (a line break ends the line), or,
    // for a Lines record, until the line that begins with the next-line
    // word, where the next record begins.
    bool ReadUntil(const CDataDefinition& record, size_t& p, std::string& strValue) {
        const std::string strDelimiter = record.strExtent.Text();
        if (record.nUnit == UnitLines) {
            size_t nLine = LineEnd(m_strData, p);
            while (nLine < m_strData.size()) {
                size_t nNext = nLine + 1;
                if (!strDelimiter.empty() &&
                    m_strData.compare(nNext, strDelimiter.size(), strDelimiter) == 0) {
                    strValue = WithLineFeeds(WithoutLineBreak(m_strData.substr(p, nNext - p)));
                    p = nNext;
                    return true;
                }
                nLine = LineEnd(m_strData, nNext);
            }
            return Fail(DataProblem::DelimiterNotFound, record, p,
                        "no line begins with \"" + strDelimiter + "\"");
        }
        size_t nEnd = LineEnd(m_strData, p);
        size_t nMatch = strDelimiter.empty() ? std::string::npos : m_strData.find(strDelimiter, p);
        if (strDelimiter == "\n") {
            nMatch = nEnd < m_strData.size() ? nEnd : std::string::npos;
        } else if (nMatch != std::string::npos && nMatch >= nEnd) {
            nMatch = std::string::npos;
        }
        if (nMatch == std::string::npos) {
            std::string strShown = strDelimiter == "\t"   ? "TAB"
                                   : strDelimiter == " "  ? "SPACE"
                                   : strDelimiter == "\n" ? "a line break"
                                                          : "\"" + strDelimiter + "\"";
            return Fail(DataProblem::DelimiterNotFound, record, p,
                        "no " + strShown + " before the end of the line");
        }
        strValue = WithoutLineBreak(m_strData.substr(p, nMatch - p));
        // Past the delimiter's first character, as the plug-in counted.
        p = nMatch + 1;
        return true;
    }

    // True when the line at p holds nothing but blanks.
    bool IsBlankLine(size_t p) const {
        size_t nEnd = LineEnd(m_strData, p);
        return m_strData.find_first_not_of(" \t\r", p) >= nEnd;
    }

    const std::string& m_strData;
    const CLines& m_lines;
    bool m_bBlankLineCloses = false;
    bool m_bEndedEarly = false;
    CDataCopy& m_copy;
    std::vector<CProblem>& m_problems;
};

bool OnlyBlankLines(const std::string& strData, size_t nFrom) {
    return strData.find_first_not_of(" \t\r\n", nFrom) == std::string::npos;
}

} // namespace

const CFieldValue* CDataCopy::Value(const std::string& strField) const {
    for (const CFieldValue& value : values) {
        if (value.strField == strField) {
            return &value;
        }
    }
    return nullptr;
}

const char* ProblemName(DataProblem kind) {
    switch (kind) {
    case DataProblem::DelimiterNotFound:
        return "delimiter not found";
    case DataProblem::FileEndsInCopy:
        return "file ends inside a copy";
    case DataProblem::MissingLine:
        return "line missing";
    case DataProblem::EmptyValue:
        return "empty value";
    case DataProblem::MissingEps:
        return "missing EPS file";
    case DataProblem::EpsWithoutBox:
        return "EPS without bounding box";
    case DataProblem::TextOverflow:
        return "text does not fit";
    }
    return "";
}

void CutCopies(const std::string& strData, CDataDefinitionList& records,
               std::vector<CDataCopy>& copies, std::vector<CProblem>& problems) {
    CLines lines(strData);
    size_t p = 0;
    if (records.Count() == 0) {
        return;
    }
    while (!OnlyBlankLines(strData, p)) {
        CDataCopy copy;
        copy.nNumber = static_cast<int>(copies.size()) + 1;
        copy.place = lines.At(p);
        size_t nBefore = p;
        CCopyReader reader(strData, lines, copy, problems);
        if (!reader.Read(records, p)) {
            return;
        }
        copies.push_back(copy);
        if (p <= nBefore) {
            // Records that take nothing would read the same copy forever.
            return;
        }
    }
}
