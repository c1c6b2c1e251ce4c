// The check of every copy against the job's areas, before anything is
// merged.
#pragma once

#include "merge/check/Report.h"
#include "merge/job/Job.h"
#include "merge/layout/FontMetrics.h"

#include <string>

// Checks every copy against the areas its values go to: a text that does not
// fit its area or holds a character its font cannot show (measured with the
// fonts' metrics), a picture that is not in the pictures folder or has no
// bounding box, a value its code cannot carry; an optional field may be
// empty. Problems go to the report as they are found, in copy order;
// the pictures of copies nFirst to nLast have their uses counted. False with
// a message when the data file cannot be read.
bool CheckCopies(CJob& job, CFontMetrics& metrics, CReport& report, int nFirst, int nLast,
                 std::string& strError);
