// The document definition file of a job.
#pragma once

// Writes the document definition to the file at the path, which is
// lower-cased in place first; the document definition is discarded either
// way. 1 written; 0 when the file could not be created or not be written
// whole (ZTM5040 shown, and no file left behind). A failed conversion of the
// data fields shows ZTM5048 and the file is still written. The PostScript
// path is not used.
int WriteDocDefFile(char* pPath, const char* pPostScriptPath);
