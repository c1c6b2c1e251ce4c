// The merged copies as a PDF for the press, written by the merge step itself,
// copy by copy. What every copy shares is in the file once and drawn by
// reference: each master page the job takes and each distinct picture is a
// form (Form XObject), made by Ghostscript from PostScript once per run and
// brought in with the PDF library; the fonts are the URW programs, embedded
// once. A copy adds only its pages (the forms drawn, its text set) and its
// document part: the file carries the record structure variable-data
// printing reads (a document-part tree with one part per copy, starting at
// the copy's first page, the copy's number in its metadata), and page labels
// naming copy and page ("12.1", as the PostScript's page comments do). No
// standard conformance is claimed.
#pragma once

#include "FontMetrics.h"
#include "Job.h"
#include "OutputFile.h"

#include <functional>
#include <string>

// Writes copies nFirst to nLast (from 1) of the checked job, Ghostscript
// given nGsSeconds to make the forms; false with a message. Given press
// sheets, the pages are the sheets' sides and each sheet is a document part
// whose metadata lists the copies in its slots (a page belongs to one part,
// and a sheet holds several copies). Progress is called after each copy, or
// sheet; a font set in Courier for want of its program is added to the
// job's warnings.
bool WritePdf(CJob& job, int nFirst, int nLast, CFontMetrics& metrics, COutputFile& out,
              int nGsSeconds, std::string& strError,
              const std::function<void(int nDone)>& progress = nullptr,
              const CSheetPlan* pSheets = nullptr);
