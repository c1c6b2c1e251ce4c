#include "merge/Merge.h"

#include "core/PathParts.h"
#include "merge/check/Check.h"
#include "merge/files/Ghostscript.h"
#include "merge/files/InputFiles.h"
#include "merge/files/OutputFile.h"
#include "merge/output/WritePass.h"
#include "merge/pdf/PdfWriter.h"
#include "merge/postscript/PostScriptWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdlib>
#include <exception>
#include <functional>
#include <memory>
#include <new>

namespace {

bool ParseCopies(const std::string& strRange, int& nFirst, int& nLast) {
    size_t nDash = strRange.find('-');
    unsigned long long nFrom = 0;
    unsigned long long nTo = 0;
    bool bGood = ReadCount(strRange.substr(0, nDash).c_str(), INT_MAX, nFrom);
    nTo = nFrom;
    bGood = bGood && (nDash == std::string::npos ||
                      ReadCount(strRange.substr(nDash + 1).c_str(), INT_MAX, nTo));
    nFirst = static_cast<int>(nFrom);
    nLast = static_cast<int>(nTo);
    return bGood && nTo >= nFrom;
}

// The .ddf's name without its extension, with "-merged.ps".
std::string DefaultOutput(const std::string& strDocDef) {
    CPathParts parts = SplitPath(strDocDef);
    return parts.strDrive + parts.strFolder + parts.strName + "-merged.ps";
}

// Refuses an output that is one of the inputs or another output, before
// anything is written.
bool OutputsApart(const CMergeRequest& request, const CJob& job, std::string& strError) {
    std::vector<std::string> outputs;
    for (const std::string& strOutput : {request.strOut, request.strPdf}) {
        if (!strOutput.empty()) {
            outputs.push_back(strOutput);
        }
    }
    std::vector<std::string> inputs = {job.strDocDefFile, job.strDataFile, job.strMasterFile,
                                       request.strTicket};
    for (const CPicture& picture : job.pictures->All()) {
        inputs.push_back(picture.strPath);
    }
    for (size_t i = 0; i < outputs.size(); ++i) {
        std::string strOutput = CanonicalPath(outputs[i]);
        struct stat output;
        bool bExists = stat(outputs[i].c_str(), &output) == 0;
        for (const std::string& strInput : inputs) {
            if (strInput.empty()) {
                continue;
            }
            struct stat input;
            if (strOutput == CanonicalPath(strInput) ||
                (bExists && stat(strInput.c_str(), &input) == 0 && input.st_dev == output.st_dev &&
                 input.st_ino == output.st_ino)) {
                strError =
                    outputs[i] + ": is an input of the job (" + strInput + "); name another output";
                return false;
            }
        }
        for (size_t k = 0; k < i; ++k) {
            if (CanonicalPath(outputs[k]) == strOutput) {
                strError = outputs[i] + ": is named for two outputs";
                return false;
            }
        }
    }
    return true;
}

// The previews of the PDF, or of the PostScript without one, made in a
// folder of their own beside the prefix and moved to their names when all
// are made.
bool MakePreviews(const CMergeRequest& request, std::string& strError) {
    CWorkFolder folder;
    if (!folder.Make(request.strPng, strError)) {
        return false;
    }
    const std::string& strFolder = folder.Path();
    bool bMade =
        RunGhostscript({"-sDEVICE=png16m", "-r72",
                        "-sOutputFile=" + GhostscriptOutputName(strFolder + "/page") + "-%d.png"},
                       request.strPdf.empty() ? request.strOut : request.strPdf, "the merged file",
                       request.nGsSeconds, strError);
    for (int nPage = 1; bMade; ++nPage) {
        std::string strMade = strFolder + "/page-" + std::to_string(nPage) + ".png";
        if (access(strMade.c_str(), F_OK) != 0) {
            break;
        }
        std::string strFinal = request.strPng + "-" + std::to_string(nPage) + ".png";
        if (rename(strMade.c_str(), strFinal.c_str()) != 0) {
            strError = strFinal + ": cannot be written";
            bMade = false;
        }
    }
    return bMade;
}

// The job ticket: the file named, or the one beside the .ddf if there is
// one, with the options' keys set over it; false with a message.
bool LoadTicket(CMergeRequest& request, std::string& strError) {
    CJobTicket& ticket = request.job.ticket;
    std::string strPath = request.strTicket;
    if (strPath.empty() && access(TicketBeside(request.strDocDef).c_str(), F_OK) == 0) {
        strPath = request.strTicket = TicketBeside(request.strDocDef);
    }
    if (!strPath.empty() && !ReadTicket(strPath, request.job.nMaxFileBytes, ticket, strError)) {
        return false;
    }
    for (const auto& value : request.ticketValues) {
        if (!SetTicketValue(ticket, value.first, value.second, strError)) {
            return false;
        }
    }
    return true;
}

// Shows the copies (or sheets) done and how many a second on a terminal.
std::function<void(int)> Progress(FILE* pMessages, int nCopies, const char* pUnit) {
    bool bTerminal = isatty(fileno(pMessages)) != 0;
    auto started = std::chrono::steady_clock::now();
    return [=](int nDone) {
        if (!bTerminal || (nDone % 100 != 0 && nDone != nCopies)) {
            return;
        }
        double dSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        fprintf(pMessages, "\rnebmerge: %d of %d %s, %.0f %s/s", nDone, nCopies, pUnit,
                dSeconds > 0 ? nDone / dSeconds : 0.0, pUnit);
        if (nDone == nCopies) {
            fputc('\n', pMessages);
        }
    };
}

// Writes the outputs asked for (the PostScript, the PDF, both in one pass,
// then the previews) of the checked job's copies nFirst to nLast; false with
// a message.
bool WriteOutputs(const CMergeRequest& request, CJob& job, CFontMetrics& metrics, int nFirst,
                  int nLast, const CPdfStandard* pStandard, FILE* pMessages,
                  std::string& strError) {
    CSheetPlan sheets;
    const CSheetPlan* pSheets = nullptr;
    if (job.options.ticket.bImposed) {
        if (!PlanJobSheets(job, static_cast<size_t>(nLast - nFirst + 1), sheets, strError)) {
            return false;
        }
        pSheets = &sheets;
    }
    COutputFile merged;
    COutputFile pdf;
    std::unique_ptr<CPostScriptWriter> pPostScript;
    std::unique_ptr<CPdfWriter> pPdf;
    std::vector<IPageWriter*> writers;
    if (!request.strOut.empty()) {
        if (!merged.Open(request.strOut, strError)) {
            return false;
        }
        pPostScript = std::make_unique<CPostScriptWriter>(job, metrics, merged, pSheets);
        writers.push_back(pPostScript.get());
    }
    if (!request.strPdf.empty()) {
        if (!pdf.Open(request.strPdf, strError)) {
            return false;
        }
        // The forms' PostScript, made by the PostScript writer.
        auto source = [&](const std::vector<int>& masterPages,
                          const std::vector<CPicture*>& pictures, double dBleed, COutputFile& out,
                          std::string& strSourceError) {
            return WriteFormSource(job, masterPages, pictures, dBleed, metrics, out,
                                   strSourceError);
        };
        pPdf = std::make_unique<CPdfWriter>(job, metrics, pdf, pSheets, source, request.nGsSeconds,
                                            pStandard);
        writers.push_back(pPdf.get());
    }
    std::function<void(int)> progress =
        pSheets != nullptr ? Progress(pMessages, static_cast<int>(sheets.nSheets), "sheets")
                           : Progress(pMessages, nLast - nFirst + 1, "copies");
    size_t nWarned = job.warnings.size();
    if (!WritePass(job, metrics, nFirst, nLast, pSheets, writers, progress, strError) ||
        (pPostScript && !merged.Commit(strError)) || (pPdf && !pdf.Commit(strError))) {
        return false;
    }
    for (size_t i = nWarned; i < job.warnings.size(); ++i) {
        fprintf(pMessages, "nebmerge: %s\n", job.warnings[i].c_str());
    }
    return request.strPng.empty() || MakePreviews(request, strError);
}

int Fail(FILE* pMessages, const std::string& strError) {
    fprintf(pMessages, "nebmerge: %s\n", strError.c_str());
    return ExitCannotRun;
}

// Loads the ticket, the job and (for a PDF to the standard) the output
// intent's profile, and checks every copy, the report to pReport; the exit
// status the check gives, or ExitCannotRun with the message in strError.
int CheckJob(CMergeRequest& request, CJob& job, CFontMetrics& metrics, int nFirst, int nLast,
             CPdfStandard& standard, FILE* pReport, FILE* pMessages, std::string& strError) {
    CSheetPlan sheets;
    const CJobTicket& ticket = request.job.ticket;
    if (!LoadTicket(request, strError) ||
        !LoadJob(request.strDocDef, request.strData, request.job, job, strError) ||
        (!request.bCheckOnly && !request.strPdf.empty() && ticket.bPdfStandard &&
         !LoadPdfStandard(ticket, request.strDocDef, request.job.nMaxFileBytes, standard,
                          strError)) ||
        // Sheets that cannot hold the cards stop the run before the check.
        (job.options.ticket.bImposed && !PlanJobSheets(job, 1, sheets, strError))) {
        return ExitCannotRun;
    }
    CReport report(pReport, request.bJson, job.strDocDefFile, job.strDataFile);
    if (!CheckCopies(job, metrics, report, nFirst, nLast, strError)) {
        return ExitCannotRun;
    }
    report.Finish(job.nCopies, job.warnings);
    fflush(pReport);
    for (const std::string& strWarning : job.warnings) {
        fprintf(pMessages, "nebmerge: %s\n", strWarning.c_str());
    }
    return report.Problems() == 0 ? ExitClean : ExitProblems;
}

int Run(CMergeRequest& request, FILE* pReport, FILE* pMessages) {
    int nFirst = 1;
    int nLast = INT_MAX;
    if (!request.strCopies.empty() && !ParseCopies(request.strCopies, nFirst, nLast)) {
        return Fail(pMessages, "--copies " + request.strCopies + ": not N or N-M, from 1");
    }
    CJob job;
    CFontMetrics metrics;
    std::string strError;
    CPdfStandard standard;
    int nExit =
        CheckJob(request, job, metrics, nFirst, nLast, standard, pReport, pMessages, strError);
    if (nExit == ExitCannotRun) {
        return Fail(pMessages, strError);
    }
    if (request.bCheckOnly) {
        return nExit;
    }
    if (job.nCopies == 0) {
        return Fail(pMessages, request.strData + ": not one whole copy to merge");
    }
    nLast = request.strCopies.empty() ? static_cast<int>(job.nCopies) : nLast;
    if (static_cast<size_t>(nLast) > job.nCopies) {
        return Fail(pMessages, "--copies " + request.strCopies + ": the data holds copies 1 to " +
                                   std::to_string(job.nCopies));
    }
    if (request.strOut.empty() && request.strPdf.empty()) {
        request.strOut = DefaultOutput(request.strDocDef);
    }
    if (!OutputsApart(request, job, strError) ||
        !WriteOutputs(request, job, metrics, nFirst, nLast,
                      job.options.ticket.bPdfStandard ? &standard : nullptr, pMessages, strError)) {
        return Fail(pMessages, strError);
    }
    return nExit;
}

} // namespace

bool ReadCount(const char* pText, unsigned long long nMax, unsigned long long& nValue) {
    char* pEnd = nullptr;
    nValue = strtoull(pText, &pEnd, 10);
    return *pText >= '0' && *pText <= '9' && *pEnd == '\0' && nValue >= 1 && nValue <= nMax;
}

int RunMerge(CMergeRequest request, FILE* pReport, FILE* pMessages) {
    try {
        return Run(request, pReport, pMessages);
    } catch (const std::bad_alloc&) {
        return Fail(pMessages, "out of memory (the limits --max-file-bytes and --max-copy-bytes "
                               "bound what is held)");
    } catch (const std::exception& error) {
        return Fail(pMessages, std::string("cannot go on: ") + error.what());
    } catch (...) {
        return Fail(pMessages, "cannot go on: an unexpected error");
    }
}
