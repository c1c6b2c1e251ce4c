// A value as its area sets it, by the job's ticket: the text laid out, or
// the symbol of a code. The check measures what the outputs set.
#pragma once

#include "merge/data/DataCopies.h"
#include "merge/job/Job.h"
#include "merge/layout/Codes.h"
#include "merge/layout/FontMetrics.h"
#include "merge/layout/TextLayout.h"

#include <string>

// A text value laid out as it is set: an optional field's empty lines closed
// up, the size shrunk to fit when the ticket asks it of the area.
CTextLayout LayOutValue(const CJob& job, const CPlannedMerge& merge, const std::string& strValue,
                        CFontMetrics& metrics);

// The symbol of a value its area draws as a code; false with the problem.
bool CodeOfValue(const CJob& job, const CCodeSpec& code, const std::string& strValue,
                 CCodeSymbol& symbol, DataProblem& kind, std::string& strDetail);
