// The merge step on a job made of the input: a .ddf, a data file and a
// PostScript master (NUL between them), the first byte choosing the data's
// encoding. The job is loaded (the master split into pages, the pages
// planned), every copy checked (text laid out and measured, pictures found
// among the job's own files) and merged: whatever the input, the run ends in
// a result or a message, and a merged file that was written is whole.
#include "FuzzInput.h"
#include "merge/check/Check.h"
#include "merge/job/Job.h"
#include "merge/output/WritePass.h"
#include "merge/postscript/PostScriptWriter.h"

#include <unistd.h>

#include <fstream>

namespace {

// The folder the job's files are written to, made once.
const std::string& Folder() {
    static std::string strFolder = [] {
        char szFolder[] = "/tmp/nebmerge-fuzz-XXXXXX";
        FUZZ_CHECK(mkdtemp(szFolder) != nullptr, "a folder for the job");
        return std::string(szFolder);
    }();
    return strFolder;
}

void Write(const std::string& strName, const std::string& strText) {
    std::ofstream out(Folder() + "/" + strName, std::ios::binary | std::ios::trunc);
    out << strText;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    if (nSize == 0) {
        return 0;
    }
    static FILE* pReport = fopen("/dev/null", "w");
    const TextEncoding encodings[] = {TextEncoding::Windows1252, TextEncoding::Latin1,
                                      TextEncoding::Utf8};
    CJobOptions options;
    options.encoding = encodings[pData[0] % 3];
    options.nMaxFileBytes = 1 << 20;
    options.nMaxCopyBytes = 1 << 16;
    CFuzzInput input(pData + 1, nSize - 1);
    Write("job.ddf", input.TakeString());
    Write("data.txt", input.TakeString());
    Write("master.ps", input.Rest());
    CJob job;
    std::string strError;
    if (!LoadJob(Folder() + "/job.ddf", Folder() + "/data.txt", options, job, strError)) {
        FUZZ_CHECK(!strError.empty(), "a job that cannot be loaded says why");
        return 0;
    }
    FUZZ_CHECK(!job.pages.empty() && job.pages.size() <= MaxPagesPerCopy,
               "a copy has pages, not too many");
    CFontMetrics metrics;
    CReport report(pReport, (pData[0] & 4) != 0, job.strDocDefFile, job.strDataFile);
    if (!CheckCopies(job, metrics, report, 1, 3, strError) || job.nCopies == 0) {
        return 0;
    }
    report.Finish(job.nCopies, job.warnings);
    int nLast = static_cast<int>(std::min<size_t>(job.nCopies, 3));
    COutputFile out;
    FUZZ_CHECK(out.Open(Folder() + "/merged.ps", strError), "the merged file can be made");
    CPostScriptWriter writer(job, metrics, out);
    if (!WritePass(job, metrics, 1, nLast, nullptr, {&writer}, nullptr, strError)) {
        FUZZ_CHECK(!strError.empty(), "a merge that fails says why");
        return 0;
    }
    FUZZ_CHECK(out.Commit(strError), "the merged file is written");
    std::ifstream merged(Folder() + "/merged.ps", std::ios::binary);
    std::string strMerged((std::istreambuf_iterator<char>(merged)),
                          std::istreambuf_iterator<char>());
    FUZZ_CHECK(strMerged.size() > 16 &&
                   strMerged.compare(strMerged.size() - 16, 16, "%%Trailer\n%%EOF\n") == 0,
               "the merged file ends with its trailer");
    return 0;
}
