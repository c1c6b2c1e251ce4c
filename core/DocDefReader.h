// Reads a whole document definition file back: the version line, the
// [DataDefinition], [AreaDefinition] and [DocumentInstructions] sections with
// their lines, each Merge tied to the area and the data definition it names.
// Lines may end with CR LF or with a line feed; lines beginning with ";" are
// comments. This is what a merge step reads a job with.
#pragma once

#include "DocDef.h"

#include <string>

// True when the text is a whole, consistent document definition. Otherwise
// false, with a message that names the line ("line 7: ..."): a missing
// version line, an unknown section, a line outside any section, a line that
// does not read, a Merge of an area or a data field that is not defined.
bool ReadDocDefText(const std::string& strText, CDocDef& docDef, std::string& strError);
