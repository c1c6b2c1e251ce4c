#include "merge/data/DataCopies.h"

#include "core/DataDefinition.h"
#include "core/Delimiters.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Places in the window of a copy: offsets in the data and their lines,
// counted on from the last place asked (places come mostly in order).
class CPlaces {
  public:
    CPlaces(const std::string& strWindow, size_t nBase, size_t nCopy, int nCopyLine)
        : m_strWindow(strWindow), m_nBase(nBase), m_nCopy(nCopy), m_nCopyLine(nCopyLine),
          m_nAt(nCopy), m_nAtLine(nCopyLine) {}
    // nOffset is in the window, at or after the copy's start.
    CDataPlace At(size_t nOffset) {
        if (nOffset < m_nAt) {
            m_nAt = m_nCopy;
            m_nAtLine = m_nCopyLine;
        }
        m_nAtLine += static_cast<int>(
            std::count(m_strWindow.begin() + static_cast<std::ptrdiff_t>(m_nAt),
                       m_strWindow.begin() + static_cast<std::ptrdiff_t>(nOffset), '\n'));
        m_nAt = nOffset;
        return CDataPlace{m_nBase + nOffset, m_nAtLine};
    }

  private:
    const std::string& m_strWindow;
    size_t m_nBase;
    size_t m_nCopy;
    int m_nCopyLine;
    size_t m_nAt;
    int m_nAtLine;
};

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

// Reads one copy from p in the window; false with the problem when it
// cannot be read whole. Whatever depended on the window's end is noted, so
// that a copy read from a window that ends before the data does can be read
// again from a longer one.
class CCopyReader {
  public:
    CCopyReader(const std::string& strData, CPlaces& places, CDataCopy& copy,
                std::vector<CProblem>& problems)
        : m_strData(strData), m_places(places), m_copy(copy), m_problems(problems) {}

    bool Read(const std::vector<const CDataDefinition*>& records, size_t& p) {
        const CDataDefinition* pLast = records.empty() ? nullptr : records.back();
        // The last record skips the blank line that closes every copy.
        m_bBlankLineCloses = pLast != nullptr && IsFiller(*pLast) && pLast->nUnit == UnitLines &&
                             pLast->nExtentKind == ExtentFor && Count(pLast->strExtent) == 2;
        for (const CDataDefinition* pRecord : records) {
            if (!ReadRecord(*pRecord, p)) {
                return false;
            }
            if (m_bEndedEarly) {
                return true;
            }
        }
        return true;
    }
    // True when the copy as read depended on where the window ends.
    bool TouchedEnd() const { return m_bTouchedEnd; }

  private:
    bool Fail(DataProblem kind, const CDataDefinition& record, size_t nAt,
              const std::string& strDetail) {
        m_problems.push_back(
            {kind, m_copy.nNumber, record.strName.Text(), m_places.At(nAt), strDetail});
        return false;
    }

    bool FileEnds(const CDataDefinition& record) {
        return Fail(DataProblem::FileEndsInCopy, record, m_strData.size(),
                    "the file ends before this field");
    }

    // True when p lies at or past the end of the window.
    bool AtEnd(size_t p) {
        bool bEnd = p >= m_strData.size();
        m_bTouchedEnd = m_bTouchedEnd || bEnd;
        return bEnd;
    }

    // The end of the line at nFrom: the offset of its line feed, or the end.
    size_t LineEnd(size_t nFrom) {
        size_t nFeed = m_strData.find('\n', nFrom);
        if (nFeed == std::string::npos) {
            m_bTouchedEnd = true;
            return m_strData.size();
        }
        return nFeed;
    }

    // Past the line at p and its line feed.
    size_t NextLine(size_t p) {
        size_t nEnd = LineEnd(p);
        return nEnd < m_strData.size() ? nEnd + 1 : nEnd;
    }

    // Moves p to where the record begins; false when the file ends first,
    // bRead then what reading the record gives.
    bool SkipToRecord(const CDataDefinition& record, size_t& p, bool& bRead) {
        if (record.nAtUnit == AtLines) {
            for (int i = 0; i < record.nAt; ++i) {
                size_t nEnd = LineEnd(p);
                if (nEnd >= m_strData.size()) {
                    bRead = FileEnds(record);
                    return false;
                }
                p = nEnd + 1;
            }
        } else {
            p += static_cast<size_t>(std::max(0, record.nAt));
        }
        if (AtEnd(p)) {
            // The file may end where the last copy does.
            bRead = IsFiller(record) || FileEnds(record);
            return false;
        }
        return true;
    }

    // A For record's value: its count of lines or characters from p. False
    // when the record ends the reading of the copy, bRead then what reading
    // it gives.
    bool ReadFor(const CDataDefinition& record, size_t& p, std::string& strValue, bool& bRead) {
        bool bFiller = IsFiller(record);
        size_t nStart = p;
        if (record.nUnit != UnitLines) {
            size_t nCount = static_cast<size_t>(Count(record.strExtent));
            if (nCount > 0 && AtEnd(p + nCount - 1)) {
                bRead = FileEnds(record);
                return false;
            }
            strValue = m_strData.substr(p, nCount);
            p += nCount;
            return true;
        }
        // A filler's count, as the plug-in writes it, counts the line break
        // that ends the copy as a line of its own.
        int nLines = bFiller ? Count(record.strExtent) - 1 : Count(record.strExtent);
        if (!bFiller && m_bBlankLineCloses && IsBlankLine(p)) {
            // The copy's closing line: the field's line is missing.
            m_problems.push_back({DataProblem::MissingLine, m_copy.nNumber, record.strName.Text(),
                                  m_places.At(p), "the copy ends before this field's line"});
            p = NextLine(p);
            m_bEndedEarly = true;
            bRead = true;
            return false;
        }
        for (int i = 0; i < nLines; ++i) {
            if (AtEnd(p)) {
                bRead = bFiller || FileEnds(record);
                return false;
            }
            p = NextLine(p);
        }
        strValue = WithLineFeeds(WithoutLineBreak(m_strData.substr(nStart, p - nStart)));
        return true;
    }

    bool ReadRecord(const CDataDefinition& record, size_t& p) {
        bool bRead = true;
        if (!SkipToRecord(record, p, bRead)) {
            return bRead;
        }
        size_t nStart = p;
        std::string strValue;
        switch (record.nExtentKind) {
        case ExtentFor:
            if (!ReadFor(record, p, strValue, bRead)) {
                return bRead;
            }
            break;
        case ExtentToEnd: {
            size_t nEnd = LineEnd(p);
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
        if (IsFiller(record)) {
            return true;
        }
        if (record.nUnit == UnitTrimmedChars) {
            strValue = Trimmed(strValue);
        }
        if (Trimmed(strValue).empty()) {
            m_problems.push_back({DataProblem::EmptyValue, m_copy.nNumber, record.strName.Text(),
                                  m_places.At(nStart), "the value is empty"});
        }
        m_copy.values.push_back({record.strName.Text(), strValue, m_places.At(nStart)});
        return true;
    }

    // Until a delimiter, within the line (a line break ends the line), or,
    // for a Lines record, until the line that begins with the next-line
    // word, where the next record begins.
    bool ReadUntil(const CDataDefinition& record, size_t& p, std::string& strValue) {
        const std::string strDelimiter = record.strExtent.Text();
        if (record.nUnit == UnitLines) {
            size_t nLine = LineEnd(p);
            while (nLine < m_strData.size()) {
                size_t nNext = nLine + 1;
                // A line too short for the word at the window's end is read
                // again from a longer window.
                if (!strDelimiter.empty() && AtEnd(nNext + strDelimiter.size() - 1)) {
                    break;
                }
                if (!strDelimiter.empty() &&
                    m_strData.compare(nNext, strDelimiter.size(), strDelimiter) == 0) {
                    strValue = WithLineFeeds(WithoutLineBreak(m_strData.substr(p, nNext - p)));
                    p = nNext;
                    return true;
                }
                nLine = LineEnd(nNext);
            }
            return Fail(DataProblem::DelimiterNotFound, record, p,
                        "no line begins with \"" + strDelimiter + "\"");
        }
        size_t nEnd = LineEnd(p);
        size_t nMatch = strDelimiter.empty() ? std::string::npos : m_strData.find(strDelimiter, p);
        if (strDelimiter == "\n") {
            nMatch = nEnd < m_strData.size() ? nEnd : std::string::npos;
        } else if (nMatch != std::string::npos && nMatch >= nEnd) {
            nMatch = std::string::npos;
        }
        if (nMatch == std::string::npos) {
            const char* pWord = strDelimiter.size() == 1 ? DelimiterWord(strDelimiter[0]) : nullptr;
            std::string strShown = strDelimiter == "\n" ? "a line break"
                                   : pWord != nullptr   ? pWord
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
    bool IsBlankLine(size_t p) {
        size_t nEnd = LineEnd(p);
        return m_strData.find_first_not_of(" \t\r", p) >= nEnd;
    }

    const std::string& m_strData;
    CPlaces& m_places;
    bool m_bBlankLineCloses = false;
    bool m_bEndedEarly = false;
    bool m_bTouchedEnd = false;
    CDataCopy& m_copy;
    std::vector<CProblem>& m_problems;
};

} // namespace

bool IsFiller(const CDataDefinition& record) {
    return strncmp(record.strName.Text(), "DummyNode", 9) == 0;
}

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
    case DataProblem::BadCharacter:
        return "character cannot be set";
    case DataProblem::CopyTooLarge:
        return "copy too large";
    case DataProblem::InvalidCode:
        return "invalid code";
    case DataProblem::CellCount:
        return "cells do not match the header";
    case DataProblem::OpenQuote:
        return "quote not closed";
    }
    return "";
}

const CFieldValue* CDataCopy::Value(size_t nOrdinal, const std::string& strField) const {
    if (nOrdinal < values.size() && values[nOrdinal].strField == strField) {
        return &values[nOrdinal];
    }
    return nullptr;
}

CCopySource::CCopySource(const CDataDefinitionList& records, Reader read, size_t nMaxCopyBytes,
                         size_t nChunk)
    : m_read(std::move(read)), m_nMaxCopyBytes(nMaxCopyBytes),
      m_nChunk(std::max<size_t>(nChunk, 1)) {
    records.ForEachRecord([&](const CDataDefinition& record) { m_records.push_back(&record); });
}

bool CCopySource::Fill() {
    if (m_bEnd) {
        return false;
    }
    // What lies before the next copy is done with.
    m_nBase += m_nNext;
    m_strWindow.erase(0, m_nNext);
    m_nNext = 0;
    size_t nHeld = m_strWindow.size();
    size_t nMore = std::max(m_nChunk, nHeld);
    m_strWindow.resize(nHeld + nMore);
    long nRead = m_read(&m_strWindow[nHeld], nMore);
    m_strWindow.resize(nHeld + static_cast<size_t>(std::max(0L, nRead)));
    m_bReadFailed = m_bReadFailed || nRead < 0;
    m_bEnd = nRead <= 0;
    return nRead > 0;
}

bool CCopySource::TooLarge(int nCopy, const CDataPlace& place, std::vector<CProblem>& problems) {
    problems.push_back(
        {DataProblem::CopyTooLarge, nCopy, m_records.front()->strName.Text(), place,
         "the copy runs past " + std::to_string(m_nMaxCopyBytes) + " bytes (--max-copy-bytes)"});
    m_bDone = true;
    return false;
}

bool CCopySource::Next(CDataCopy& copy, std::vector<CProblem>& problems) {
    while (!m_bDone && !m_records.empty()) {
        // Blank lines after the last copy are no copy. Blank lines beyond the
        // size of a copy are not held: were a copy to follow them, it would
        // begin with them and be too large anyway.
        CPlaces places(m_strWindow, m_nBase, m_nNext, m_nNextLine);
        if (m_strWindow.find_first_not_of(" \t\r\n", m_nNext) == std::string::npos) {
            if (m_strWindow.size() - m_nNext > m_nMaxCopyBytes && !m_bBlanksTooLong) {
                m_bBlanksTooLong = true;
                m_blanks = places.At(m_nNext);
            }
            if (m_bBlanksTooLong) {
                m_nNextLine = places.At(m_strWindow.size()).nLine;
                m_nNext = m_strWindow.size();
            }
            if (!Fill()) {
                return false;
            }
            continue;
        }
        CDataCopy read;
        read.nNumber = m_nCopies + 1;
        if (m_bBlanksTooLong) {
            return TooLarge(read.nNumber, m_blanks, problems);
        }
        std::vector<CProblem> found;
        read.place = places.At(m_nNext);
        CCopyReader reader(m_strWindow, places, read, found);
        size_t p = m_nNext;
        bool bRead = reader.Read(m_records, p);
        bool bGrow = reader.TouchedEnd() && !m_bEnd;
        size_t nTaken = (bGrow ? m_strWindow.size() : p) - m_nNext;
        if (nTaken > m_nMaxCopyBytes) {
            return TooLarge(read.nNumber, read.place, problems);
        }
        if (bGrow) {
            Fill();
            continue;
        }
        problems.insert(problems.end(), found.begin(), found.end());
        if (!bRead) {
            m_bDone = true;
            return false;
        }
        // Records that take nothing would read the same copy for ever.
        m_bDone = p <= m_nNext;
        m_nNextLine = places.At(p).nLine;
        m_nNext = p;
        ++m_nCopies;
        copy = std::move(read);
        return true;
    }
    return false;
}

void CutCopies(const std::string& strData, const CDataDefinitionList& records,
               std::vector<CDataCopy>& copies, std::vector<CProblem>& problems) {
    size_t nGiven = 0;
    CCopySource source(
        records,
        [&](char* pBuffer, size_t nSize) {
            size_t nCount = std::min(nSize, strData.size() - nGiven);
            std::copy_n(strData.data() + nGiven, nCount, pBuffer);
            nGiven += nCount;
            return static_cast<long>(nCount);
        },
        strData.size() + 1, strData.size() + 1);
    CDataCopy copy;
    while (source.Next(copy, problems)) {
        copies.push_back(copy);
    }
}
