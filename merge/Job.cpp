#include "Job.h"

#include "InputFiles.h"
#include "TextLayout.h"
#include "core/DocDefReader.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

std::string Points(double dPoints) {
    char szText[32];
    snprintf(szText, sizeof szText, "%.1f", dPoints);
    return szText;
}

// The problem of a text value in its area, if any: a character the font
// cannot show, or text that runs out of the area.
bool TextProblem(CJob& job, const CPlannedMerge& merge, const std::string& strValue,
                 CFontMetrics& metrics, DataProblem& kind, std::string& strDetail) {
    const CAreaDefinition& area = *merge.pArea;
    CTextLayout layout = LayOutValue(job, merge, strValue, metrics);
    // Whatever the font, a byte that is no character of the encoding.
    if (layout.missing == BadByte) {
        kind = DataProblem::BadCharacter;
        strDetail =
            std::string("a byte that is no character in ") + EncodingName(job.options.encoding);
        return true;
    }
    if (!layout.bMeasured) {
        if (job.unmeasuredAreas.insert(area.strName.Text()).second) {
            job.warnings.push_back(std::string("area ") + area.strName.Text() +
                                   ": no metrics for the font " + area.strFont.Text() +
                                   ", its text is not measured");
        }
        return false;
    }
    if (layout.missing != 0) {
        std::string strName = GlyphName(layout.missing);
        kind = DataProblem::BadCharacter;
        strDetail = CodePoint(layout.missing) + (strName.empty() ? "" : " (" + strName + ")") +
                    " cannot be shown in the font " + area.strFont.Text() + " of area " +
                    area.strName.Text();
        return true;
    }
    kind = DataProblem::TextOverflow;
    if (layout.dOverWidth > 0.05) {
        strDetail = "runs " + Points(layout.dOverWidth) + " pt past the width of area " +
                    area.strName.Text();
    }
    if (layout.dOverHeight > 0.05) {
        strDetail += std::string(strDetail.empty() ? "runs " : ", and ") +
                     Points(layout.dOverHeight) + " pt below the bottom of area " +
                     area.strName.Text();
    }
    return !strDetail.empty();
}

// Adds the copy's problems in its areas to those its cutting found.
void CheckCopy(CJob& job, const CDataCopy& copy, CFontMetrics& metrics, int nFirst, int nLast,
               std::vector<CProblem>& problems) {
    const size_t nCutProblems = problems.size();
    for (const CPlannedMerge& merge : job.merges) {
        const CFieldValue* pValue = copy.Value(merge.nOrdinal, merge.strField);
        if (pValue == nullptr || pValue->strText.empty()) {
            continue;
        }
        CProblem problem{DataProblem::MissingEps, copy.nNumber, pValue->strField, pValue->place,
                         ""};
        const CAreaDefinition& area = *merge.pArea;
        bool bFound = false;
        const CCodeSpec* pCode = job.options.ticket.Code(area.strName.Text());
        if (pCode != nullptr) {
            CCodeSymbol symbol;
            bFound =
                !CodeOfValue(job, *pCode, pValue->strText, symbol, problem.kind, problem.strDetail);
            problem.strDetail =
                std::string("area ") + area.strName.Text() + ": " + problem.strDetail;
        } else if (merge.pField->nStorage == StorageReference || area.nKind == KindGraphic) {
            CPicture* pPicture =
                job.pictures->Find(pValue->strText, problem.kind, problem.strDetail);
            bFound = pPicture == nullptr;
            if (pPicture != nullptr && copy.nNumber >= nFirst && copy.nNumber <= nLast) {
                ++pPicture->nUses;
            }
        } else {
            bFound =
                TextProblem(job, merge, pValue->strText, metrics, problem.kind, problem.strDetail);
        }
        // A value that goes to several areas has a picture or character
        // problem once.
        bool bKnown =
            problem.kind != DataProblem::TextOverflow &&
            std::any_of(problems.begin() + static_cast<std::ptrdiff_t>(nCutProblems),
                        problems.end(), [&](const CProblem& other) {
                            return other.strField == problem.strField && other.kind == problem.kind;
                        });
        if (bFound && !bKnown) {
            problems.push_back(problem);
        }
    }
}

// A block of line areas: text areas of a page set one below the other, each
// overlapping the one above across and its top within that one's height (or
// leading) of it, as an address block is; areas side by side on a line (City
// and Zip) each lie below the same one. Each value learns the nearest value
// above it in its block.
void PlanLineBlocks(CJob& job) {
    const CJobTicket& ticket = job.options.ticket;
    for (CPlannedPage& page : job.pages) {
        std::vector<int> lines;
        for (size_t i = 0; i < page.merges.size(); ++i) {
            const CPlannedMerge& merge = page.merges[i];
            if (merge.pArea->nKind == KindText && merge.pField->nStorage != StorageReference &&
                ticket.Code(merge.pArea->strName.Text()) == nullptr) {
                lines.push_back(static_cast<int>(i));
            }
        }
        std::stable_sort(lines.begin(), lines.end(), [&](int a, int b) {
            return page.merges[a].pArea->fTop < page.merges[b].pArea->fTop;
        });
        for (size_t k = 0; k < lines.size(); ++k) {
            CPlannedMerge& below = page.merges[lines[k]];
            const CAreaDefinition& area = *below.pArea;
            for (size_t j = k; j-- > 0;) {
                const CPlannedMerge& above = page.merges[lines[j]];
                double dPitch = area.fTop - above.pArea->fTop;
                bool bAcross = above.pArea->fLeft < area.fLeft + area.fWidth &&
                               area.fLeft < above.pArea->fLeft + above.pArea->fWidth;
                if (bAcross && dPitch > 0 &&
                    dPitch <= std::max(above.pArea->fHeight, above.pArea->fSpacing) + 0.5) {
                    below.nAbove = lines[j];
                    below.dPitch = dPitch;
                    page.bClosesUp = page.bClosesUp || ticket.optional.count(above.strField) != 0;
                    break;
                }
            }
        }
    }
}

bool IsEmpty(const CFieldValue* pValue) {
    return pValue == nullptr || pValue->strText.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The data file read copy by copy, from its start.
class CCopyReader {
  public:
    explicit CCopyReader(const CJob& job) : m_job(job) {}
    ~CCopyReader() {
        if (m_nFile >= 0) {
            close(m_nFile);
        }
    }
    CCopyReader(const CCopyReader&) = delete;
    CCopyReader& operator=(const CCopyReader&) = delete;

    bool Open(std::string& strError) {
        size_t nSize = 0;
        m_nFile = OpenRegularFile(m_job.strDataFile, nSize, strError);
        if (m_nFile < 0) {
            return false;
        }
        int nFile = m_nFile;
        m_pSource = std::make_unique<CCopySource>(
            m_job.docDef.fields,
            [nFile](char* pBuffer, size_t nCount) { return ReadSome(nFile, pBuffer, nCount); },
            m_job.options.nMaxCopyBytes);
        return true;
    }
    bool Next(CDataCopy& copy, std::vector<CProblem>& problems) {
        return m_pSource->Next(copy, problems);
    }
    // False with a message when the data could not be read to its end.
    bool ReadToEnd(std::string& strError) const {
        if (m_pSource->ReadFailed()) {
            strError = m_job.strDataFile + ": cannot be read to its end";
        }
        return !m_pSource->ReadFailed();
    }

  private:
    const CJob& m_job;
    int m_nFile = -1;
    std::unique_ptr<CCopySource> m_pSource;
};

// How far each value of the page moves up (points, by merge) because an
// optional field above it in its block of line areas is empty; empty when
// nothing on the page moves.
std::vector<double> LineShifts(const CPlannedPage& page, const CJob& job, const CDataCopy& copy) {
    std::vector<double> shifts;
    if (!page.bClosesUp) {
        return shifts;
    }
    // Up the block from each value: every empty optional field above it
    // closes up the distance to the area below that field.
    shifts.assign(page.merges.size(), 0);
    for (size_t i = 0; i < page.merges.size(); ++i) {
        for (const CPlannedMerge* pBelow = &page.merges[i]; pBelow->nAbove >= 0;
             pBelow = &page.merges[static_cast<size_t>(pBelow->nAbove)]) {
            const CPlannedMerge& above = page.merges[static_cast<size_t>(pBelow->nAbove)];
            if (job.options.ticket.optional.count(above.strField) != 0 &&
                IsEmpty(copy.Value(above.nOrdinal, above.strField))) {
                shifts[i] += pBelow->dPitch;
            }
        }
    }
    return shifts;
}

} // namespace

CTextLayout LayOutValue(const CJob& job, const CPlannedMerge& merge, const std::string& strValue,
                        CFontMetrics& metrics) {
    const CAreaDefinition& area = *merge.pArea;
    const CJobTicket& ticket = job.options.ticket;
    std::string strClosed;
    const std::string* pValue = &strValue;
    if (ticket.optional.count(merge.strField) != 0 && strValue.find('\n') != std::string::npos) {
        // An empty line of an optional field is closed up.
        size_t nStart = 0;
        while (nStart <= strValue.size()) {
            size_t nEnd = std::min(strValue.find('\n', nStart), strValue.size());
            std::string strLine = strValue.substr(nStart, nEnd - nStart);
            if (strLine.find_first_not_of(" \t\r") != std::string::npos) {
                strClosed += (strClosed.empty() ? "" : "\n") + strLine;
            }
            nStart = nEnd + 1;
        }
        pValue = &strClosed;
    }
    const CFitSpec* pFit = ticket.Fit(area.strName.Text());
    return pFit != nullptr ? FitText(area, *pValue, metrics, job.options.encoding, pFit->dMinSize)
                           : LayOutText(area, *pValue, metrics, job.options.encoding);
}

bool ForEachSheet(
    const CJob& job, const CSheetPlan& plan, int nFirst,
    const std::function<bool(size_t nSheet, const std::vector<const CDataCopy*>&)>& write,
    const std::function<void(int nDone)>& progress, std::string& strError) {
    const int nSlots = plan.Slots();
    const bool bPiles = plan.order == StackOrder::CutStack && nSlots > 1;
    std::vector<std::unique_ptr<CCopyReader>> readers;
    std::vector<CProblem> problems;
    std::vector<CDataCopy> copies(static_cast<size_t>(nSlots));
    for (int nSlot = 0; nSlot < (bPiles ? nSlots : 1); ++nSlot) {
        readers.push_back(std::make_unique<CCopyReader>(job));
        long nSkip = nFirst - 1 + (bPiles ? plan.PileStart(nSlot) : 0);
        if (!readers.back()->Open(strError)) {
            return false;
        }
        for (long n = 0; n < nSkip && readers.back()->Next(copies[0], problems); ++n) {
            problems.clear();
        }
    }
    std::vector<const CDataCopy*> slots(static_cast<size_t>(nSlots));
    for (size_t nSheet = 0; nSheet < plan.nSheets; ++nSheet) {
        for (int nSlot = 0; nSlot < nSlots; ++nSlot) {
            long nCopy = plan.CopyAt(nSheet, nSlot);
            CDataCopy& copy = copies[static_cast<size_t>(nSlot)];
            slots[static_cast<size_t>(nSlot)] = nCopy < 0 ? nullptr : &copy;
            if (nCopy >= 0 &&
                (!readers[bPiles ? static_cast<size_t>(nSlot) : 0]->Next(copy, problems) ||
                 copy.nNumber != nFirst + nCopy)) {
                strError = job.strDataFile + ": changed while it was merged";
                return false;
            }
            problems.clear();
        }
        if (!write(nSheet, slots)) {
            return false;
        }
        if (progress) {
            progress(static_cast<int>(nSheet + 1));
        }
    }
    return true;
}

bool ForEachCard(
    const CJob& job, const CSheetPlan& plan, const std::vector<const CDataCopy*>& slots, int nSide,
    const std::function<bool(const CDataCopy&, const CPlannedPage&, const CCardPlace&)>& draw) {
    if (static_cast<size_t>(nSide) >= job.pages.size()) {
        return true;
    }
    const CPlannedPage& page = job.pages[static_cast<size_t>(nSide)];
    for (size_t nSlot = 0; nSlot < slots.size(); ++nSlot) {
        if (slots[nSlot] != nullptr &&
            !draw(*slots[nSlot], page,
                  plan.Place(static_cast<int>(nSlot), nSide, page.dWidth, page.dHeight))) {
            return false;
        }
    }
    return true;
}

bool DrawValues(const CJob& job, const CPlannedPage& page, const CDataCopy& copy,
                IValueDrawing& drawing, std::string& strError) {
    std::vector<double> shifts = LineShifts(page, job, copy);
    for (size_t i = 0; i < page.merges.size(); ++i) {
        const CPlannedMerge& merge = page.merges[i];
        const CFieldValue* pValue = copy.Value(merge.nOrdinal, merge.strField);
        if (pValue == nullptr || pValue->strText.empty()) {
            continue;
        }
        const CAreaDefinition& area = *merge.pArea;
        const CCodeSpec* pCode = job.options.ticket.Code(area.strName.Text());
        std::string strDetail;
        bool bDrawn = true;
        if (pCode != nullptr) {
            CCodeSymbol symbol;
            DataProblem kind;
            bDrawn = CodeOfValue(job, *pCode, pValue->strText, symbol, kind, strDetail);
            if (bDrawn) {
                drawing.DrawCode(area, symbol, page.dHeight);
            }
        } else if (area.nKind == KindGraphic || merge.pField->nStorage == StorageReference) {
            bDrawn = drawing.DrawPicture(area, pValue->strText, page.dHeight, strDetail);
        } else if (shifts.empty() || shifts[i] == 0) {
            drawing.SetText(merge, area, pValue->strText, page.dHeight);
        } else {
            CAreaDefinition moved = area;
            moved.fTop = static_cast<float>(moved.fTop - shifts[i]);
            drawing.SetText(merge, moved, pValue->strText, page.dHeight);
        }
        if (!bDrawn) {
            strError = "copy " + std::to_string(copy.nNumber) + ", field " + pValue->strField +
                       ": " + strDetail;
            return false;
        }
    }
    return true;
}

bool CodeOfValue(const CJob& job, const CCodeSpec& code, const std::string& strValue,
                 CCodeSymbol& symbol, DataProblem& kind, std::string& strDetail) {
    std::u32string strChars = DecodeText(strValue, job.options.encoding);
    if (std::find(strChars.begin(), strChars.end(), BadByte) != strChars.end()) {
        kind = DataProblem::BadCharacter;
        strDetail =
            std::string("a byte that is no character in ") + EncodingName(job.options.encoding);
        return false;
    }
    kind = DataProblem::InvalidCode;
    return MakeCodeSymbol(code, ToUtf8(strChars), symbol, strDetail);
}

std::string MasterPath(const CJob& job) {
    const std::string strNamed = MasterNamed(job.docDef);
    std::string strUnix = strNamed;
    std::replace(strUnix.begin(), strUnix.end(), '\\', '/');
    std::vector<std::string> candidates;
    // Beside the .ddf first: a job moved with its master, a Windows path, a
    // relative name.
    bool bDrive = strUnix.size() > 2 && strUnix[1] == ':';
    std::string strBeside = bDrive ? strUnix.substr(strUnix.find_last_of('/') + 1) : strUnix;
    if (!strBeside.empty() && strBeside[0] != '/') {
        candidates.push_back(FolderOf(job.strDocDefFile) + "/" + strBeside);
    }
    if (bDrive && (strUnix[0] == 'z' || strUnix[0] == 'Z')) {
        candidates.push_back(strUnix.substr(2));
    } else if (!bDrive && !strUnix.empty() && strUnix[0] == '/') {
        candidates.push_back(strUnix);
    }
    for (const std::string& strPath : candidates) {
        if (access(strPath.c_str(), R_OK) == 0) {
            return strPath;
        }
    }
    return candidates.empty() ? strNamed : candidates.front();
}

bool LoadJob(const std::string& strDocDefFile, const std::string& strDataFile,
             const CJobOptions& options, CJob& job, std::string& strError) {
    job.strDocDefFile = strDocDefFile;
    job.strDataFile = strDataFile;
    job.options = options;
    std::string strText;
    if (!ReadWholeFile(strDocDefFile, options.nMaxFileBytes, strText, strError)) {
        strError = "cannot read the document definition " + strError;
        return false;
    }
    if (!ReadDocDefText(strText, job.docDef, strError)) {
        strError = strDocDefFile + ": " + strError;
        return false;
    }
    if (job.docDef.fields.Count() == 0) {
        strError = strDocDefFile + ": the job defines no data field";
        return false;
    }
    if (!CheckAreaNumbers(job.docDef, strError)) {
        strError = strDocDefFile + ": " + strError;
        return false;
    }
    size_t nSize = 0;
    int nData = OpenRegularFile(strDataFile, nSize, strError);
    if (nData < 0) {
        strError = "cannot read the variable data input file " + strError;
        return false;
    }
    close(nData);
    job.strMasterFile = options.strMaster.empty() ? MasterPath(job) : options.strMaster;
    std::string strMaster;
    if (!ReadWholeFile(job.strMasterFile, options.nMaxFileBytes, strMaster, strError)) {
        strError = "cannot read the PostScript master " + strError + " (give it with --ps)";
        return false;
    }
    if (!ReadMasterPages(strMaster, job.master, strError) ||
        !PlanPages(job.docDef, static_cast<int>(job.master.pages.size()), job.pages, strError)) {
        strError = job.strMasterFile + ": " + strError;
        return false;
    }
    if (!CheckTicketNames(options.ticket, job.docDef, strError)) {
        strError = "the job ticket: " + strError;
        return false;
    }
    job.merges = JobMerges(job.docDef);
    PlanLineBlocks(job);
    job.pictures.reset(new CPictures(
        CPictureFolder(options.strPictures.empty() ? FolderOf(strDataFile) : options.strPictures,
                       options.nMaxFileBytes)));
    return true;
}

bool ForEachCopy(const CJob& job,
                 const std::function<bool(const CDataCopy*, std::vector<CProblem>&)>& visit,
                 std::string& strError) {
    CCopyReader reader(job);
    if (!reader.Open(strError)) {
        return false;
    }
    CDataCopy copy;
    std::vector<CProblem> problems;
    bool bGoOn = true;
    while (bGoOn && reader.Next(copy, problems)) {
        bGoOn = visit(&copy, problems);
        problems.clear();
    }
    // The problems of a copy that ended the cutting.
    if (bGoOn && !problems.empty()) {
        visit(nullptr, problems);
    }
    return reader.ReadToEnd(strError);
}

bool ForEachCopyInRange(const CJob& job, int nFirst, int nLast,
                        const std::function<bool(const CDataCopy&)>& write,
                        const std::function<void(int nDone)>& progress, std::string& strError) {
    bool bWritten = true;
    auto visit = [&](const CDataCopy* pCopy, std::vector<CProblem>&) {
        if (pCopy == nullptr || pCopy->nNumber < nFirst) {
            return true;
        }
        bWritten = write(*pCopy);
        if (bWritten && progress) {
            progress(pCopy->nNumber - nFirst + 1);
        }
        return bWritten && pCopy->nNumber < nLast;
    };
    return ForEachCopy(job, visit, strError) && bWritten;
}

bool CheckCopies(CJob& job, CFontMetrics& metrics, CReport& report, int nFirst, int nLast,
                 std::string& strError) {
    job.nCopies = 0;
    auto check = [&](const CDataCopy* pCopy, std::vector<CProblem>& problems) {
        if (pCopy != nullptr) {
            ++job.nCopies;
            CheckCopy(job, *pCopy, metrics, nFirst, nLast, problems);
        }
        for (const CProblem& problem : problems) {
            if (problem.kind != DataProblem::EmptyValue ||
                job.options.ticket.optional.count(problem.strField) == 0) {
                report.Problem(problem);
            }
        }
        return true;
    };
    return ForEachCopy(job, check, strError);
}
