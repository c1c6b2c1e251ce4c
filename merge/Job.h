// A job as the merge step sees it: the document definition read from the
// .ddf, the variable data input file cut into copies, and every problem the
// check found in them.
#pragma once

#include "DataCopies.h"
#include "FontMetrics.h"
#include "model/DocDef.h"

#include <string>
#include <vector>

struct CJob {
    std::string strDocDefFile;
    std::string strDataFile;
    CDocDef docDef;
    std::vector<CDataCopy> copies;
    std::vector<CProblem> problems;
    // What the check could not do: an area whose font has no metrics here.
    std::vector<std::string> warnings;
};

// Reads the .ddf and the data file and cuts the copies; false with a message
// when either cannot be read (a .ddf that does not read names its line).
bool LoadJob(const std::string& strDocDefFile, const std::string& strDataFile, CJob& job,
             std::string& strError);

// Checks every copy against the areas its values go to: a text that does not
// fit its area (measured with the fonts' metrics), an EPS file that is not
// there or has no bounding box. Adds what it finds to the job's problems, in
// copy order.
void CheckCopies(CJob& job, CFontMetrics& metrics);

// The whole file, bytes as they are; false when it cannot be read.
bool ReadFile(const std::string& strFile, std::string& strText);

// Where a file named in another file lies: beside that file unless the name
// is absolute (an EPS file named in the data file, a master beside the .ddf).
std::string BesideFile(const std::string& strFile, const std::string& strName);

// The report: one line per problem, then the summary line.
std::string ReportText(const CJob& job);
// The same report as a JSON object.
std::string ReportJson(const CJob& job);
