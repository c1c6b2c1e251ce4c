#include "merge/job/Job.h"

#include "core/DocDefReader.h"
#include "merge/data/DataFormat.h"
#include "merge/files/InputFiles.h"
#include "merge/job/Finishing.h"

#include <unistd.h>

#include <algorithm>

namespace {

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
            if (SetsText(merge, ticket)) {
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

// The job's data fields, fillers left out, in order.
std::vector<std::string> DataFieldNames(const CDocDef& docDef) {
    std::vector<std::string> fields;
    docDef.fields.ForEachRecord([&](const CDataDefinition& record) {
        if (!IsFiller(record)) {
            fields.push_back(record.strName.Text());
        }
    });
    return fields;
}

// The data file's first bytes (up to nCount); false with a message when it
// cannot be read.
bool ReadStart(const std::string& strPath, size_t nCount, std::string& strStart,
               std::string& strError) {
    size_t nSize = 0;
    int nFile = OpenRegularFile(strPath, nSize, strError);
    if (nFile < 0) {
        strError = "cannot read the variable data input file " + strError;
        return false;
    }
    strStart.assign(std::min(nCount, nSize), '\0');
    size_t nHeld = 0;
    long nRead = 1;
    while (nHeld < strStart.size() &&
           (nRead = ReadSome(nFile, &strStart[nHeld], strStart.size() - nHeld)) > 0) {
        nHeld += static_cast<size_t>(nRead);
    }
    close(nFile);
    strStart.resize(nHeld);
    if (nRead < 0) {
        strError = "cannot read the variable data input file " + strPath;
    }
    return nRead >= 0;
}

// How the data file is read (see LoadJob); false with a message.
bool LoadDataLayout(CJob& job, std::string& strError) {
    const std::string& strPath = job.strDataFile;
    std::string strStart;
    if (!ReadStart(strPath, 1 << 16, strStart, strError)) {
        return false;
    }
    std::string strPacked = PackedKind(strStart);
    if (!strPacked.empty()) {
        strError = strPath + ": is " + strPacked +
                   ", not text, and is not read here: open it in its spreadsheet program, save "
                   "the sheet as CSV with the character set UTF-8 (\"CSV UTF-8\", or \"Text CSV\" "
                   "and UTF-8) and merge that file";
        return false;
    }
    DataFormat format = FormatOf(strPath, job.options.ticket.strData);
    if (format == DataFormat::Records) {
        return true;
    }
    size_t nSize = 0;
    int nFile = OpenRegularFile(strPath, nSize, strError);
    if (nFile < 0) {
        return false;
    }
    CDelimitedHeader header;
    char cSeparator = job.options.ticket.cSeparator != 0 ? job.options.ticket.cSeparator
                      : format == DataFormat::Tsv        ? '\t'
                                                         : 0;
    bool bRead = ReadHeader(
        [nFile](char* pBuffer, size_t nCount) { return ReadSome(nFile, pBuffer, nCount); },
        cSeparator, job.options.nMaxCopyBytes, header, strError);
    close(nFile);
    if (!bRead) {
        strError = strPath + ": " + strError;
        return false;
    }
    if (!MapColumns(header.names, DataFieldNames(job.docDef), job.options.ticket.columns,
                    job.data.columns, strError)) {
        strError = strPath + ": " + strError;
        return false;
    }
    job.data.bDelimited = true;
    job.data.cSeparator = header.cSeparator;
    if (header.form != TextForm::Bytes || (!job.options.bEncodingGiven && LooksUtf8(strStart))) {
        job.options.encoding = TextEncoding::Utf8;
    }
    std::vector<std::string> unused = job.data.columns.Unused();
    std::string strUnused;
    for (const std::string& strName : unused) {
        strUnused += (strUnused.empty() ? "\"" : ", \"") + strName + "\"";
    }
    if (!unused.empty()) {
        job.warnings.push_back(strPath + ": the job uses no column " + strUnused);
    }
    return true;
}

// The computed values: each template's text in the data's encoding, set by
// the area's merges, or (an area no Merge sets) on the pages of its master
// page; false with a message naming the area.
bool PlanComputedValues(CJob& job, std::string& strError) {
    for (const auto& value : job.options.ticket.values) {
        CNumbering numbering = value.second;
        for (CNumbering::CPart& part : numbering.parts) {
            if (!EncodeText(DecodeText(part.strText, TextEncoding::Utf8), job.options.encoding,
                            part.strText)) {
                strError = "the job ticket: value " + value.first +
                           ": a character the data's encoding " +
                           EncodingName(job.options.encoding) + " does not have";
                return false;
            }
        }
        job.numberings[value.first] = numbering;
    }
    job.docDef.areas.ForEachArea([&](const CAreaDefinition& area) {
        auto found = job.numberings.find(area.strName.Text());
        if (found == job.numberings.end()) {
            return;
        }
        bool bSet = false;
        for (CPlannedPage& page : job.pages) {
            for (CPlannedMerge& merge : page.merges) {
                if (merge.pArea == &area) {
                    merge.pNumbering = &found->second;
                    bSet = true;
                }
            }
        }
        for (CPlannedPage& page : job.pages) {
            if (!bSet && (job.pages.size() == 1 || atol(area.strPage.Text()) == page.nMasterPage)) {
                page.merges.push_back({area.strName.Text(), &area, nullptr, SIZE_MAX});
                page.merges.back().pNumbering = &found->second;
                bSet = true;
            }
        }
        if (!bSet && strError.empty()) {
            strError = std::string("the job ticket: value ") + area.strName.Text() +
                       ": the job takes no page of the master's page " + area.strPage.Text() +
                       ", where the area lies";
        }
    });
    return strError.empty();
}

// The recipient's fields, each with its place among the fields.
void PlanRecipient(CJob& job) {
    std::vector<std::string> fields = DataFieldNames(job.docDef);
    for (const std::string& strField : job.options.ticket.recipient) {
        size_t nOrdinal =
            static_cast<size_t>(std::find(fields.begin(), fields.end(), strField) - fields.begin());
        job.recipientFields.emplace_back(strField, nOrdinal);
    }
}

} // namespace

bool SetsText(const CPlannedMerge& merge, const CJobTicket& ticket) {
    return merge.pArea->nKind == KindText && ticket.Code(merge.pArea->strName.Text()) == nullptr &&
           (merge.pNumbering != nullptr || merge.pField->nStorage != StorageReference);
}

bool PlanJobSheets(const CJob& job, size_t nCopies, CSheetPlan& sheets, std::string& strError) {
    const CJobTicket& ticket = job.options.ticket;
    double dWidth = ticket.dCardWidth;
    double dHeight = ticket.dCardHeight;
    for (const CPlannedPage& page : job.pages) {
        dWidth = ticket.dCardWidth > 0 ? dWidth : std::max(dWidth, page.dWidth);
        dHeight = ticket.dCardHeight > 0 ? dHeight : std::max(dHeight, page.dHeight);
    }
    if (!PlanSheets(ticket, dWidth, dHeight, job.pages.size(), nCopies, sheets, strError)) {
        strError = "the press sheet: " + strError;
        return false;
    }
    CRectangle square{};
    return !ticket.bFinishingCode ||
           FinishingSquare(ticket, sheets.dWidth, sheets.dHeight, &sheets, square, strError);
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
    if (!LoadDataLayout(job, strError)) {
        return false;
    }
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
    if (!PlanComputedValues(job, strError)) {
        return false;
    }
    PlanRecipient(job);
    for (const CPlannedPage& page : job.pages) {
        CRectangle square{};
        if (options.ticket.bFinishingCode && !options.ticket.bImposed &&
            !FinishingSquare(options.ticket, page.dWidth, page.dHeight, nullptr, square,
                             strError)) {
            return false;
        }
    }
    job.pictures.reset(new CPictures(
        CPictureFolder(options.strPictures.empty() ? FolderOf(strDataFile) : options.strPictures,
                       options.nMaxFileBytes)));
    return true;
}
