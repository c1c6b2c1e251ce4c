// One line of the [DataDefinition] section: how one data field (or a filler
// that skips lines) lies in the data of a copy.
#pragma once

#include "core/SmallString.h"

#include <cstdint>
#include <iosfwd>

enum StorageKind : int32_t { StorageInline = 0, StorageReference = 1 };
enum DefinitionUnit : int32_t { UnitLines = 0, UnitChars = 1, UnitTrimmedChars = 2 };
enum AtUnit : int32_t { AtLines = 5, AtChars = 6 };
enum ExtentKind : int32_t { ExtentFor = 0, ExtentToEnd = 1, ExtentUntil = 2 };

class CDataDefinition {
  public:
    CSmallString strName;
    int32_t nStorage = StorageInline;
    int32_t nUnit = UnitLines;
    int32_t nType = 0;
    int32_t nAt = 0;
    int32_t nAtUnit = AtLines;
    int32_t nExtentKind = ExtentFor;
    CSmallString strExtent;
};

// Writes the line and its line feed; 0, or 2 when the stream failed.
int WriteDataDefinition(const CDataDefinition& record, std::ostream& out);

// Reads one line into the record: 0 read, 1 a section line (pushed back),
// 2 an unexpected word (the line pushed back), 3 end of input. Members read
// before an error keep their values.
int ReadDataDefinition(CDataDefinition& record, std::istream& in);
