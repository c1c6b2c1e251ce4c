// The file names of the open publication's job: the document definition and
// the PostScript file beside the publication.
#pragma once

#include "HostParamBlock.h"

#include <string>

// The document definition file path last derived from the publication's path;
// null until the first derivation.
extern char* pDocDefPath;

// The document definition and PostScript paths of the open publication, in
// lower case ("ddf" and "ps" beside it); refreshes pDocDefPath. When the host
// cannot tell the publication's path, both stay as they were.
void ComputeJobFileNames(HostParamBlock* pBlock, std::string& strDocDefPath,
                         std::string& strPostScriptPath);
