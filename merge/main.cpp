// nebmerge: turns a variable data job into personalised copies.
// The job's document definition, its PostScript master and the variable
// data input file are read, the data cut into copies and every copy checked
// against the job's areas (always, before anything is merged); the report
// goes to standard output, as text or, with --json, as JSON. With --check
// nothing else is done. Otherwise the chosen copies (all by default) are
// merged into a PDF for the press (--pdf), into one PostScript file (--out;
// without --pdf, by default the .ddf's name with "-merged.ps"), or both, and
// with --png Ghostscript makes a PNG of each page (PREFIX-1.png, ...) from
// the PDF, or from the PostScript when there is no PDF. The job ticket
// (JOB.ticket.json beside the .ddf, or --ticket) and the options that share
// its keys lay the copies on press sheets, shrink text to fit, let fields be
// empty and draw areas as codes. The data file, its pictures and the master
// come from customers: see README for what is refused and why.
// Exit codes: 0 clean, 1 problems in the data, 2 the job cannot be run (a
// file that cannot be read or written, a job that does not hold together,
// wrong arguments, anything that went wrong).
#include "FontMetrics.h"
#include "Ghostscript.h"
#include "InputFiles.h"
#include "Job.h"
#include "MergeWriter.h"
#include "OutputFile.h"
#include "PdfWriter.h"
#include "Ticket.h"
#include "core/PathParts.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr int ExitClean = 0;
constexpr int ExitProblems = 1;
constexpr int ExitCannotRun = 2;

struct CArguments {
    std::string strDocDef;
    std::string strData;
    bool bCheckOnly = false;
    bool bJson = false;
    std::string strCopies;
    std::string strOut;
    std::string strPdf;
    std::string strPng;
    int nGsSeconds = 3600;
    CJobOptions job;
    std::string strTicket;
    // The ticket's keys given as options, set over the ticket's in order.
    std::vector<std::pair<std::string, std::string>> ticketValues;
};

// An option that sets the ticket's key of its name.
bool TicketOption(CArguments& arguments, const char* pOption, const std::string& strValue) {
    std::string strKey = pOption + 2;
    CJobTicket scratch;
    std::string strError;
    arguments.ticketValues.emplace_back(strKey, strValue);
    return SetTicketValue(scratch, strKey, strValue, strError);
}

// A count given on the command line: digits only, from 1 to nMax.
bool Count(const char* pText, unsigned long long nMax, unsigned long long& nValue) {
    char* pEnd = nullptr;
    nValue = strtoull(pText, &pEnd, 10);
    return *pText >= '0' && *pText <= '9' && *pEnd == '\0' && nValue >= 1 && nValue <= nMax;
}

// One entry gives both the parsing and the usage of an option.
struct COption {
    const char* pName;
    const char* pValue; // the value's name in the usage; null for a switch
    const char* pHelp;
    std::function<bool(CArguments&, const char*)> set;
};

const COption Options[] = {
    {"--check", nullptr, "check the data against the job, merge nothing",
     [](CArguments& a, const char*) { return a.bCheckOnly = true; }},
    {"--json", nullptr, "the report as JSON",
     [](CArguments& a, const char*) { return a.bJson = true; }},
    {"--ps", "MASTER.ps", "the PostScript master (default: the one the job names)",
     [](CArguments& a, const char* p) { return !(a.job.strMaster = p).empty(); }},
    {"--encoding", "NAME", "the data file's encoding: windows-1252 (default), iso-8859-1, utf-8",
     [](CArguments& a, const char* p) { return ParseEncoding(p, a.job.encoding); }},
    {"--pictures", "DIR", "the folder of the pictures the data names (default: the data's)",
     [](CArguments& a, const char* p) { return !(a.job.strPictures = p).empty(); }},
    {"--max-file-bytes", "N", "the largest .ddf, master or picture read (default 256 MiB)",
     [](CArguments& a, const char* p) {
         unsigned long long n = 0;
         return Count(p, 1ull << 40, n) && (a.job.nMaxFileBytes = n) > 0;
     }},
    {"--max-copy-bytes", "N", "the longest copy of the data file (default 1 MiB)",
     [](CArguments& a, const char* p) {
         unsigned long long n = 0;
         return Count(p, 1ull << 32, n) && (a.job.nMaxCopyBytes = n) > 0;
     }},
    {"--copies", "N|N-M", "the copies to merge (default: all)",
     [](CArguments& a, const char* p) { return !(a.strCopies = p).empty(); }},
    {"--out", "MERGED.ps", "the merged PostScript (default without --pdf: JOB-merged.ps)",
     [](CArguments& a, const char* p) { return !(a.strOut = p).empty(); }},
    {"--pdf", "FILE", "the merged copies as a PDF: shared pages once, a part per copy",
     [](CArguments& a, const char* p) { return !(a.strPdf = p).empty(); }},
    {"--png", "PREFIX", "a 72 dpi preview of each page (of the PDF): PREFIX-1.png, ...",
     [](CArguments& a, const char* p) { return !(a.strPng = p).empty(); }},
    {"--gs-timeout", "SECONDS", "how long Ghostscript may run (default 3600)",
     [](CArguments& a, const char* p) {
         unsigned long long n = 0;
         return Count(p, 1u << 30, n) && (a.nGsSeconds = static_cast<int>(n)) > 0;
     }},
    {"--ticket", "FILE", "the job ticket (default: JOB.ticket.json beside the .ddf, if any)",
     [](CArguments& a, const char* p) { return !(a.strTicket = p).empty(); }},
    {"--sheet", "NAME|WxH", "press sheets: Letter, Tabloid, A4, A3, SRA3 or points",
     [](CArguments& a, const char* p) { return TicketOption(a, "--sheet", p); }},
    {"--card", "WxH", "the card's trim size, centred on the page (default: the page's)",
     [](CArguments& a, const char* p) { return TicketOption(a, "--card", p); }},
    {"--impose", "CxR|auto", "cards across and down a sheet (default auto: as many as fit)",
     [](CArguments& a, const char* p) { return TicketOption(a, "--impose", p); }},
    {"--order", "cut-stack|in-order", "the copies' order on the sheets (default cut-stack)",
     [](CArguments& a, const char* p) { return TicketOption(a, "--order", p); }},
    {"--marks", nullptr, "crop marks at the trim lines",
     [](CArguments& a, const char*) { return TicketOption(a, "--marks", "true"); }},
    {"--bleed", "PT", "what is drawn past each card's trim (default 0)",
     [](CArguments& a, const char* p) { return TicketOption(a, "--bleed", p); }},
    {"--gutter", "PT", "the space between the cards' bleeds (default 0)",
     [](CArguments& a, const char* p) { return TicketOption(a, "--gutter", p); }},
    {"--duplex", nullptr, "each card's back behind its front (work and turn)",
     [](CArguments& a, const char*) { return TicketOption(a, "--duplex", "true"); }},
    {"--fit", "AREA=shrink[:MIN]", "shrink the text of the area (or all) to fit, to MIN pt (6)",
     [](CArguments& a, const char* p) { return TicketOption(a, "--fit", p); }},
    {"--optional", "FIELD", "the field may be empty; its empty lines are closed up",
     [](CArguments& a, const char* p) { return TicketOption(a, "--optional", p); }},
    {"--code", "AREA=KIND",
     "draw the area as qr[:L|M|Q|H], code128, ean13, upca, datamatrix, pdf417",
     [](CArguments& a, const char* p) { return TicketOption(a, "--code", p); }},
};

int Usage() {
    fputs("usage: nebmerge JOB.ddf DATA-FILE [options]\n", stderr);
    for (const COption& option : Options) {
        std::string strForm = std::string(option.pName) +
                              (option.pValue != nullptr ? std::string(" ") + option.pValue : "");
        fprintf(stderr, "  %-28s %s\n", strForm.c_str(), option.pHelp);
    }
    return ExitCannotRun;
}

bool ParseArguments(int argc, char** argv, CArguments& arguments) {
    if (argc < 3) {
        return false;
    }
    arguments.strDocDef = argv[1];
    arguments.strData = argv[2];
    for (int i = 3; i < argc; ++i) {
        const COption* pFound = nullptr;
        for (const COption& option : Options) {
            pFound = argv[i] == std::string(option.pName) ? &option : pFound;
        }
        if (pFound == nullptr || (pFound->pValue != nullptr && i + 1 >= argc)) {
            return false;
        }
        const char* pValue = pFound->pValue != nullptr ? argv[++i] : "";
        if (!pFound->set(arguments, pValue)) {
            fprintf(stderr, "nebmerge: %s %s: not a value it takes\n", pFound->pName, pValue);
            return false;
        }
    }
    return true;
}

int Fail(const std::string& strError) {
    fprintf(stderr, "nebmerge: %s\n", strError.c_str());
    return ExitCannotRun;
}

bool ParseCopies(const std::string& strRange, int& nFirst, int& nLast) {
    size_t nDash = strRange.find('-');
    unsigned long long nFrom = 0;
    unsigned long long nTo = 0;
    bool bGood = Count(strRange.substr(0, nDash).c_str(), INT_MAX, nFrom);
    nTo = nFrom;
    bGood = bGood &&
            (nDash == std::string::npos || Count(strRange.substr(nDash + 1).c_str(), INT_MAX, nTo));
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
bool OutputsApart(const CArguments& arguments, const CJob& job, std::string& strError) {
    std::vector<std::string> outputs;
    for (const std::string& strOutput : {arguments.strOut, arguments.strPdf}) {
        if (!strOutput.empty()) {
            outputs.push_back(strOutput);
        }
    }
    std::vector<std::string> inputs = {job.strDocDefFile, job.strDataFile, job.strMasterFile,
                                       arguments.strTicket};
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
bool MakePreviews(const CArguments& arguments, std::string& strError) {
    CWorkFolder folder;
    if (!folder.Make(arguments.strPng, strError)) {
        return false;
    }
    const std::string& strFolder = folder.Path();
    bool bMade =
        RunGhostscript({"-sDEVICE=png16m", "-r72",
                        "-sOutputFile=" + GhostscriptOutputName(strFolder + "/page") + "-%d.png"},
                       arguments.strPdf.empty() ? arguments.strOut : arguments.strPdf,
                       "the merged file", arguments.nGsSeconds, strError);
    for (int nPage = 1; bMade; ++nPage) {
        std::string strMade = strFolder + "/page-" + std::to_string(nPage) + ".png";
        if (access(strMade.c_str(), F_OK) != 0) {
            break;
        }
        std::string strFinal = arguments.strPng + "-" + std::to_string(nPage) + ".png";
        if (rename(strMade.c_str(), strFinal.c_str()) != 0) {
            strError = strFinal + ": cannot be written";
            bMade = false;
        }
    }
    return bMade;
}

// The job ticket: the file named, or the one beside the .ddf if there is
// one, with the options' keys set over it; false with a message.
bool LoadTicket(CArguments& arguments, std::string& strError) {
    CJobTicket& ticket = arguments.job.ticket;
    std::string strPath = arguments.strTicket;
    if (strPath.empty() && access(TicketBeside(arguments.strDocDef).c_str(), F_OK) == 0) {
        strPath = arguments.strTicket = TicketBeside(arguments.strDocDef);
    }
    if (!strPath.empty() && !ReadTicket(strPath, arguments.job.nMaxFileBytes, ticket, strError)) {
        return false;
    }
    for (const auto& value : arguments.ticketValues) {
        if (!SetTicketValue(ticket, value.first, value.second, strError)) {
            return false;
        }
    }
    return true;
}

// Shows the copies (or sheets) done and how many a second on a terminal.
std::function<void(int)> Progress(int nCopies, const char* pUnit) {
    bool bTerminal = isatty(fileno(stderr)) != 0;
    auto started = std::chrono::steady_clock::now();
    return [=](int nDone) {
        if (!bTerminal || (nDone % 100 != 0 && nDone != nCopies)) {
            return;
        }
        double dSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        fprintf(stderr, "\rnebmerge: %d of %d %s, %.0f %s/s", nDone, nCopies, pUnit,
                dSeconds > 0 ? nDone / dSeconds : 0.0, pUnit);
        if (nDone == nCopies) {
            fputc('\n', stderr);
        }
    };
}

// The press sheets of nCopies copies: cards of the ticket's size, or as
// large as the largest page; false with a message when they do not fit.
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
    return true;
}

// Writes the outputs asked for (the PostScript, the PDF, the previews) of
// the checked job's copies nFirst to nLast; false with a message.
bool WriteOutputs(const CArguments& arguments, CJob& job, CFontMetrics& metrics, int nFirst,
                  int nLast, std::string& strError) {
    CSheetPlan sheets;
    const CSheetPlan* pSheets = nullptr;
    if (job.options.ticket.bImposed) {
        if (!PlanJobSheets(job, static_cast<size_t>(nLast - nFirst + 1), sheets, strError)) {
            return false;
        }
        pSheets = &sheets;
    }
    std::function<void(int)> progress = pSheets != nullptr
                                            ? Progress(static_cast<int>(sheets.nSheets), "sheets")
                                            : Progress(nLast - nFirst + 1, "copies");
    COutputFile merged;
    if (!arguments.strOut.empty() &&
        (!merged.Open(arguments.strOut, strError) ||
         !WriteMerged(job, nFirst, nLast, metrics, merged, strError, progress, pSheets) ||
         !merged.Commit(strError))) {
        return false;
    }
    COutputFile pdf;
    size_t nWarned = job.warnings.size();
    if (!arguments.strPdf.empty() &&
        (!pdf.Open(arguments.strPdf, strError) ||
         !WritePdf(job, nFirst, nLast, metrics, pdf, arguments.nGsSeconds, strError, progress,
                   pSheets) ||
         !pdf.Commit(strError))) {
        return false;
    }
    for (size_t i = nWarned; i < job.warnings.size(); ++i) {
        fprintf(stderr, "nebmerge: %s\n", job.warnings[i].c_str());
    }
    return arguments.strPng.empty() || MakePreviews(arguments, strError);
}

int Run(int argc, char** argv) {
    CArguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        return Usage();
    }
    int nFirst = 1;
    int nLast = INT_MAX;
    if (!arguments.strCopies.empty() && !ParseCopies(arguments.strCopies, nFirst, nLast)) {
        return Fail("--copies " + arguments.strCopies + ": not N or N-M, from 1");
    }
    CJob job;
    std::string strError;
    if (!LoadTicket(arguments, strError)) {
        return Fail(strError);
    }
    if (!LoadJob(arguments.strDocDef, arguments.strData, arguments.job, job, strError)) {
        return Fail(strError);
    }
    // Sheets that cannot hold the cards stop the run before the check.
    CSheetPlan sheets;
    if (job.options.ticket.bImposed && !PlanJobSheets(job, 1, sheets, strError)) {
        return Fail(strError);
    }
    CFontMetrics metrics;
    CReport report(stdout, arguments.bJson, job.strDocDefFile, job.strDataFile);
    if (!CheckCopies(job, metrics, report, nFirst, nLast, strError)) {
        return Fail(strError);
    }
    report.Finish(job.nCopies, job.warnings);
    fflush(stdout);
    for (const std::string& strWarning : job.warnings) {
        fprintf(stderr, "nebmerge: %s\n", strWarning.c_str());
    }
    int nExit = report.Problems() == 0 ? ExitClean : ExitProblems;
    if (arguments.bCheckOnly) {
        return nExit;
    }
    if (job.nCopies == 0) {
        return Fail(arguments.strData + ": not one whole copy to merge");
    }
    if (arguments.strCopies.empty()) {
        nLast = static_cast<int>(job.nCopies);
    }
    if (static_cast<size_t>(nLast) > job.nCopies) {
        return Fail("--copies " + arguments.strCopies + ": the data holds copies 1 to " +
                    std::to_string(job.nCopies));
    }
    if (arguments.strOut.empty() && arguments.strPdf.empty()) {
        arguments.strOut = DefaultOutput(arguments.strDocDef);
    }
    if (!OutputsApart(arguments, job, strError) ||
        !WriteOutputs(arguments, job, metrics, nFirst, nLast, strError)) {
        return Fail(strError);
    }
    return nExit;
}

} // namespace

int main(int argc, char** argv) {
    // Whatever goes wrong ends in a message and exit code 2, never an abort.
    try {
        return Run(argc, argv);
    } catch (const std::bad_alloc&) {
        return Fail("out of memory (the limits --max-file-bytes and --max-copy-bytes bound what "
                    "is held)");
    } catch (const std::exception& error) {
        return Fail(std::string("cannot go on: ") + error.what());
    } catch (...) {
        return Fail("cannot go on: an unexpected error");
    }
}
