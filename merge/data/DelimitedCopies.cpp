#include "merge/data/DelimitedCopies.h"

#include <algorithm>
#include <cctype>

namespace {

// The name as columns are matched: without surrounding blanks, in lower case.
std::string Key(const std::string& strName) {
    size_t nFirst = strName.find_first_not_of(" \t");
    size_t nLast = strName.find_last_not_of(" \t");
    std::string strKey =
        nFirst == std::string::npos ? "" : strName.substr(nFirst, nLast - nFirst + 1);
    std::transform(strKey.begin(), strKey.end(), strKey.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return strKey;
}

// The letters to insert, delete or change to make one text the other.
size_t Distance(const std::string& strA, const std::string& strB) {
    std::vector<size_t> row(strB.size() + 1);
    for (size_t j = 0; j <= strB.size(); ++j) {
        row[j] = j;
    }
    for (size_t i = 1; i <= strA.size(); ++i) {
        size_t nDiagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= strB.size(); ++j) {
            size_t nAbove = row[j];
            row[j] = std::min(
                {row[j] + 1, row[j - 1] + 1, nDiagonal + (strA[i - 1] == strB[j - 1] ? 0 : 1)});
            nDiagonal = nAbove;
        }
    }
    return row[strB.size()];
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string strList;
    for (const std::string& strName : names) {
        strList += (strList.empty() ? "\"" : ", \"") + strName + "\"";
    }
    return strList.empty() ? "none" : strList;
}

bool IsBlank(const std::string& strText) {
    return strText.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

std::vector<std::string> CColumnMap::Unused() const {
    std::vector<std::string> unused;
    for (size_t i = 0; i < header.size(); ++i) {
        if (!IsBlank(header[i]) &&
            std::find(fieldColumns.begin(), fieldColumns.end(), i) == fieldColumns.end()) {
            unused.push_back(header[i]);
        }
    }
    return unused;
}

std::string NearestName(const std::string& strName, const std::vector<std::string>& names) {
    std::string strNearest;
    size_t nNearest = 0;
    for (const std::string& strCandidate : names) {
        std::string strKey = Key(strCandidate);
        size_t nDistance = Distance(Key(strName), strKey);
        // Near: no more than a third of the longer name changed.
        size_t nLonger = std::max(strKey.size(), Key(strName).size());
        if (!strKey.empty() && nDistance * 3 <= nLonger &&
            (strNearest.empty() || nDistance < nNearest)) {
            strNearest = strCandidate;
            nNearest = nDistance;
        }
    }
    return strNearest;
}

bool MapColumns(const std::vector<std::string>& header, const std::vector<std::string>& fields,
                const std::map<std::string, std::string>& named, CColumnMap& map,
                std::string& strError) {
    map.header = header;
    map.fields = fields;
    map.fieldColumns.clear();
    for (const std::string& strField : fields) {
        auto found = named.find(strField);
        const std::string strWanted = found != named.end() ? found->second : strField;
        std::vector<size_t> matches;
        for (size_t i = 0; i < header.size(); ++i) {
            if (Key(header[i]) == Key(strWanted) && !Key(strWanted).empty()) {
                matches.push_back(i);
            }
        }
        if (matches.size() > 1) {
            strError = "field " + strField + ": the columns " + std::to_string(matches[0] + 1) +
                       " and " + std::to_string(matches[1] + 1) + " are both named \"" + strWanted +
                       "\"; rename one in the data file";
            return false;
        }
        if (matches.empty()) {
            std::string strNearest = NearestName(strWanted, header);
            strError = "field " + strField + ": the data file has no column \"" + strWanted +
                       "\"; its columns are " + Quoted(header) +
                       (strNearest.empty() ? "" : "; did you mean \"" + strNearest + "\"?") +
                       " (--column " + strField + "=NAME names the column of a field)";
            return false;
        }
        map.fieldColumns.push_back(matches[0]);
    }
    return true;
}

bool ReadHeader(CCopySource::Reader read, char cSeparator, size_t nMaxRowBytes,
                CDelimitedHeader& header, std::string& strError) {
    CRowReader rows(std::move(read), cSeparator, nMaxRowBytes);
    CDelimitedRow row;
    bool bRead = rows.Next(row);
    header.cSeparator = rows.Separator();
    header.form = rows.Form();
    header.names.clear();
    for (const CDelimitedCell& cell : row.cells) {
        header.names.push_back(cell.strText);
    }
    if (!bRead) {
        strError = rows.End() == RowsEnd::TooLarge
                       ? "its first row runs past " + std::to_string(nMaxRowBytes) +
                             " bytes (--max-copy-bytes)"
                   : rows.End() == RowsEnd::ReadFailed ? "cannot be read"
                                                       : "holds no header row naming its columns";
    }
    return bRead;
}

CDelimitedSource::CDelimitedSource(const CColumnMap& columns, CCopySource::Reader read,
                                   char cSeparator, size_t nMaxRowBytes, size_t nChunk)
    : m_columns(columns), m_rows(std::move(read), cSeparator, nMaxRowBytes, nChunk),
      m_nMaxRowBytes(nMaxRowBytes) {}

bool CDelimitedSource::Next(CDataCopy& copy, std::vector<CProblem>& problems) {
    CDelimitedRow row;
    while (!m_bDone && m_rows.Next(row)) {
        if (!m_bHeaderRead) {
            m_bHeaderRead = true;
            continue;
        }
        if (std::all_of(row.cells.begin(), row.cells.end(),
                        [](const CDelimitedCell& cell) { return IsBlank(cell.strText); })) {
            continue;
        }
        MakeCopy(row, copy, problems);
        return true;
    }
    if (!m_bDone && (m_rows.End() == RowsEnd::TooLarge || m_rows.End() == RowsEnd::OpenQuote)) {
        CDataPlace place = m_rows.EndPlace();
        place.nRow = m_rows.EndRow();
        place.nColumn = 1;
        bool bLarge = m_rows.End() == RowsEnd::TooLarge;
        problems.push_back({bLarge ? DataProblem::CopyTooLarge : DataProblem::OpenQuote,
                            m_nCopies + 1, m_columns.fields.empty() ? "" : m_columns.fields[0],
                            place,
                            bLarge ? "the row runs past " + std::to_string(m_nMaxRowBytes) +
                                         " bytes (--max-copy-bytes)"
                                   : "a quoted cell of the row is not closed before the end of "
                                     "the file"});
    }
    m_bDone = true;
    return false;
}

void CDelimitedSource::MakeCopy(const CDelimitedRow& row, CDataCopy& copy,
                                std::vector<CProblem>& problems) {
    copy = CDataCopy();
    copy.nNumber = ++m_nCopies;
    copy.place = row.place;
    copy.place.nRow = row.nRow;
    const size_t nCells = row.cells.size();
    const size_t nColumns = m_columns.header.size();
    std::string strShort; // the first field whose cell the row lacks
    for (size_t i = 0; i < m_columns.fields.size(); ++i) {
        const std::string& strField = m_columns.fields[i];
        size_t nColumn = m_columns.fieldColumns[i];
        CFieldValue value{strField, "", copy.place};
        value.place.nColumn = static_cast<int>(nColumn + 1);
        if (nColumn < nCells) {
            value.strText = row.cells[nColumn].strText;
            value.place.nLine = row.cells[nColumn].nLine;
            if (IsBlank(value.strText)) {
                problems.push_back({DataProblem::EmptyValue, copy.nNumber, strField, value.place,
                                    "the value is empty"});
            }
        } else if (strShort.empty()) {
            strShort = strField;
        }
        copy.values.push_back(value);
    }
    if (nCells != nColumns) {
        CDataPlace place = copy.place;
        place.nColumn = static_cast<int>(std::min(nCells, nColumns) + 1);
        problems.push_back({DataProblem::CellCount, copy.nNumber, strShort, place,
                            "the row has " + std::to_string(nCells) +
                                (nCells == 1 ? " cell" : " cells") + ", the header " +
                                std::to_string(nColumns)});
    }
}
