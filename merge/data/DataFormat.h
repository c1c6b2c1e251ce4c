// What kind of file a data file is, told from its name, its first bytes and
// the job ticket: the job's own records (the default), delimited text with a
// header row (.csv, .tsv, or "data": "csv" | "tsv"), or a spreadsheet
// workbook, which is never read as text.
#pragma once

#include <string>

enum class DataFormat { Records, Csv, Tsv };

// The format named ("records", "csv", "tsv", case not counting); false for
// any other name.
bool ParseDataFormat(const std::string& strName, DataFormat& format);

// The format of the file: the one named (strNamed, empty for none), else by
// the name's extension (.csv, .tsv, .tab; case not counting), else records.
DataFormat FormatOf(const std::string& strPath, const std::string& strNamed);

// The separator named: "comma" or ",", "semicolon" or ";", "tab" or "\t";
// false for any other.
bool ParseSeparator(const std::string& strName, char& cSeparator);

// What a spreadsheet workbook or other packed file is, from its first bytes
// ("an Excel workbook (.xlsx)", ...), or "" for a file that may be text.
std::string PackedKind(const std::string& strStart);

// True when the bytes hold a character past ASCII and every one of them is
// well-formed UTF-8 (a sequence cut by the end of the bytes counting as one).
bool LooksUtf8(const std::string& strStart);
