// The variable data input file cut into copies, by the data definitions of
// a job: each record placed after the end of the previous one (At so many
// lines or characters), taking its value (For a count of characters or lines,
// Until a delimiter or the line that begins with the next-line word, ToEnd
// of the line), fillers skipping lines; the next copy begins where the last
// record of the one before ended.
#pragma once

#include "core/ItemList.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Where something lies in the data file: a byte offset and its line (from 1).
// In a delimited file also its row (from 1, the header's being 1) and
// column (from 1); both 0 in a file of records.
struct CDataPlace {
    size_t nOffset = 0;
    int nLine = 1;
    int nRow = 0;
    int nColumn = 0;
};

struct CFieldValue {
    std::string strField;
    std::string strText; // a value of several lines keeps them apart by line feeds
    CDataPlace place;
};

struct CDataCopy {
    int nNumber = 0; // from 1
    CDataPlace place;
    // The data fields' values in the order of their records, fillers left
    // out; a copy that ended early lacks the values after its end.
    std::vector<CFieldValue> values;
    // The value of the field, or null.
    const CFieldValue* Value(const std::string& strField) const;
    // The value of the field that is the nOrdinal-th (from 0) of the data
    // definitions that are no fillers, or null.
    const CFieldValue* Value(size_t nOrdinal, const std::string& strField) const;
};

enum class DataProblem {
    DelimiterNotFound, // an Until record's delimiter or next-line word is not there
    FileEndsInCopy,    // the file ends before a record of a copy
    MissingLine,       // a copy's blank closing line came where a field's line was due
    EmptyValue,        // a data field's value is empty
    MissingEps,        // a reference field names an EPS file that does not exist
    EpsWithoutBox,     // a reference field's EPS file has no %%BoundingBox
    TextOverflow,      // a text value does not fit its area
    BadCharacter,      // a byte that is no character of the data's encoding, or one the font lacks
    CopyTooLarge,      // a copy runs past the size limit
    InvalidCode,       // a value its area's barcode or 2D code cannot carry
    CellCount,         // a row of a delimited file has more or fewer cells than its header
    OpenQuote,         // a quoted cell of a delimited file is not closed
};

// The kind's name in reports: "delimiter not found", ...
const char* ProblemName(DataProblem kind);

struct CProblem {
    DataProblem kind;
    int nCopy = 0;
    std::string strField;
    CDataPlace place;
    std::string strDetail;
};

// True for the records that only skip data (fillers), which are no fields.
bool IsFiller(const CDataDefinition& record);

// The data file cut into copies, one after another until the data is used up
// (blank lines after the last copy are no copy). Where copies end with a
// blank line (the job's last record skips it), a blank line met where a
// field's line is due ends that copy early: its missing line is reported and
// the next copy begins after the blank line. Any other copy that cannot be
// read whole is reported and ends the cutting, since where the next would
// begin is not known. Empty values are reported too.
// The data is read as it is needed: only the copy being read and what the
// reader asked for beyond it are held, so a file of any length is cut in
// memory bounded by the longest copy; a copy past nMaxCopyBytes is reported
// and ends the cutting.
// Where copies come from: a data file read a copy at a time.
class ICopySource {
  public:
    virtual ~ICopySource() = default;
    // The next copy and its problems; false when the data is used up or the
    // reading ended (a copy that cannot be read is among the problems).
    virtual bool Next(CDataCopy& copy, std::vector<CProblem>& problems) = 0;
    // True when the data could not be read to its end.
    virtual bool ReadFailed() const = 0;
};

class CCopySource : public ICopySource {
  public:
    // Puts up to nSize more bytes of the data into the buffer: the count, 0
    // at the end of the data, negative when it cannot be read.
    using Reader = std::function<long(char* pBuffer, size_t nSize)>;

    CCopySource(const CDataDefinitionList& records, Reader read, size_t nMaxCopyBytes,
                size_t nChunk = 1 << 16);
    bool Next(CDataCopy& copy, std::vector<CProblem>& problems) override;
    bool ReadFailed() const override { return m_bReadFailed; }

  private:
    // Drops what lies before the next copy and reads more; false at the end.
    bool Fill();
    // Reports the copy at the place as too large, which ends the cutting.
    bool TooLarge(int nCopy, const CDataPlace& place, std::vector<CProblem>& problems);

    std::vector<const CDataDefinition*> m_records;
    Reader m_read;
    size_t m_nMaxCopyBytes;
    size_t m_nChunk;
    std::string m_strWindow; // data from m_nBase on
    size_t m_nBase = 0;      // offset of the window in the data
    size_t m_nNext = 0;      // where the next copy begins, in the window
    int m_nNextLine = 1;     // its line
    int m_nCopies = 0;
    bool m_bEnd = false;           // the window holds the rest of the data
    bool m_bBlanksTooLong = false; // blank lines longer than a copy were passed over
    CDataPlace m_blanks;           // where they began
    bool m_bDone = false;
    bool m_bReadFailed = false;
};

// The whole data, held in memory, cut into copies.
void CutCopies(const std::string& strData, const CDataDefinitionList& records,
               std::vector<CDataCopy>& copies, std::vector<CProblem>& problems);
