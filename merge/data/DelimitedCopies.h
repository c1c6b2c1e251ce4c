// A delimited data file (see DelimitedRows.h) as copies of a job: the first
// row names the columns, each data field of the job takes the column of its
// name (case and surrounding blanks not counting) or the column named for it,
// and every row after the header is a copy; a row of nothing but empty cells
// is none. A row with more or fewer cells than the header is a problem of its
// copy; so is an empty value, as in a file of records.
#pragma once

#include "merge/data/DelimitedRows.h"

#include <map>
#include <string>
#include <vector>

// The data fields' columns.
struct CColumnMap {
    std::vector<std::string> header;         // the columns' names, as the first row gives them
    std::vector<std::string> fields;         // the job's data fields, fillers left out, in order
    std::vector<size_t> fieldColumns;        // each field's column, from 0
    std::vector<std::string> Unused() const; // the names of columns no field takes
};

// Maps each field to its column: the one named in named (by field), else the
// one of the field's name. False with a message naming the field, the
// columns there are and the nearest name when a field has no column, or
// when two columns answer to it.
bool MapColumns(const std::vector<std::string>& header, const std::vector<std::string>& fields,
                const std::map<std::string, std::string>& named, CColumnMap& map,
                std::string& strError);

// The name nearest to strName by the letters to change (case not counting),
// or "" when none is near.
std::string NearestName(const std::string& strName, const std::vector<std::string>& names);

// The header of the file: its names, separator and text form; false with a
// message when the file holds no header row.
struct CDelimitedHeader {
    std::vector<std::string> names;
    char cSeparator = ',';
    TextForm form = TextForm::Bytes;
};
bool ReadHeader(CCopySource::Reader read, char cSeparator, size_t nMaxRowBytes,
                CDelimitedHeader& header, std::string& strError);

class CDelimitedSource : public ICopySource {
  public:
    CDelimitedSource(const CColumnMap& columns, CCopySource::Reader read, char cSeparator,
                     size_t nMaxRowBytes, size_t nChunk = 1 << 16);
    bool Next(CDataCopy& copy, std::vector<CProblem>& problems) override;
    bool ReadFailed() const override { return m_rows.End() == RowsEnd::ReadFailed; }

  private:
    // The copy of the row, with its problems.
    void MakeCopy(const CDelimitedRow& row, CDataCopy& copy, std::vector<CProblem>& problems);

    const CColumnMap& m_columns;
    CRowReader m_rows;
    size_t m_nMaxRowBytes;
    bool m_bHeaderRead = false;
    bool m_bDone = false;
    int m_nCopies = 0;
};
