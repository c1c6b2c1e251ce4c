// The data file walked copy by copy: all its copies for the check, a range
// of them for the outputs, or the copies of each press sheet as the plan
// lays them out.
#pragma once

#include "merge/data/DataCopies.h"
#include "merge/job/Imposition.h"
#include "merge/job/Job.h"

#include <functional>
#include <vector>

// Walks the data file's copies in order, each with the problems its cutting
// found, and last (with no copy) the problems of a copy that could not be
// read whole, if any; the walk stops when the visitor returns false. False
// with a message when the data file cannot be read.
bool ForEachCopy(const CJob& job,
                 const std::function<bool(const CDataCopy*, std::vector<CProblem>&)>& visit,
                 std::string& strError);

// Hands copies nFirst to nLast (from 1) to the writer in order, and their
// count so far to the progress after each; stops at the first the writer
// fails (its message in strError). False when a copy failed or the data file
// cannot be read.
bool ForEachCopyInRange(const CJob& job, int nFirst, int nLast,
                        const std::function<bool(const CDataCopy&)>& write,
                        const std::function<void(int nDone)>& progress, std::string& strError);

// Hands the writer the copies nFirst to nLast (from 1) sheet by sheet as the
// plan lays them out: each sheet's copies in slot order, null for an empty
// slot; progress gets the sheets done. Cut and stacked, each slot's pile is
// read by a reader of its own, so no more than a sheet's copies are held.
// False when the writer failed (its message in strError) or the data file
// cannot be read as the check read it.
bool ForEachSheet(
    const CJob& job, const CSheetPlan& plan, int nFirst,
    const std::function<bool(size_t nSheet, const std::vector<const CDataCopy*>&)>& write,
    const std::function<void(int nDone)>& progress, std::string& strError);

// Hands the drawer the cards on a side of a sheet, slot by slot: each
// filled slot's copy, the copy's page that side shows and where it goes (a
// blank back shows none); stops at the first the drawer fails.
bool ForEachCard(
    const CJob& job, const CSheetPlan& plan, const std::vector<const CDataCopy*>& slots, int nSide,
    const std::function<bool(const CDataCopy&, const CPlannedPage&, const CCardPlace&)>& draw);
