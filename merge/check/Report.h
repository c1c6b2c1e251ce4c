// The check's report, written as the problems are found: one line per
// problem (data file:line: copy, field, byte: kind: detail) and a summary
// line, or the same as one JSON object. Nothing of a copy is kept once its
// problems are written.
#pragma once

#include "merge/data/DataCopies.h"

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class CReport {
  public:
    CReport(FILE* pOut, bool bJson, const std::string& strDocDefFile,
            const std::string& strDataFile);
    void Problem(const CProblem& problem);
    // The summary: the copies read, the problems by kind, and (JSON) what
    // the check could not do.
    void Finish(size_t nCopies, const std::vector<std::string>& warnings);
    size_t Problems() const { return m_nProblems; }

  private:
    FILE* m_pOut;
    bool m_bJson;
    std::string m_strDataFile;
    size_t m_nProblems = 0;
    std::map<std::string, size_t> m_counts; // by kind
};

// A JSON string of the bytes: text that is well-formed UTF-8 as it is, any
// other as Windows-1252, the host's encoding; always valid JSON text.
std::string JsonString(const std::string& strText);
