// The document definition of a job: its data definitions, area definitions
// and instructions, how a job fills it, and how it is written.
#pragma once

#include "DataDefinition.h"
#include "Instructions.h"
#include "ItemList.h"

#include <cstddef>
#include <iosfwd>
#include <string>

class CDataFieldList;
struct CNamedObject;

class CDocDef {
  public:
    CAreaDefinitionList areas;
    CDataDefinitionList fields;
    CInstructionList instructions;
};

// The longest area name a Merge line carries.
constexpr int32_t MaxMergeAreaName = 49;

// Every adding operation throws std::bad_alloc when its list cannot take the
// record: a document definition is never left short of one.

// Adds (1) or replaces (0) the named object's area, and appends its Merge.
int AddAreaAndMerge(CDocDef& docDef, const CNamedObject* pObject);
// Appends an IncludePages of the page of the file; 0.
int AddIncludePages(CDocDef& docDef, const char* pPage, const char* pFile, double dWidth,
                    double dHeight, double dThird);

// Replaces the record of the same name (its place kept) and returns 0, or
// appends a copy and returns 1.
int AddOrReplace(CAreaDefinitionList& list, const CAreaDefinition& area);
int AddOrReplace(CDataDefinitionList& list, const CDataDefinition& record);

// Writes the three sections; 0, or 2 when a line writer or the stream failed.
int WriteDocDef(const CDocDef& docDef, std::ostream& out);

// The written text as the file holds it: every line feed becomes CR LF, and
// whatever follows the last line feed is left out.
std::string FileLines(const std::string& strText);

// Turns the data fields into data definition records, each placed after the
// previous one in the copy text. 1 done, 0 failed (the records made before the
// failure stay). May turn a Characters field with delimiter NULL into a Lines
// field in the list.
int BuildDataDefinitions(CDataFieldList& fields, const char* pCopy, size_t nLength,
                         CDocDef& docDef);
