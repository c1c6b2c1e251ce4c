// The one pass over the copies that writes every output asked for: the data
// file is read once, each copy (or sheet) is made into its pages once, and
// each writer serialises the same pages.
#pragma once

#include "merge/job/Imposition.h"
#include "merge/job/Job.h"
#include "merge/layout/FontMetrics.h"
#include "merge/output/PageWriter.h"

#include <functional>
#include <string>
#include <vector>

// Writes copies nFirst to nLast (from 1) of the checked job through each
// writer: a page for each of a copy's pages or, given press sheets, the
// sheets' sides. Progress is called after each copy, or sheet. False with a
// message when a copy's picture or code cannot be placed, a writer fails or
// the data file cannot be read as the check read it.
bool WritePass(CJob& job, CFontMetrics& metrics, int nFirst, int nLast, const CSheetPlan* pSheets,
               const std::vector<IPageWriter*>& writers, const std::function<void(int)>& progress,
               std::string& strError);
