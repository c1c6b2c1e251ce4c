// The variable data input file cut into copies, by the data definitions of
// a job: each record placed after the end of the previous one (At so many
// lines or characters), taking its value (For a count of characters or lines,
// Until a delimiter or the line that begins with the next-line word, ToEnd
// of the line), fillers skipping lines; the next copy begins where the last
// record of the one before ended.
#pragma once

#include "model/ItemList.h"

#include <cstddef>
#include <string>
#include <vector>

// Where something lies in the data file: a byte offset and its line (from 1).
struct CDataPlace {
    size_t nOffset = 0;
    int nLine = 1;
};

struct CFieldValue {
    std::string strField;
    std::string strText; // a value of several lines keeps them apart by line feeds
    CDataPlace place;
};

struct CDataCopy {
    int nNumber = 0; // from 1
    CDataPlace place;
    std::vector<CFieldValue> values; // the data fields' values, fillers left out
    // The value of the field, or null.
    const CFieldValue* Value(const std::string& strField) const;
};

enum class DataProblem {
    DelimiterNotFound, // an Until record's delimiter or next-line word is not there
    FileEndsInCopy,    // the file ends before a record of a copy
    MissingLine,       // a copy's blank closing line came where a field's line was due
    EmptyValue,        // a data field's value is empty
    MissingEps,        // a reference field names an EPS file that does not exist
    EpsWithoutBox,     // a reference field's EPS file has no %%BoundingBox
    TextOverflow,      // a text value does not fit its area
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

// Cuts the data into copies, one after another until the data is used up
// (blank lines after the last copy are no copy). Where copies end with a
// blank line (the job's last record skips it), a blank line met where a
// field's line is due ends that copy early: its missing line is reported and
// the next copy begins after the blank line. Any other copy that cannot be
// read whole is reported and ends the cutting, since where the next would
// begin is not known. Empty values are reported too.
void CutCopies(const std::string& strData, CDataDefinitionList& records,
               std::vector<CDataCopy>& copies, std::vector<CProblem>& problems);
