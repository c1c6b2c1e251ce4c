#include "merge/CommandLine.h"

#include "NebVersion.h"
#include "core/CommandLine.h"
#include "merge/data/DelimitedCopies.h"
#include "merge/data/TextEncoding.h"
#include "merge/job/Ticket.h"

#include <cstring>

namespace {

// A size or a count on the command line, from 1 to nMax.
bool Size(const char* pText, unsigned long long nMax, size_t& nValue) {
    unsigned long long n = 0;
    bool bRead = ReadCount(pText, nMax, n);
    nValue = static_cast<size_t>(n);
    return bRead;
}

bool On(const char* pValue) {
    return strcmp(pValue, "false") != 0;
}

// The options of the command line itself; --help and --version are read
// before any other.
std::vector<COption> OwnOptions() {
    return {
        {"--help", nullptr, "this list of the options", nullptr},
        {"--version", nullptr, "the version of nebmerge", nullptr},
        {"--check", nullptr, "check the data against the job, merge nothing",
         [](CMergeRequest& r, const char* p) { return (r.bCheckOnly = On(p)), true; }},
        {"--json", nullptr, "the report as JSON",
         [](CMergeRequest& r, const char* p) { return (r.bJson = On(p)), true; }},
        {"--ps", "MASTER.ps", "the PostScript master (default: the one the job names)",
         [](CMergeRequest& r, const char* p) { return !(r.job.strMaster = p).empty(); }},
        {"--encoding", "NAME",
         "the data file's encoding: windows-1252 (default), iso-8859-1, utf-8 (a delimited "
         "file's default: see its byte-order mark and start)",
         [](CMergeRequest& r, const char* p) {
             return (r.job.bEncodingGiven = ParseEncoding(p, r.job.encoding));
         }},
        {"--pictures", "DIR", "the folder of the pictures the data names (default: the data's)",
         [](CMergeRequest& r, const char* p) { return !(r.job.strPictures = p).empty(); }},
        {"--max-file-bytes", "N", "the largest .ddf, master or picture read (default 256 MiB)",
         [](CMergeRequest& r, const char* p) { return Size(p, 1ull << 40, r.job.nMaxFileBytes); }},
        {"--max-copy-bytes", "N", "the longest copy (or row) of the data file (default 1 MiB)",
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
}

// The options: the command line's own, then each key of the job ticket as
// "--KEY", which sets it over the ticket's; each switch followed by its
// "--no-" form, which turns it off.
std::vector<COption> AllOptions() {
    static std::vector<std::string> names;
    std::vector<COption> given = OwnOptions();
    size_t nKeys = 0;
    const CTicketKey* pKeys = TicketKeys(nKeys);
    names.clear();
    names.reserve(3 * nKeys);
    for (size_t i = 0; i < nKeys; ++i) {
        const CTicketKey& key = pKeys[i];
        names.push_back(std::string("--") + key.Option());
        given.push_back(
            {names.back().c_str(), key.pValue, key.pHelp, [&key](CMergeRequest& r, const char* p) {
                 CJobTicket scratch;
                 r.ticketValues.emplace_back(key.pName, p);
                 return key.set(scratch, p);
             }});
    }
    std::vector<COption> options;
    for (const COption& option : given) {
        options.push_back(option);
        if (option.pValue == nullptr && option.set) {
            names.push_back(std::string("--no-") + (option.pName + 2));
            options.push_back({names.back().c_str(), nullptr,
                               std::string("turns ") + option.pName +
                                   " off, over the ticket and any earlier " + option.pName,
                               option.set});
        }
    }
    return options;
}

bool IsNoForm(const char* pName) {
    return strncmp(pName, "--no-", 5) == 0;
}

} // namespace

const std::vector<COption>& MergeOptions() {
    static const std::vector<COption> options = AllOptions();
    return options;
}

std::string VersionText() {
    return std::string("nebmerge ") + NEB_VERSION_TEXT;
}

Arguments ReadArguments(int argc, char** argv, CMergeRequest& request, std::string& strError) {
    const std::vector<COption>& options = MergeOptions();
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--help") == 0 || strcmp(argv[i], "-h") == 0) {
            return Arguments::Help;
        }
        if (strcmp(argv[i], "--version") == 0) {
            return Arguments::Version;
        }
    }
    std::vector<std::string> words;
    auto set = [&](const COption& option, const char* pValue) {
        const char* pGiven =
            option.pValue != nullptr ? pValue : (IsNoForm(option.pName) ? "false" : "true");
        if (option.set(request, pGiven)) {
            return true;
        }
        std::string strWhy = ValueProblem(option.pName + 2, pValue);
        strError = std::string(option.pName) + " " + Shown(pValue) + ": not a value it takes" +
                   (strWhy.empty() ? " (" + std::string(option.pName) + " " + option.pValue + ": " +
                                         option.strHelp + ")"
                                   : strWhy);
        return false;
    };
    auto other = [&](const char* pWord) {
        if (pWord[0] != '-' || pWord[1] == '\0') {
            words.push_back(pWord);
            return true;
        }
        std::vector<std::string> names;
        for (const COption& option : options) {
            names.push_back(option.pName);
            if (strcmp(option.pName, pWord) == 0) {
                strError = std::string(pWord) + ": needs a value, " + option.pValue + " (" +
                           option.strHelp + ")";
                return false;
            }
        }
        std::string strNearest = NearestName(pWord, names);
        strError = Shown(pWord) + ": no such option" +
                   (strNearest.empty() ? "" : "; did you mean " + strNearest + "?") +
                   " (nebmerge --help lists them)";
        return false;
    };
    if (!ReadOptions(argc, argv, 1, options, set, other)) {
        return Arguments::Refused;
    }
    if (words.size() != 2) {
        strError = std::string(words.size() < 2 ? "needs" : "takes only") +
                   " a job and its data file: nebmerge JOB.ddf DATA-FILE [options] (nebmerge "
                   "--help lists the options)";
        return Arguments::Refused;
    }
    request.strDocDef = words[0];
    request.strData = words[1];
    return Arguments::Run;
}

void WriteUsage(FILE* pOut) {
    fputs("usage: nebmerge JOB.ddf DATA-FILE [options]\n", pOut);
    for (const COption& option : MergeOptions()) {
        std::string strForm = std::string(option.pName) +
                              (option.pValue != nullptr ? std::string(" ") + option.pValue : "");
        fprintf(pOut, "  %-28s %s\n", strForm.c_str(), option.strHelp.c_str());
    }
}
