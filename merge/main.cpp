// nebmerge: turns a variable data job into personalised copies.
//   nebmerge JOB.ddf DATA-FILE [--check] [--json] [--ps MASTER.ps]
//            [--copies N | N-M] [--out MERGED.ps] [--pdf FILE] [--png PREFIX]
// The job's document definition and the variable data input file are read,
// the data cut into copies and every copy checked against the job's areas
// (always, before anything is merged); the report goes to standard output,
// as text or, with --json, as JSON. With --check nothing else is done.
// Otherwise the chosen copies (all by default) are merged into one
// PostScript file (--out, by default the .ddf's name with "-merged.ps"),
// and with --pdf and --png Ghostscript makes a PDF of it and a PNG per page
// (PREFIX-1.png, ...). The PostScript master is the file the job's pages
// name, or the one given with --ps; a Windows path that cannot be opened
// here is looked for beside the .ddf under its own name.
// Exit codes: 0 clean, 1 problems in the data, 2 the job or a file cannot be
// read or written (or the arguments are wrong).
#include "FontMetrics.h"
#include "Job.h"
#include "MergeWriter.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>

namespace {

constexpr int ExitClean = 0;
constexpr int ExitProblems = 1;
constexpr int ExitUnreadable = 2;

int Usage() {
    fprintf(stderr, "usage: nebmerge JOB.ddf DATA-FILE [--check] [--json] [--ps MASTER.ps]\n"
                    "                [--copies N|N-M] [--out MERGED.ps] [--pdf FILE] "
                    "[--png PREFIX]\n");
    return ExitUnreadable;
}

int Fail(const std::string& strError) {
    fprintf(stderr, "nebmerge: %s\n", strError.c_str());
    return ExitUnreadable;
}

// The master the job names: as written, as a Wine Z: path, or its name
// beside the .ddf.
std::string MasterPath(const CJob& job) {
    std::string strNamed;
    CDocDef& lists = const_cast<CDocDef&>(job.docDef);
    lists.instructions.Rewind();
    while (const CInstruction* pInstruction = lists.instructions.NextInstruction()) {
        if (auto* pPages = dynamic_cast<const CIncludePages*>(pInstruction)) {
            strNamed = pPages->strFile.Text();
            break;
        }
    }
    std::string strUnix = strNamed;
    for (char& c : strUnix) {
        c = c == '\\' ? '/' : c;
    }
    std::vector<std::string> candidates = {strNamed};
    if (strUnix.size() > 2 && strUnix[1] == ':') {
        if (strUnix[0] == 'z' || strUnix[0] == 'Z') {
            candidates.push_back(strUnix.substr(2));
        }
        size_t nSlash = strUnix.find_last_of('/');
        candidates.push_back(BesideFile(job.strDocDefFile, strUnix.substr(nSlash + 1)));
    }
    for (const std::string& strPath : candidates) {
        if (access(strPath.c_str(), R_OK) == 0) {
            return strPath;
        }
    }
    return strNamed;
}

// Runs Ghostscript; false with a message when it is missing or fails.
bool RunGhostscript(const std::vector<std::string>& args, std::string& strError) {
    std::vector<char*> argv;
    std::vector<std::string> all = {"gs", "-q", "-dBATCH", "-dNOPAUSE", "-dSAFER"};
    all.insert(all.end(), args.begin(), args.end());
    for (std::string& strArg : all) {
        argv.push_back(&strArg[0]);
    }
    argv.push_back(nullptr);
    pid_t nChild = fork();
    if (nChild == 0) {
        execvp("gs", argv.data());
        _exit(127);
    }
    int nStatus = 0;
    if (nChild < 0 || waitpid(nChild, &nStatus, 0) < 0) {
        strError = "cannot start Ghostscript";
        return false;
    }
    if (WIFEXITED(nStatus) && WEXITSTATUS(nStatus) == 127) {
        strError = "Ghostscript (gs) is not installed: install the ghostscript package";
        return false;
    }
    if (!WIFEXITED(nStatus) || WEXITSTATUS(nStatus) != 0) {
        strError = "Ghostscript could not render the merged file";
        return false;
    }
    return true;
}

bool ParseCopies(const std::string& strRange, int nCount, int& nFirst, int& nLast) {
    char* pEnd = nullptr;
    long nFrom = strtol(strRange.c_str(), &pEnd, 10);
    long nTo = nFrom;
    if (*pEnd == '-') {
        nTo = strtol(pEnd + 1, &pEnd, 10);
    }
    if (*pEnd != '\0' || nFrom < 1 || nTo < nFrom || nTo > nCount) {
        return false;
    }
    nFirst = static_cast<int>(nFrom);
    nLast = static_cast<int>(nTo);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return Usage();
    }
    std::string strDocDef = argv[1];
    std::string strData = argv[2];
    bool bCheckOnly = false;
    bool bJson = false;
    std::string strMaster, strCopies, strOut, strPdf, strPng;
    for (int i = 3; i < argc; ++i) {
        std::string strArg = argv[i];
        auto Value = [&](std::string& strValue) {
            if (i + 1 >= argc) {
                return false;
            }
            strValue = argv[++i];
            return true;
        };
        bool bKnown = strArg == "--check"    ? (bCheckOnly = true)
                      : strArg == "--json"   ? (bJson = true)
                      : strArg == "--ps"     ? Value(strMaster)
                      : strArg == "--copies" ? Value(strCopies)
                      : strArg == "--out"    ? Value(strOut)
                      : strArg == "--pdf"    ? Value(strPdf)
                      : strArg == "--png"    ? Value(strPng)
                                             : false;
        if (!bKnown) {
            return Usage();
        }
    }
    CJob job;
    std::string strError;
    if (!LoadJob(strDocDef, strData, job, strError)) {
        return Fail(strError);
    }
    CFontMetrics metrics;
    CheckCopies(job, metrics);
    for (const std::string& strWarning : job.warnings) {
        fprintf(stderr, "nebmerge: %s\n", strWarning.c_str());
    }
    fputs(bJson ? ReportJson(job).c_str() : ReportText(job).c_str(), stdout);
    int nExit = job.problems.empty() ? ExitClean : ExitProblems;
    if (bCheckOnly) {
        return nExit;
    }
    if (job.copies.empty()) {
        return Fail(strData + ": not one whole copy to merge");
    }
    int nFirst = 1;
    int nLast = static_cast<int>(job.copies.size());
    if (!strCopies.empty() &&
        !ParseCopies(strCopies, static_cast<int>(job.copies.size()), nFirst, nLast)) {
        return Fail("--copies " + strCopies + ": the data holds copies 1 to " +
                    std::to_string(job.copies.size()));
    }
    if (strMaster.empty()) {
        strMaster = MasterPath(job);
    }
    std::string strMasterText;
    CMasterPages master;
    if (!ReadFile(strMaster, strMasterText)) {
        return Fail(strMaster + ": cannot read the PostScript master (give it with --ps)");
    }
    if (!ReadMasterPages(strMasterText, master, strError)) {
        return Fail(strMaster + ": " + strError);
    }
    bool bTerminal = isatty(fileno(stderr)) != 0;
    auto started = std::chrono::steady_clock::now();
    auto progress = [&](int nDone) {
        if (!bTerminal || (nDone % 100 != 0 && nDone != nLast - nFirst + 1)) {
            return;
        }
        double dSeconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        fprintf(stderr, "\rnebmerge: %d of %d copies, %.0f copies/s", nDone, nLast - nFirst + 1,
                dSeconds > 0 ? nDone / dSeconds : 0.0);
        if (nDone == nLast - nFirst + 1) {
            fputc('\n', stderr);
        }
    };
    std::string strMerged;
    if (!WriteMerged(job, master, nFirst, nLast, metrics, strMerged, strError, progress)) {
        return Fail(strError);
    }
    if (strOut.empty()) {
        size_t nDot = strDocDef.find_last_of('.');
        strOut = (nDot == std::string::npos ? strDocDef : strDocDef.substr(0, nDot)) + "-merged.ps";
    }
    std::ofstream out(strOut, std::ios::binary | std::ios::trunc);
    out << strMerged;
    out.flush();
    if (!out) {
        return Fail(strOut + ": cannot write the merged PostScript");
    }
    out.close();
    if (!strPdf.empty() && !RunGhostscript({"-sDEVICE=pdfwrite", "-o", strPdf, strOut}, strError)) {
        return Fail(strError);
    }
    if (!strPng.empty() &&
        !RunGhostscript({"-sDEVICE=png16m", "-r72", "-o", strPng + "-%d.png", strOut}, strError)) {
        return Fail(strError);
    }
    return nExit;
}
