#include "PdfWriter.h"

#include "Ghostscript.h"
#include "InputFiles.h"
#include "MergeWriter.h"
#include "PageWriting.h"
#include "PdfFonts.h"
#include "PdfImport.h"
#include "TextLayout.h"

#include <unordered_map>

namespace {

// Pages per node of the page tree, copies per node of the page labels' tree
// and per array of the document parts: the trees are written as they fill.
constexpr size_t PagesPerNode = 64;
constexpr size_t CopiesPerNode = 256;

class CPdfWriter {
  public:
    CPdfWriter(CJob& job, CFontMetrics& metrics, COutputFile& out, const CSheetPlan* pSheets)
        : m_job(job), m_metrics(metrics), m_out(out), m_pSheets(pSheets), m_pdf(out),
          m_fonts(metrics, m_pdf), m_nCatalog(m_pdf.NewObject()), m_nPages(m_pdf.NewObject()),
          m_nPartRoot(m_pdf.NewObject()), m_nPartRootNode(m_pdf.NewObject()),
          m_nLabels(m_pdf.NewObject()) {}

    bool Forms(int nGsSeconds, std::string& strError);
    bool Copy(const CDataCopy& copy, std::string& strError);
    bool Sheet(size_t nSheet, const std::vector<const CDataCopy*>& slots, std::string& strError);
    bool Finish(std::string& strError);
    const std::vector<std::string>& Substituted() const { return m_fonts.Substituted(); }

  private:
    bool CardContent(const CDataCopy& copy, const CPlannedPage& page, std::string& strContent,
                     std::string& strForms, std::string& strError);
    bool AddPage(const std::string& strContent, const std::string& strPage, int nPart,
                 int& nFirstPage, int& nLastPage);
    bool EndPart(int nPart, int nFirstPage, int nLastPage, size_t nPages,
                 const std::string& strLabel, const std::string& strMetadata);
    void SetText(const CPlannedMerge& merge, const CAreaDefinition& area,
                 const std::string& strValue, double dPaperHeight, std::string& strContent);
    void DrawCode(const CAreaDefinition& area, const CCodeSymbol& symbol, double dPaperHeight,
                  std::string& strContent);
    bool DrawPicture(const CAreaDefinition& area, const std::string& strValue, double dPaperHeight,
                     std::string& strContent, std::string& strForms, std::string& strDetail);
    int PageParent();
    bool AddToTree(int nPage);
    double Bleed() const { return m_pSheets != nullptr ? m_pSheets->dBleed : 0; }
    bool CloseLeaf();
    bool CloseLabels();
    bool Written(bool bWritten, std::string& strError);

    CJob& m_job;
    CFontMetrics& m_metrics;
    COutputFile& m_out;
    const CSheetPlan* m_pSheets; // the press sheets, or null: a page per copy's page
    CPdfFile m_pdf;
    CPdfFonts m_fonts;
    int m_nCatalog;
    int m_nPages;
    int m_nPartRoot;
    int m_nPartRootNode;
    int m_nLabels;
    std::unordered_map<int, int> m_masterForms;              // master page to form
    std::unordered_map<int, std::string> m_masterBoxes;      // its boxes but the MediaBox
    std::unordered_map<const CPicture*, int> m_pictureForms; // picture to form
    int m_nLeaf = 0;                                         // the page tree's open node
    std::vector<int> m_leafPages;                            // its pages
    std::vector<int> m_leaves;                               // the closed nodes
    std::vector<int> m_parts;                                // a document part per copy
    std::string m_strLabels;                                 // the open node of labels
    int m_nLabelFirst = 0;                                   // its first page index
    int m_nLabelLast = 0;
    std::vector<int> m_labelNodes;
    size_t m_nPageCount = 0;
};

bool CPdfWriter::Written(bool bWritten, std::string& strError) {
    if (!bWritten) {
        strError = m_out.Path() + ": cannot be written";
    }
    return bWritten;
}

// Each master page the job takes and each picture the copies place, drawn
// by Ghostscript once into a PDF of one page each, then brought in as forms.
bool CPdfWriter::Forms(int nGsSeconds, std::string& strError) {
    std::vector<int> masterPages = MasterPagesUsed(m_job.pages);
    std::vector<CPicture*> pictures;
    for (CPicture& picture : m_job.pictures->All()) {
        if (picture.bGood && picture.nUses > 0) {
            pictures.push_back(&picture);
        }
    }
    CWorkFolder folder;
    COutputFile source;
    CPdfImport import;
    if (!folder.Make(m_out.Path(), strError) ||
        !source.Open(folder.Path() + "/forms.ps", strError) ||
        !WriteFormSource(m_job, masterPages, pictures, Bleed(), m_metrics, source, strError) ||
        !source.Commit(strError) ||
        !RunGhostscript({"-sDEVICE=pdfwrite", "-dPDFSETTINGS=/prepress", "-dAutoRotatePages=/None",
                         "-dAutoFilterColorImages=false", "-dColorImageFilter=/FlateEncode",
                         "-dDownsampleColorImages=false", "-dAutoFilterGrayImages=false",
                         "-dGrayImageFilter=/FlateEncode", "-dDownsampleGrayImages=false",
                         "-dDownsampleMonoImages=false",
                         "-sOutputFile=" + GhostscriptOutputName(folder.Path() + "/forms.pdf")},
                        folder.Path() + "/forms.ps",
                        "the master's pages and the pictures (the copies' shared forms)",
                        nGsSeconds, strError) ||
        !import.Open(folder.Path() + "/forms.pdf", strError)) {
        return false;
    }
    if (import.Pages() != masterPages.size() + pictures.size()) {
        strError = "Ghostscript made " + std::to_string(import.Pages()) + " pages of the " +
                   std::to_string(masterPages.size() + pictures.size()) +
                   " master pages and pictures";
        return false;
    }
    for (size_t i = 0; i < import.Pages(); ++i) {
        int nForm = import.ImportPage(i, m_pdf, strError, Bleed() > 0);
        if (nForm == 0) {
            return false;
        }
        if (i < masterPages.size()) {
            m_masterForms[masterPages[i]] = nForm;
            m_masterBoxes[masterPages[i]] = import.OtherBoxes(i);
        } else {
            m_pictureForms[pictures[i - masterPages.size()]] = nForm;
        }
    }
    return true;
}

int CPdfWriter::PageParent() {
    if (m_nLeaf == 0) {
        m_nLeaf = m_pdf.NewObject();
    }
    return m_nLeaf;
}

bool CPdfWriter::AddToTree(int nPage) {
    m_leafPages.push_back(nPage);
    ++m_nPageCount;
    return m_leafPages.size() < PagesPerNode || CloseLeaf();
}

// Writes the page tree's open node.
bool CPdfWriter::CloseLeaf() {
    bool bWritten = m_pdf.Object(m_nLeaf, "<< /Type /Pages /Parent " + Ref(m_nPages) + " /Kids [" +
                                              Refs(m_leafPages) + " ] /Count " +
                                              std::to_string(m_leafPages.size()) + " >>");
    m_leaves.push_back(m_nLeaf);
    m_leafPages.clear();
    m_nLeaf = 0;
    return bWritten;
}

// Writes the open node of the page labels.
bool CPdfWriter::CloseLabels() {
    m_labelNodes.push_back(m_pdf.NewObject());
    bool bWritten =
        m_pdf.Object(m_labelNodes.back(), "<< /Limits [" + std::to_string(m_nLabelFirst) + " " +
                                              std::to_string(m_nLabelLast) + "] /Nums [" +
                                              m_strLabels + " ] >>");
    m_strLabels.clear();
    return bWritten;
}

void CPdfWriter::SetText(const CPlannedMerge& merge, const CAreaDefinition& area,
                         const std::string& strValue, double dPaperHeight,
                         std::string& strContent) {
    CTextLayout layout = LayOutValue(m_job, merge, strValue, m_metrics);
    strContent += "q " + Number(area.fCyan) + " " + Number(area.fMagenta) + " " +
                  Number(area.fYellow) + " " + Number(area.fBlack) + " k BT\n";
    for (const CSetLine& line : layout.lines) {
        if (line.strText.empty()) {
            continue;
        }
        strContent += "1 0 0 1 " + Number(area.fLeft + line.dX) + " " +
                      Number(dPaperHeight - (area.fTop + line.dBaseline)) + " Tm " +
                      (line.dWordSpace > 0 ? Number(line.dWordSpace) + " Tw " : "") +
                      m_fonts.Show(area.strFont.Text(), line.strText, layout.dSize) + "\n";
    }
    strContent += "ET Q\n";
}

// Draws the picture the value names in the area, its form named in the
// page's forms once; false with why not.
bool CPdfWriter::DrawPicture(const CAreaDefinition& area, const std::string& strValue,
                             double dPaperHeight, std::string& strContent, std::string& strForms,
                             std::string& strDetail) {
    DataProblem kind;
    const CPicture* pPicture = m_job.pictures->Find(strValue, kind, strDetail);
    auto found = m_pictureForms.find(pPicture);
    if (pPicture == nullptr || found == m_pictureForms.end()) {
        strDetail = strDetail.empty() ? "the picture changed while it was merged" : strDetail;
        return false;
    }
    CPlacement placement = PlaceInArea(area, pPicture->adBox, dPaperHeight);
    std::string strName = "P" + std::to_string(found->second);
    strContent +=
        "q " +
        (placement.bClip
             ? Number(placement.adClip[0]) + " " + Number(placement.adClip[1]) + " " +
                   Number(placement.adClip[2]) + " " + Number(placement.adClip[3]) + " re W n "
             : "") +
        Number(placement.dScale) + " 0 0 " + Number(placement.dScale) + " " + Number(placement.dX) +
        " " + Number(placement.dY) + " cm /" + strName + " Do Q\n";
    if (strForms.find("/" + strName + " ") == std::string::npos) {
        strForms += " /" + strName + " " + Ref(found->second);
    }
    return true;
}

// One page of the copy as it is drawn on its own: the master page's form,
// then the values; the forms it draws named in strForms.
bool CPdfWriter::CardContent(const CDataCopy& copy, const CPlannedPage& page,
                             std::string& strContent, std::string& strForms,
                             std::string& strError) {
    std::string strMaster = "M" + std::to_string(page.nMasterPage);
    // A form made with the bleed around the page is drawn back by it.
    strContent += Bleed() > 0 ? "q 1 0 0 1 " + Number(-Bleed()) + " " + Number(-Bleed()) + " cm /" +
                                    strMaster + " Do Q\n"
                              : "q /" + strMaster + " Do Q\n";
    std::string strMasterForm = " /" + strMaster + " " + Ref(m_masterForms[page.nMasterPage]);
    strForms += strForms.find(strMasterForm) == std::string::npos ? strMasterForm : "";
    // The values drawn into this page's content and forms.
    class CDrawing : public IValueDrawing {
      public:
        CDrawing(CPdfWriter& writer, std::string& strContent, std::string& strForms)
            : m_writer(writer), m_strContent(strContent), m_strForms(strForms) {}
        void DrawCode(const CAreaDefinition& area, const CCodeSymbol& symbol,
                      double dPaperHeight) override {
            m_writer.DrawCode(area, symbol, dPaperHeight, m_strContent);
        }
        bool DrawPicture(const CAreaDefinition& area, const std::string& strValue,
                         double dPaperHeight, std::string& strDetail) override {
            return m_writer.DrawPicture(area, strValue, dPaperHeight, m_strContent, m_strForms,
                                        strDetail);
        }
        void SetText(const CPlannedMerge& merge, const CAreaDefinition& area,
                     const std::string& strValue, double dPaperHeight) override {
            m_writer.SetText(merge, area, strValue, dPaperHeight, m_strContent);
        }

      private:
        CPdfWriter& m_writer;
        std::string& m_strContent;
        std::string& m_strForms;
    } drawing(*this, strContent, strForms);
    return DrawValues(m_job, page, copy, drawing, strError);
}

// Writes a page of the content, of the part, as the page dictionary's
// entries give it.
bool CPdfWriter::AddPage(const std::string& strContent, const std::string& strPage, int nPart,
                         int& nFirstPage, int& nLastPage) {
    int nContent = m_pdf.NewObject();
    int nPage = m_pdf.NewObject();
    nFirstPage = nFirstPage == 0 ? nPage : nFirstPage;
    nLastPage = nPage;
    return m_pdf.Stream(nContent, "", strContent) &&
           m_pdf.Object(nPage, "<< /Type /Page /Parent " + Ref(PageParent()) + strPage +
                                   " /Contents " + Ref(nContent) + " /DPart " + Ref(nPart) +
                                   " >>") &&
           AddToTree(nPage);
}

// Writes the document part of the last nPages pages and their label.
bool CPdfWriter::EndPart(int nPart, int nFirstPage, int nLastPage, size_t nPages,
                         const std::string& strLabel, const std::string& strMetadata) {
    m_parts.push_back(nPart);
    int nIndex = static_cast<int>(m_nPageCount - nPages);
    m_nLabelFirst = m_strLabels.empty() ? nIndex : m_nLabelFirst;
    m_nLabelLast = nIndex;
    m_strLabels += " " + std::to_string(nIndex) + " << /S /D /P " + Literal(strLabel) + " >>";
    bool bWritten = m_pdf.Object(nPart, "<< /Type /DPart /Parent " + Ref(m_nPartRootNode) +
                                            " /Start " + Ref(nFirstPage) + " /End " +
                                            Ref(nLastPage) + " /DPM << " + strMetadata + " >> >>");
    if (bWritten && m_parts.size() % CopiesPerNode == 0) {
        bWritten = CloseLabels();
    }
    return bWritten;
}

bool CPdfWriter::Copy(const CDataCopy& copy, std::string& strError) {
    int nPart = m_pdf.NewObject();
    int nFirstPage = 0;
    int nLastPage = 0;
    for (const CPlannedPage& page : m_job.pages) {
        std::string strContent;
        std::string strForms;
        if (!CardContent(copy, page, strContent, strForms, strError)) {
            return false;
        }
        if (!AddPage(strContent,
                     " /MediaBox [0 0 " + Number(page.dWidth) + " " + Number(page.dHeight) + "]" +
                         m_masterBoxes[page.nMasterPage] + " /Resources << /Font " +
                         Ref(m_fonts.Resources()) + " /XObject <<" + strForms + " >> >>",
                     nPart, nFirstPage, nLastPage)) {
            return Written(false, strError);
        }
    }
    // The copy's part and its pages' label, "N." and the page's number.
    std::string strNumber = std::to_string(copy.nNumber);
    return Written(EndPart(nPart, nFirstPage, nLastPage, m_job.pages.size(), strNumber + ".",
                           "/CopyNumber " + strNumber),
                   strError);
}

// Each side of the sheet: every slot's card, its page of that side moved to
// the slot and clipped at its bleed, then the crop marks. The sheet is one
// document part, which lists the copies in its slots.
bool CPdfWriter::Sheet(size_t nSheet, const std::vector<const CDataCopy*>& slots,
                       std::string& strError) {
    const CSheetPlan& plan = *m_pSheets;
    int nPart = m_pdf.NewObject();
    int nFirstPage = 0;
    int nLastPage = 0;
    for (int nSide = 0; nSide < plan.nSides; ++nSide) {
        std::string strContent;
        std::string strForms;
        auto draw = [&](const CDataCopy& copy, const CPlannedPage& page, const CCardPlace& place) {
            strContent += "q " + Number(place.adClip[0]) + " " + Number(place.adClip[1]) + " " +
                          Number(place.adClip[2]) + " " + Number(place.adClip[3]) +
                          " re W n 1 0 0 1 " + Number(place.dX) + " " + Number(place.dY) + " cm\n";
            bool bDrawn = CardContent(copy, page, strContent, strForms, strError);
            strContent += "Q\n";
            return bDrawn;
        };
        if (!ForEachCard(m_job, plan, slots, nSide, draw)) {
            return false;
        }
        std::vector<CMark> marks = plan.Marks(nSide);
        if (!marks.empty()) {
            strContent += "q 1 1 1 1 K " + Number(MarkWeight) + " w\n";
            for (const CMark& mark : marks) {
                strContent += Number(mark.dX0) + " " + Number(mark.dY0) + " m " + Number(mark.dX1) +
                              " " + Number(mark.dY1) + " l S\n";
            }
            strContent += "Q\n";
        }
        if (!AddPage(strContent,
                     " /MediaBox [0 0 " + Number(plan.dWidth) + " " + Number(plan.dHeight) +
                         "] /Resources << /Font " + Ref(m_fonts.Resources()) + " /XObject <<" +
                         strForms + " >> >>",
                     nPart, nFirstPage, nLastPage)) {
            return Written(false, strError);
        }
    }
    // The sheet's part, its pages labelled "S3.1", "S3.2".
    std::string strCopies;
    for (const CDataCopy* pCopy : slots) {
        strCopies += " " + (pCopy != nullptr ? std::to_string(pCopy->nNumber) : "null");
    }
    std::string strSheet = std::to_string(nSheet + 1);
    return Written(EndPart(nPart, nFirstPage, nLastPage, static_cast<size_t>(plan.nSides),
                           "S" + strSheet + ".",
                           "/SheetNumber " + strSheet + " /CopyNumbers [" + strCopies + " ]"),
                   strError);
}

// The code's bars in the area's colour.
void CPdfWriter::DrawCode(const CAreaDefinition& area, const CCodeSymbol& symbol,
                          double dPaperHeight, std::string& strContent) {
    strContent += "q " + Number(area.fCyan) + " " + Number(area.fMagenta) + " " +
                  Number(area.fYellow) + " " + Number(area.fBlack) + " k\n";
    for (const CRectangle& bar : PlaceCode(symbol, area, dPaperHeight)) {
        strContent += Number(bar.dX) + " " + Number(bar.dY) + " " + Number(bar.dWidth) + " " +
                      Number(bar.dHeight) + " re\n";
    }
    strContent += "f Q\n";
}

bool CPdfWriter::Finish(std::string& strError) {
    bool bWritten = (m_leafPages.empty() || CloseLeaf()) && (m_strLabels.empty() || CloseLabels());
    // The parts in arrays of CopiesPerNode each, in copy order.
    std::string strParts;
    for (size_t i = 0; i < m_parts.size(); ++i) {
        strParts += (i % CopiesPerNode == 0 ? " [" : "") + std::string(" ") + Ref(m_parts[i]) +
                    (i % CopiesPerNode == CopiesPerNode - 1 || i + 1 == m_parts.size() ? " ]" : "");
    }
    int nInfo = m_pdf.NewObject();
    bWritten =
        bWritten &&
        m_pdf.Object(m_nPages, "<< /Type /Pages /Kids [" + Refs(m_leaves) + " ] /Count " +
                                   std::to_string(m_nPageCount) + " >>") &&
        m_pdf.Object(m_nLabels, "<< /Kids [" + Refs(m_labelNodes) + " ] >>") &&
        m_pdf.Object(m_nPartRootNode, "<< /Type /DPart /Parent " + Ref(m_nPartRoot) + " /DParts [" +
                                          strParts + " ] >>") &&
        m_pdf.Object(m_nPartRoot, "<< /Type /DPartRoot /DPartRootNode " + Ref(m_nPartRootNode) +
                                      " /RecordLevel 1 >>") &&
        m_pdf.Object(m_nCatalog, "<< /Type /Catalog /Pages " + Ref(m_nPages) + " /PageLabels " +
                                     Ref(m_nLabels) + " /DPartRoot " + Ref(m_nPartRoot) + " >>") &&
        m_pdf.Object(nInfo,
                     "<< /Producer (nebmerge) /Title " + Literal(m_job.strDocDefFile) + " >>");
    if (!bWritten) {
        return Written(false, strError);
    }
    return m_fonts.Finish(strError) && m_pdf.Finish(m_nCatalog, nInfo, strError);
}

} // namespace

bool WritePdf(CJob& job, int nFirst, int nLast, CFontMetrics& metrics, COutputFile& out,
              int nGsSeconds, std::string& strError, const std::function<void(int nDone)>& progress,
              const CSheetPlan* pSheets) {
    CPdfWriter writer(job, metrics, out, pSheets);
    if (!writer.Forms(nGsSeconds, strError)) {
        return false;
    }
    auto write = [&](const CDataCopy& copy) { return writer.Copy(copy, strError); };
    auto writeSheet = [&](size_t nSheet, const std::vector<const CDataCopy*>& slots) {
        return writer.Sheet(nSheet, slots, strError);
    };
    if ((pSheets != nullptr ? !ForEachSheet(job, *pSheets, nFirst, writeSheet, progress, strError)
                            : !ForEachCopyInRange(job, nFirst, nLast, write, progress, strError)) ||
        !writer.Finish(strError)) {
        return false;
    }
    for (const std::string& strFont : writer.Substituted()) {
        job.warnings.push_back("the font " + strFont +
                               " has no program here: the PDF sets its text in Courier");
    }
    return true;
}
