// The file names of the open publication's job: the document definition and
// the PostScript file beside the publication.
#pragma once

#include "HostParamBlock.h"

#include <string>

// What the commands remember of the job file names between them: the
// document definition file path last derived from the publication's path,
// null until the first derivation (the sample file dialog starts in its
// folder).
class CJobFileState {
  public:
    CJobFileState() = default;
    CJobFileState(const CJobFileState&) = delete;
    CJobFileState& operator=(const CJobFileState&) = delete;
    ~CJobFileState() { Release(); }

    // Sets the path to null without freeing it.
    void Reset() { pDocDefPath = nullptr; }
    // Frees the path, then resets.
    void Release();

    char* pDocDefPath = nullptr;
};

// The document definition and PostScript paths of the open publication, in
// lower case ("ddf" and "ps" beside it); the state remembers the first. When
// the host cannot tell the publication's path, all stay as they were.
void ComputeJobFileNames(HostParamBlock* pBlock, CJobFileState& state, std::string& strDocDefPath,
                         std::string& strPostScriptPath);
