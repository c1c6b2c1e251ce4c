// The merged PostScript: every chosen copy, page by page as the job's
// instructions take the master's pages, with the copy's values set into
// their areas. Each master page is defined once, in the prolog, and drawn
// for every copy, so the file grows with the variable data only.
#pragma once

#include "FontMetrics.h"
#include "Job.h"

#include <functional>
#include <string>

// The pages of a DSC master: the prolog and setup, and each page's content.
struct CMasterPages {
    std::string strProlog;
    std::string strSetup;
    std::vector<std::string> pages; // page n (from 1) at n - 1
};

// Splits a DSC-conforming PostScript file at its %%Page: comments; false with
// a message when it has no page.
bool ReadMasterPages(const std::string& strText, CMasterPages& master, std::string& strError);

// Writes copies nFirst to nLast (from 1) of the job; false with a message when
// a page the instructions take is not in the master, or an EPS file cannot be
// read. Progress is called after each copy.
bool WriteMerged(const CJob& job, const CMasterPages& master, int nFirst, int nLast,
                 CFontMetrics& metrics, std::string& strOut, std::string& strError,
                 const std::function<void(int nDone)>& progress = nullptr);
