// The document definition file and the job's file names.
#pragma once

#include "plugin/HostParamBlock.h"

#include <string>

// Writes the document definition to the file at the path, which is
// lower-cased in place first; the document definition is discarded either
// way. 1 written; 0 when the file could not be created (ZTM5040 shown). A
// failed conversion of the data fields shows ZTM5048 and the file is still
// written. The PostScript path is not used.
int WriteDocDefFile(char* pPath, const char* pPostScriptPath);

// The document definition and PostScript paths of the open publication, in
// lower case ("ddf" and "ps" beside it); refreshes pDocDefPath. When the host
// cannot tell the publication's path, both stay as they were.
void ComputeJobFileNames(HostParamBlock* pBlock, std::string& strDocDefPath,
                         std::string& strPostScriptPath);
