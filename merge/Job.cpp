#include "Job.h"

#include "InputFiles.h"
#include "TextLayout.h"
#include "core/DocDefReader.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string Points(double dPoints) {
    char szText[32];
    snprintf(szText, sizeof szText, "%.1f", dPoints);
    return szText;
}

// The problem of a text value in its area, if any: a character the font
// cannot show, or text that runs out of the area.
bool TextProblem(CJob& job, const CAreaDefinition& area, const std::string& strValue,
                 CFontMetrics& metrics, DataProblem& kind, std::string& strDetail) {
    CTextLayout layout = LayOutText(area, strValue, metrics, job.options.encoding);
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
        if (merge.pField->nStorage == StorageReference || area.nKind == KindGraphic) {
            CPicture* pPicture =
                job.pictures->Find(pValue->strText, problem.kind, problem.strDetail);
            bFound = pPicture == nullptr;
            if (pPicture != nullptr && copy.nNumber >= nFirst && copy.nNumber <= nLast) {
                ++pPicture->nUses;
            }
        } else {
            bFound =
                TextProblem(job, area, pValue->strText, metrics, problem.kind, problem.strDetail);
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

} // namespace

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
    job.merges = JobMerges(job.docDef);
    job.pictures.reset(new CPictures(
        CPictureFolder(options.strPictures.empty() ? FolderOf(strDataFile) : options.strPictures,
                       options.nMaxFileBytes)));
    return true;
}

bool ForEachCopy(const CJob& job,
                 const std::function<bool(const CDataCopy*, std::vector<CProblem>&)>& visit,
                 std::string& strError) {
    size_t nSize = 0;
    int nFile = OpenRegularFile(job.strDataFile, nSize, strError);
    if (nFile < 0) {
        return false;
    }
    CCopySource source(
        job.docDef.fields,
        [nFile](char* pBuffer, size_t nCount) { return ReadSome(nFile, pBuffer, nCount); },
        job.options.nMaxCopyBytes);
    CDataCopy copy;
    std::vector<CProblem> problems;
    bool bGoOn = true;
    while (bGoOn && source.Next(copy, problems)) {
        bGoOn = visit(&copy, problems);
        problems.clear();
    }
    // The problems of a copy that ended the cutting.
    if (bGoOn && !problems.empty()) {
        visit(nullptr, problems);
    }
    close(nFile);
    if (source.ReadFailed()) {
        strError = job.strDataFile + ": cannot be read to its end";
        return false;
    }
    return true;
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
            report.Problem(problem);
        }
        return true;
    };
    return ForEachCopy(job, check, strError);
}
