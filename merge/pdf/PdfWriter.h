// The merged copies as a PDF for the press, written by the merge step itself,
// copy by copy. What every copy shares is in the file once and drawn by
// reference: each master page the job takes and each distinct picture is a
// form (Form XObject), made by Ghostscript from PostScript once per run and
// brought in with the PDF library; the fonts are the URW programs, embedded
// once. A copy adds only its pages (the forms drawn, its text set) and its
// document part: the file carries the record structure variable-data
// printing reads (a document-part tree with one part per copy, starting at
// the copy's first page, the copy's number in its metadata), and page labels
// naming copy and page ("12.1", as the PostScript's page comments do).
// Given the standard's settings the file is PDF/X-4 and PDF/VT-1 (see
// PdfStandard.h): every page has its trim and bleed boxes, the parts are
// named by level with the recipient's metadata, and the forms are
// encapsulated and marked for reuse; without, no standard is claimed.
#pragma once

#include "merge/files/OutputFile.h"
#include "merge/job/Imposition.h"
#include "merge/job/Job.h"
#include "merge/layout/FontMetrics.h"
#include "merge/output/PageWriter.h"
#include "merge/pdf/PdfFile.h"
#include "merge/pdf/PdfFonts.h"
#include "merge/pdf/PdfImport.h"
#include "merge/pdf/PdfStandard.h"

#include <array>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// Writes what Ghostscript makes the forms of: a page for each master page
// given, drawn as a copy's page draws it, of its planned size with the bleed
// around it, then a page for each picture, of its box's size.
using FormSource =
    std::function<bool(const std::vector<int>& masterPages, const std::vector<CPicture*>& pictures,
                       double dBleed, COutputFile& out, std::string& strError)>;

// Writes the pages of the checked job's copies, Ghostscript given nGsSeconds
// to make the forms of the source's PostScript. Given press sheets, the pages
// are the sheets' sides and each sheet is a document part whose metadata
// lists the copies in its slots (a page belongs to one part, and a sheet
// holds several copies). A font set in Courier for want of its program is
// added to the job's warnings.
class CPdfWriter : public IPageWriter {
  public:
    CPdfWriter(CJob& job, CFontMetrics& metrics, COutputFile& out, const CSheetPlan* pSheets,
               FormSource formSource, int nGsSeconds, const CPdfStandard* pStandard)
        : m_job(job), m_out(out), m_pSheets(pSheets), m_formSource(std::move(formSource)),
          m_nGsSeconds(nGsSeconds), m_pStandard(pStandard),
          m_pdf(out, pStandard != nullptr ? "1.6" : "1.7"), m_fonts(metrics, m_pdf),
          m_nCatalog(m_pdf.NewObject()), m_nPages(m_pdf.NewObject()),
          m_nPartRoot(m_pdf.NewObject()), m_nPartRootNode(m_pdf.NewObject()),
          m_nLabels(m_pdf.NewObject()) {}

    // Each master page the job takes and each picture the copies place,
    // drawn by Ghostscript once into a PDF of one page each, then brought in
    // as forms.
    bool Begin(size_t nPages, std::string& strError) override;
    bool Unit(const CShownUnit& unit, std::string& strError) override;
    bool Finish(std::string& strError) override;

  private:
    std::vector<std::string> FormArguments() const;
    bool ImportForm(CPdfImport& import, size_t nPage, const std::vector<int>& masterPages,
                    const std::vector<CPicture*>& pictures, std::string& strError);
    bool PageContent(const CShownPage& page, std::string& strContent, std::string& strForms,
                     std::string& strError);
    bool CardContent(const CShownCard& card, std::string& strContent, std::string& strForms,
                     std::string& strError);
    bool AddPage(const std::string& strContent, const std::string& strPage, int nPart,
                 int& nFirstPage, int& nLastPage);
    bool EndPart(int nPart, int nFirstPage, int nLastPage, size_t nPages,
                 const std::string& strLabel, const std::string& strMetadata);
    void SetText(const CShownValue& text, std::string& strContent);
    void DrawCode(const CShownValue& code, std::string& strContent);
    bool DrawPicture(const CShownValue& picture, std::string& strContent, std::string& strForms,
                     std::string& strError);
    int PageParent();
    bool AddToTree(int nPage);
    double Bleed() const { return m_pSheets != nullptr ? m_pSheets->dBleed : 0; }
    bool CloseLeaf();
    bool CloseLabels();
    bool Written(bool bWritten, std::string& strError);
    std::string PartMetadata(const CShownUnit& unit) const;
    std::string Boxes(const CShownPage& page);
    bool Shared(std::unordered_map<std::string, int>& objects, const std::string& strBody,
                std::string& strRef);
    bool WriteStandard(int& nMetadata, int& nIntent);

    CJob& m_job;
    COutputFile& m_out;
    const CSheetPlan* m_pSheets; // the press sheets, or null: a page per copy's page
    FormSource m_formSource;
    int m_nGsSeconds;
    const CPdfStandard* m_pStandard; // null: no standard claimed
    CPdfFile m_pdf;
    CPdfFonts m_fonts;
    int m_nCatalog;
    int m_nPages;
    int m_nPartRoot;
    int m_nPartRootNode;
    int m_nLabels;
    std::unordered_map<int, int> m_masterForms;                    // master page to form
    std::unordered_map<int, std::string> m_masterBoxes;            // its boxes but the MediaBox
    std::unordered_map<int, std::array<double, 4>> m_masterTrims;  // its TrimBox, if any
    std::unordered_map<int, std::array<double, 4>> m_masterBleeds; // its BleedBox, if any
    std::unordered_map<const CPicture*, int> m_pictureForms;       // picture to form
    std::unordered_map<std::string, int> m_boxes;     // a page size's box, written once
    std::unordered_map<std::string, int> m_resources; // resources of master forms only
    int m_nLeaf = 0;                                  // the page tree's open node
    std::vector<int> m_leafPages;                     // its pages
    std::vector<int> m_leaves;                        // the closed nodes
    std::vector<int> m_parts;                         // a document part per copy
    std::string m_strLabels;                          // the open node of labels
    int m_nLabelFirst = 0;                            // its first page index
    int m_nLabelLast = 0;
    std::vector<int> m_labelNodes;
    size_t m_nPageCount = 0;
};
