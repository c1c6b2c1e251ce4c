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

#include "merge/files/OutputFile.h"
#include "merge/job/Imposition.h"
#include "merge/job/Job.h"
#include "merge/layout/FontMetrics.h"
#include "merge/output/PageWriter.h"

#include <map>
#include <string>
#include <vector>

// Writes the pages of the checked job's copies, a page for each of a copy's
// pages or, given press sheets, the sheets' sides; a copy's picture that
// cannot be copied in, or an output that cannot be written, fails it.
class CPostScriptWriter : public IPageWriter {
  public:
    CPostScriptWriter(CJob& job, CFontMetrics& metrics, COutputFile& out,
                      const CSheetPlan* pSheets = nullptr)
        : m_job(job), m_metrics(metrics), m_out(out), m_pSheets(pSheets) {}

    bool Begin(size_t nPages, std::string& strError) override;
    bool Unit(const CShownUnit& unit, std::string& strError) override;
    bool Finish(std::string& strError) override;
    // One page for each of the master pages, as a copy's page draws it, and
    // one for each picture, on a page of its box's size.
    bool FormPages(const std::vector<int>& masterPages, const std::vector<CPicture*>& pictures,
                   double dBleed, std::string& strError);

  private:
    bool SharedPictures(std::string& strError);
    bool Card(const CShownCard& card, std::string& strError);
    bool WritePage(std::string& strError);
    void SetText(const CShownValue& text);
    void DrawCode(const CShownValue& code);
    bool PlacePicture(const CPicture& picture, const CPlacement& placement, std::string& strError);
    bool CopyPicture(const CPicture& picture, std::string& strError);

    CJob& m_job;
    CFontMetrics& m_metrics;
    COutputFile& m_out;
    const CSheetPlan* m_pSheets;        // the press sheets, or null: a page per copy's page
    std::map<std::string, int> m_fonts; // font name to its re-encoded font's number
    std::string m_strPage;              // what is not yet written
    size_t m_nPage = 1;                 // the next page's number
};

// What the PDF writer makes its forms of, as PostScript for Ghostscript: one
// page for each of the master pages given, drawn as a copy's page draws it
// and of its planned size with the bleed around it, then one for each
// picture, of its box's size.
bool WriteFormSource(CJob& job, const std::vector<int>& masterPages,
                     const std::vector<CPicture*>& pictures, double dBleed, CFontMetrics& metrics,
                     COutputFile& out, std::string& strError);
