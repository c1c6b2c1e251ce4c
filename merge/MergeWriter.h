// The merged PostScript: every chosen copy, page by page as the job's
// instructions take the master's pages, with the copy's values set into
// their areas. It is written copy by copy as the data file is read. What
// every copy shares is in the file once: each master page, and each picture
// that more than one copy places, is kept in the setup as a reusable stream
// and run again for every page that draws it, so that inline image data in
// a page or picture stays intact. The master's own showpage, even one bound
// into its procedures, does not end the page: the merged file ends each page
// itself, after the values are set.
#pragma once

#include "FontMetrics.h"
#include "Job.h"
#include "OutputFile.h"

#include <functional>
#include <string>
#include <vector>

// Writes copies nFirst to nLast (from 1) of the checked job, a page for each
// of a copy's pages or, given press sheets, the sheets' sides; false with a
// message when a copy's picture or code cannot be placed or the output
// cannot be written. Progress is called after each copy, or each sheet.
bool WriteMerged(CJob& job, int nFirst, int nLast, CFontMetrics& metrics, COutputFile& out,
                 std::string& strError, const std::function<void(int nDone)>& progress = nullptr,
                 const CSheetPlan* pSheets = nullptr);

// What the PDF writer makes its forms of, as PostScript for Ghostscript: one
// page for each of the master pages given, drawn as a copy's page draws it
// and of its planned size with the bleed around it, then one for each
// picture, of its box's size.
bool WriteFormSource(CJob& job, const std::vector<int>& masterPages,
                     const std::vector<CPicture*>& pictures, double dBleed, CFontMetrics& metrics,
                     COutputFile& out, std::string& strError);
