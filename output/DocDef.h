// The document definition of the job being produced, and the operations with
// which the produce-job command fills and writes it.
#pragma once

#include "DataDefinition.h"
#include "Instructions.h"
#include "ItemList.h"

#include <cstddef>
#include <iosfwd>

struct CNamedObject;

class CDocDef {
  public:
    CAreaDefinitionList areas;
    CDataDefinitionList fields;
    CInstructionList instructions;
};

// The document definition of the job being produced; null between jobs.
extern CDocDef* pDocDef;

// The longest area name a Merge line carries.
constexpr int32_t MaxMergeAreaName = 49;

// Adds (1) or replaces (0) the named object's area, and appends its Merge.
int AddAreaAndMerge(const CNamedObject* pObject);
// Appends an IncludePages of the page of the file; 0.
int AddIncludePages(const char* pPage, const char* pFile, double dWidth, double dHeight,
                    double dThird);
// Frees the document definition.
void DiscardDocDef();

// Replaces the record of the same name (its place kept) and returns 0, or
// appends a copy and returns 1.
int AddOrReplace(CAreaDefinitionList& list, const CAreaDefinition& area);
int AddOrReplace(CDataDefinitionList& list, const CDataDefinition& record);

// Writes the three sections; 0, or 2 when a line writer or the stream failed.
int WriteDocDef(const CDocDef& docDef, std::ostream& out);

// Turns the data fields of the publication into data definition records, each
// placed after the previous one in the copy text. 1 done, 0 failed (the
// records made before the failure stay). May turn a Characters field with
// delimiter NULL into a Lines field in the list.
int BuildDataDefinitions(const char* pCopy, size_t nLength, CDocDef& docDef);
