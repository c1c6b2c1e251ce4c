#include "merge/pdf/PdfWriter.h"

#include "merge/files/Ghostscript.h"
#include "merge/files/InputFiles.h"
#include "merge/output/Syntax.h"
#include "merge/pdf/PdfImport.h"

namespace {

// Pages per node of the page tree, copies per node of the page labels' tree
// and per array of the document parts: the trees are written as they fill.
constexpr size_t PagesPerNode = 64;
constexpr size_t CopiesPerNode = 256;

} // namespace

bool CPdfWriter::Written(bool bWritten, std::string& strError) {
    if (!bWritten) {
        strError = m_out.Path() + ": cannot be written";
    }
    return bWritten;
}

// What Ghostscript is given to make the forms' PDF (all but its output):
// images kept whole and lossless; to the standard, PDF/X-4's version 1.6,
// colour either in the output intent's device space or described by an ICC
// profile (Ghostscript's own, which it renders device colour with, so
// nothing changes in the look or the time), and no transfer functions.
std::vector<std::string> CPdfWriter::FormArguments() const {
    std::vector<std::string> arguments = {"-sDEVICE=pdfwrite",
                                          "-dPDFSETTINGS=/prepress",
                                          "-dAutoRotatePages=/None",
                                          "-dAutoFilterColorImages=false",
                                          "-dColorImageFilter=/FlateEncode",
                                          "-dDownsampleColorImages=false",
                                          "-dAutoFilterGrayImages=false",
                                          "-dGrayImageFilter=/FlateEncode",
                                          "-dDownsampleGrayImages=false",
                                          "-dDownsampleMonoImages=false"};
    if (m_pStandard != nullptr) {
        arguments.insert(arguments.end(), {"-dCompatibilityLevel=1.6",
                                           "-sColorConversionStrategy=UseDeviceIndependentColor",
                                           "-dTransferFunctionInfo=/Remove"});
    }
    return arguments;
}

// Brings page nPage of the forms' PDF in as the form of its master page (and
// keeps that page's boxes) or of its picture. To the standard, a form more
// than one copy draws is marked for reuse by the press.
bool CPdfWriter::ImportForm(CPdfImport& import, size_t nPage, const std::vector<int>& masterPages,
                            const std::vector<CPicture*>& pictures, std::string& strError) {
    bool bMaster = nPage < masterPages.size();
    bool bShared = bMaster ? m_job.nCopies > 1 : pictures[nPage - masterPages.size()]->nUses > 1;
    std::string strHints = m_pStandard == nullptr
                               ? ""
                               : std::string(" /GTS_Scope /") + (bShared ? "File" : "SingleUse") +
                                     " /GTS_Encapsulated true";
    int nForm = import.ImportPage(nPage, m_pdf, strError, Bleed() > 0, strHints);
    if (nForm == 0) {
        return false;
    }
    if (!bMaster) {
        m_pictureForms[pictures[nPage - masterPages.size()]] = nForm;
        return true;
    }
    int nMaster = masterPages[nPage];
    m_masterForms[nMaster] = nForm;
    m_masterBoxes[nMaster] = import.OtherBoxes(nPage);
    std::array<double, 4> box{};
    if (import.PageBox(nPage, "/TrimBox", box)) {
        m_masterTrims[nMaster] = box;
    }
    if (import.PageBox(nPage, "/BleedBox", box)) {
        m_masterBleeds[nMaster] = box;
    }
    return true;
}

// Each master page the job takes and each picture the copies place, drawn
// by Ghostscript once into a PDF of one page each, then brought in as forms.
bool CPdfWriter::Begin(size_t, std::string& strError) {
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
    if (!folder.Make(m_out.Path(), strError)) {
        return false;
    }
    std::vector<std::string> arguments = FormArguments();
    arguments.push_back("-sOutputFile=" + GhostscriptOutputName(folder.Path() + "/forms.pdf"));
    if (!source.Open(folder.Path() + "/forms.ps", strError) ||
        !m_formSource(masterPages, pictures, Bleed(), source, strError) ||
        !source.Commit(strError) ||
        !RunGhostscript(arguments, folder.Path() + "/forms.ps",
                        "the master's pages and the pictures (the copies' shared forms)",
                        m_nGsSeconds, strError) ||
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
        if (!ImportForm(import, i, masterPages, pictures, strError)) {
            return false;
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

void CPdfWriter::SetText(const CShownValue& text, std::string& strContent) {
    const CAreaDefinition& area = *text.pArea;
    strContent += "q " + Number(area.fCyan) + " " + Number(area.fMagenta) + " " +
                  Number(area.fYellow) + " " + Number(area.fBlack) + " k BT\n";
    for (const CShownLine& line : text.lines) {
        strContent += "1 0 0 1 " + Number(line.dX) + " " + Number(line.dY) + " Tm " +
                      (line.dWordSpace > 0 ? Number(line.dWordSpace) + " Tw " : "") +
                      m_fonts.Show(area.strFont.Text(), line.strText, text.dSize) + "\n";
    }
    strContent += "ET Q\n";
}

// Draws the picture where it lands, its form named in the page's forms
// once; false when the picture has no form.
bool CPdfWriter::DrawPicture(const CShownValue& picture, std::string& strContent,
                             std::string& strForms, std::string& strError) {
    auto found = m_pictureForms.find(picture.pPicture);
    if (found == m_pictureForms.end()) {
        strError = picture.strSource + ": the picture changed while it was merged";
        return false;
    }
    const CPlacement& placement = picture.placement;
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
bool CPdfWriter::CardContent(const CShownCard& card, std::string& strContent, std::string& strForms,
                             std::string& strError) {
    std::string strMaster = "M" + std::to_string(card.nMasterPage);
    // A form made with the bleed around the page is drawn back by it.
    strContent += Bleed() > 0 ? "q 1 0 0 1 " + Number(-Bleed()) + " " + Number(-Bleed()) + " cm /" +
                                    strMaster + " Do Q\n"
                              : "q /" + strMaster + " Do Q\n";
    std::string strMasterForm = " /" + strMaster + " " + Ref(m_masterForms[card.nMasterPage]);
    strForms += strForms.find(strMasterForm) == std::string::npos ? strMasterForm : "";
    for (const CShownValue& value : card.values) {
        if (value.kind == ShownKind::Code) {
            DrawCode(value, strContent);
        } else if (value.kind == ShownKind::Picture) {
            if (!DrawPicture(value, strContent, strForms, strError)) {
                return false;
            }
        } else {
            SetText(value, strContent);
        }
    }
    return true;
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

// Each page of the copy, or side of the sheet, as a page of the copy's or
// sheet's document part; a sheet's cards each moved to its slot and clipped
// at its bleed, then the crop marks. A sheet's part lists the copies in its
// slots.
bool CPdfWriter::Unit(const CShownUnit& unit, std::string& strError) {
    int nPart = m_pdf.NewObject();
    int nFirstPage = 0;
    int nLastPage = 0;
    for (const CShownPage& page : unit.pages) {
        std::string strContent;
        std::string strForms;
        if (!PageContent(page, strContent, strForms, strError)) {
            return false;
        }
        // Resources that name only master pages' forms are written once
        // and shared by every page that draws the same.
        std::string strResources =
            "<< /Font " + Ref(m_fonts.Resources()) + " /XObject <<" + strForms + " >> >>";
        std::string strBoxes;
        if ((strForms.find(" /P") == std::string::npos &&
             !Shared(m_resources, strResources, strResources)) ||
            (strBoxes = Boxes(page)).empty() ||
            !AddPage(strContent, strBoxes + " /Resources " + strResources, nPart, nFirstPage,
                     nLastPage)) {
            return Written(false, strError);
        }
    }
    // The copy's pages' label, "N." and the page's number; a sheet's, "S3."
    // and the side's.
    return Written(EndPart(nPart, nFirstPage, nLastPage, unit.pages.size(),
                           (unit.bSheet ? "S" : "") + std::to_string(unit.nNumber) + ".",
                           PartMetadata(unit)),
                   strError);
}

namespace {

bool Within(const std::array<double, 4>& inner, const std::array<double, 4>& outer) {
    return inner[0] >= outer[0] && inner[1] >= outer[1] && inner[2] <= outer[2] &&
           inner[3] <= outer[3] && inner[0] < inner[2] && inner[1] < inner[3];
}

std::string BoxText(const std::array<double, 4>& box) {
    return "[" + Number(box[0]) + " " + Number(box[1]) + " " + Number(box[2]) + " " +
           Number(box[3]) + "]";
}

} // namespace

// The page's boxes: its MediaBox and the master page's others, as
// Ghostscript kept them. To the standard, its MediaBox, TrimBox and
// BleedBox: a card's page has the master page's trim and bleed where it
// gives them within the page (a bleed around the trim), else the page's
// size; on a press sheet the sheet is trim and bleed. A box of the page's
// size is one array, shared. Empty when it cannot be written.
std::string CPdfWriter::Boxes(const CShownPage& page) {
    const std::array<double, 4> media{0, 0, page.dWidth, page.dHeight};
    std::string strMedia = BoxText(media);
    if (m_pStandard == nullptr) {
        return " /MediaBox " + strMedia +
               (page.bSheet ? "" : m_masterBoxes[page.cards[0].nMasterPage]);
    }
    if (!Shared(m_boxes, strMedia, strMedia)) {
        return "";
    }
    std::string strTrim = strMedia;
    std::string strBleed = strMedia;
    auto trim = page.bSheet ? m_masterTrims.end() : m_masterTrims.find(page.cards[0].nMasterPage);
    if (trim != m_masterTrims.end() && Within(trim->second, media) && trim->second != media) {
        strTrim = BoxText(trim->second);
        auto bleed = m_masterBleeds.find(page.cards[0].nMasterPage);
        if (bleed != m_masterBleeds.end() && Within(trim->second, bleed->second) &&
            Within(bleed->second, media) && bleed->second != media) {
            strBleed = BoxText(bleed->second);
        }
    }
    return " /MediaBox " + strMedia + " /TrimBox " + strTrim + " /BleedBox " + strBleed;
}

// The reference of an object of the body, written when first asked for;
// false when it cannot be written.
bool CPdfWriter::Shared(std::unordered_map<std::string, int>& objects, const std::string& strBody,
                        std::string& strRef) {
    auto found = objects.find(strBody);
    if (found == objects.end()) {
        found = objects.emplace(strBody, m_pdf.NewObject()).first;
        if (!m_pdf.Object(found->second, strBody)) {
            return false;
        }
    }
    strRef = Ref(found->second);
    return true;
}

// The metadata of the copy's part: its number; a sheet's lists the copies
// in its slots. To the standard, the recipient in the convention presses
// read: CIP4_Root, CIP4_Recipient with the copy's number as its identifier
// and the fields the ticket names (a sheet's, one for each copy it holds).
std::string CPdfWriter::PartMetadata(const CShownUnit& unit) const {
    std::string strNumber = std::to_string(unit.nNumber);
    std::string strMetadata = "/CopyNumber " + strNumber;
    if (unit.bSheet) {
        std::string strCopies;
        for (long nCopy : unit.slotCopies) {
            strCopies += " " + (nCopy != 0 ? std::to_string(nCopy) : "null");
        }
        strMetadata = "/SheetNumber " + strNumber + " /CopyNumbers [" + strCopies + " ]";
    }
    if (m_pStandard == nullptr) {
        return strMetadata;
    }
    std::string strRecipients;
    for (const CRecipient& recipient : unit.recipients) {
        strRecipients += " << /CIP4_UniqueID (" + std::to_string(recipient.nCopy) + ")";
        for (const auto& field : recipient.fields) {
            strRecipients += " " + PdfName(field.first) + " " + PdfText(field.second);
        }
        strRecipients += " >>";
    }
    return strMetadata + " /CIP4_Root << /CIP4_Recipient " +
           (unit.bSheet ? "[" + strRecipients + " ]" : strRecipients.substr(1)) + " >>";
}

// What the page draws: its cards (on a sheet each moved to its slot and
// clipped at its bleed), then its crop marks.
bool CPdfWriter::PageContent(const CShownPage& page, std::string& strContent, std::string& strForms,
                             std::string& strError) {
    for (const CShownCard& card : page.cards) {
        if (page.bSheet) {
            const CCardPlace& place = card.place;
            strContent += "q " + Number(place.adClip[0]) + " " + Number(place.adClip[1]) + " " +
                          Number(place.adClip[2]) + " " + Number(place.adClip[3]) +
                          " re W n 1 0 0 1 " + Number(place.dX) + " " + Number(place.dY) + " cm\n";
        }
        if (!CardContent(card, strContent, strForms, strError)) {
            return false;
        }
        strContent += page.bSheet ? "Q\n" : "";
    }
    if (!page.marks.empty()) {
        strContent += "q 1 1 1 1 K " + Number(MarkWeight) + " w\n";
        for (const CMark& mark : page.marks) {
            strContent += Number(mark.dX0) + " " + Number(mark.dY0) + " m " + Number(mark.dX1) +
                          " " + Number(mark.dY1) + " l S\n";
        }
        strContent += "Q\n";
    }
    if (!page.finishing.bars.empty()) {
        DrawCode(page.finishing, strContent);
    }
    return true;
}

// The code's bars in the area's colour.
void CPdfWriter::DrawCode(const CShownValue& code, std::string& strContent) {
    const CAreaDefinition& area = *code.pArea;
    strContent += "q " + Number(area.fCyan) + " " + Number(area.fMagenta) + " " +
                  Number(area.fYellow) + " " + Number(area.fBlack) + " k\n";
    for (const CRectangle& bar : code.bars) {
        strContent += Number(bar.dX) + " " + Number(bar.dY) + " " + Number(bar.dWidth) + " " +
                      Number(bar.dHeight) + " re\n";
    }
    strContent += "f Q\n";
}

// The standard's objects the catalogue names: the XMP metadata and the
// output intent with its profile.
bool CPdfWriter::WriteStandard(int& nMetadata, int& nIntent) {
    nMetadata = m_pdf.NewObject();
    nIntent = m_pdf.NewObject();
    int nProfile = m_pdf.NewObject();
    const CPdfStandard& standard = *m_pStandard;
    std::string strSalt = std::to_string(m_nPageCount) + " " + m_job.strDataFile;
    std::string strPacked = Compressed(standard.profile.strData);
    return !strPacked.empty() &&
           m_pdf.Stream(nMetadata, "/Type /Metadata /Subtype /XML",
                        XmpPacket(standard, DocumentUuid(standard, strSalt),
                                  DocumentUuid(standard, strSalt + " instance"))) &&
           m_pdf.Object(nIntent, "<< /Type /OutputIntent /S /GTS_PDFX /OutputConditionIdentifier " +
                                     PdfText(standard.strCondition) + " /OutputCondition " +
                                     PdfText(standard.strConditionText) + " /Info " +
                                     PdfText(standard.strConditionText) +
                                     " /RegistryName (http://www.color.org) /DestOutputProfile " +
                                     Ref(nProfile) + " >>") &&
           m_pdf.Stream(nProfile, "/N 4 /Filter /FlateDecode", strPacked);
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
    int nMetadata = 0;
    int nIntent = 0;
    bWritten =
        bWritten && (m_pStandard == nullptr || WriteStandard(nMetadata, nIntent)) &&
        m_pdf.Object(m_nPages, "<< /Type /Pages /Kids [" + Refs(m_leaves) + " ] /Count " +
                                   std::to_string(m_nPageCount) + " >>") &&
        m_pdf.Object(m_nLabels, "<< /Kids [" + Refs(m_labelNodes) + " ] >>") &&
        m_pdf.Object(m_nPartRootNode, "<< /Type /DPart /Parent " + Ref(m_nPartRoot) + " /DParts [" +
                                          strParts + " ] >>") &&
        m_pdf.Object(m_nPartRoot,
                     "<< /Type /DPartRoot /DPartRootNode " + Ref(m_nPartRootNode) +
                         " /RecordLevel 1" +
                         (m_pStandard == nullptr
                              ? ""
                              : std::string(" /NodeNameList [/CIP4_Root /") +
                                    (m_pSheets != nullptr ? "Sheet" : "CIP4_Recipient") + "]") +
                         " >>") &&
        m_pdf.Object(m_nCatalog,
                     "<< /Type /Catalog /Pages " + Ref(m_nPages) + " /PageLabels " +
                         Ref(m_nLabels) + " /DPartRoot " + Ref(m_nPartRoot) +
                         (m_pStandard == nullptr ? ""
                                                 : " /Metadata " + Ref(nMetadata) +
                                                       " /OutputIntents [" + Ref(nIntent) + "]") +
                         " >>") &&
        m_pdf.Object(nInfo, "<< " +
                                (m_pStandard != nullptr ? InfoEntries(*m_pStandard)
                                                        : "/Producer (nebmerge) /Title " +
                                                              Literal(m_job.strDocDefFile)) +
                                " >>");
    if (!bWritten) {
        return Written(false, strError);
    }
    if (!m_fonts.Finish(strError) || !m_pdf.Finish(m_nCatalog, nInfo, strError)) {
        return false;
    }
    for (const std::string& strFont : m_fonts.Substituted()) {
        m_job.warnings.push_back("the font " + strFont +
                                 " has no program here: the PDF sets its text in Courier");
    }
    return true;
}
