// nebmerge: turns a variable data job into personalised copies. This is
// only its command line: the arguments made into a request, which the merge
// step runs whole (see Merge.h); the report goes to standard output, as text
// or, with --json, as JSON, and every message to standard error.
// Exit codes: 0 clean, 1 problems in the data, 2 the job cannot be run.
#include "core/CommandLine.h"
#include "merge/Merge.h"
#include "merge/data/TextEncoding.h"
#include "merge/job/Ticket.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

// One entry gives both the parsing and the usage of an option.
struct COption {
    const char* pName;
    const char* pValue; // the value's name in the usage; null for a switch
    const char* pHelp;
    std::function<bool(CMergeRequest&, const char*)> set;
};

// A size or a count on the command line, from 1 to nMax.
bool Size(const char* pText, unsigned long long nMax, size_t& nValue) {
    unsigned long long n = 0;
    bool bRead = ReadCount(pText, nMax, n);
    nValue = static_cast<size_t>(n);
    return bRead;
}

const COption OwnOptions[] = {
    {"--check", nullptr, "check the data against the job, merge nothing",
     [](CMergeRequest& r, const char*) { return r.bCheckOnly = true; }},
    {"--json", nullptr, "the report as JSON",
     [](CMergeRequest& r, const char*) { return r.bJson = true; }},
    {"--ps", "MASTER.ps", "the PostScript master (default: the one the job names)",
     [](CMergeRequest& r, const char* p) { return !(r.job.strMaster = p).empty(); }},
    {"--encoding", "NAME", "the data file's encoding: windows-1252 (default), iso-8859-1, utf-8",
     [](CMergeRequest& r, const char* p) { return ParseEncoding(p, r.job.encoding); }},
    {"--pictures", "DIR", "the folder of the pictures the data names (default: the data's)",
     [](CMergeRequest& r, const char* p) { return !(r.job.strPictures = p).empty(); }},
    {"--max-file-bytes", "N", "the largest .ddf, master or picture read (default 256 MiB)",
     [](CMergeRequest& r, const char* p) { return Size(p, 1ull << 40, r.job.nMaxFileBytes); }},
    {"--max-copy-bytes", "N", "the longest copy of the data file (default 1 MiB)",
     [](CMergeRequest& r, const char* p) { return Size(p, 1ull << 32, r.job.nMaxCopyBytes); }},
    {"--copies", "N|N-M", "the copies to merge (default: all)",
     [](CMergeRequest& r, const char* p) { return !(r.strCopies = p).empty(); }},
    {"--out", "MERGED.ps", "the merged PostScript (default without --pdf: JOB-merged.ps)",
     [](CMergeRequest& r, const char* p) { return !(r.strOut = p).empty(); }},
    {"--pdf", "FILE", "the merged copies as a PDF: shared pages once, a part per copy",
     [](CMergeRequest& r, const char* p) { return !(r.strPdf = p).empty(); }},
    {"--png", "PREFIX", "a 72 dpi preview of each page (of the PDF): PREFIX-1.png, ...",
     [](CMergeRequest& r, const char* p) { return !(r.strPng = p).empty(); }},
    {"--gs-timeout", "SECONDS", "how long Ghostscript may run (default 3600)",
     [](CMergeRequest& r, const char* p) {
         size_t n = 0;
         return Size(p, 1u << 30, n) && (r.nGsSeconds = static_cast<int>(n)) > 0;
     }},
    {"--ticket", "FILE", "the job ticket (default: JOB.ticket.json beside the .ddf, if any)",
     [](CMergeRequest& r, const char* p) { return !(r.strTicket = p).empty(); }},
};

// The options: the command line's own, then each key of the job ticket as
// "--KEY", which sets it over the ticket's (a switch to "true").
std::vector<COption> Options() {
    static std::vector<std::string> names;
    std::vector<COption> options(std::begin(OwnOptions), std::end(OwnOptions));
    size_t nKeys = 0;
    const CTicketKey* pKeys = TicketKeys(nKeys);
    names.resize(nKeys);
    for (size_t i = 0; i < nKeys; ++i) {
        const CTicketKey& key = pKeys[i];
        names[i] = std::string("--") + key.pName;
        options.push_back(
            {names[i].c_str(), key.pValue, key.pHelp, [&key](CMergeRequest& r, const char* p) {
                 std::string strValue = key.pValue != nullptr ? p : "true";
                 CJobTicket scratch;
                 r.ticketValues.emplace_back(key.pName, strValue);
                 return key.set(scratch, strValue);
             }});
    }
    return options;
}

int Usage(const std::vector<COption>& options) {
    fputs("usage: nebmerge JOB.ddf DATA-FILE [options]\n", stderr);
    for (const COption& option : options) {
        std::string strForm = std::string(option.pName) +
                              (option.pValue != nullptr ? std::string(" ") + option.pValue : "");
        fprintf(stderr, "  %-28s %s\n", strForm.c_str(), option.pHelp);
    }
    return ExitCannotRun;
}

bool ParseArguments(int argc, char** argv, const std::vector<COption>& options,
                    CMergeRequest& request) {
    if (argc < 3) {
        return false;
    }
    request.strDocDef = argv[1];
    request.strData = argv[2];
    auto set = [&](const COption& option, const char* pValue) {
        if (option.set(request, pValue)) {
            return true;
        }
        fprintf(stderr, "nebmerge: %s %s: not a value it takes\n", option.pName, pValue);
        return false;
    };
    return ReadOptions(argc, argv, 3, options, set, [](const char*) { return false; });
}

} // namespace

int main(int argc, char** argv) {
    std::vector<COption> options = Options();
    CMergeRequest request;
    if (!ParseArguments(argc, argv, options, request)) {
        return Usage(options);
    }
    return RunMerge(request, stdout, stderr);
}
