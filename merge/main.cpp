// nebmerge: turns a variable data job into personalised copies. This is
// only its command line: the arguments made into a request (see
// CommandLine.h), which the merge step runs whole (see Merge.h); the report
// goes to standard output, as text or, with --json, as JSON, and every
// message to standard error.
// Exit codes: 0 clean, 1 problems in the data, 2 the job cannot be run.
#include "merge/CommandLine.h"
#include "merge/Merge.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    CMergeRequest request;
    std::string strError;
    switch (ReadArguments(argc, argv, request, strError)) {
    case Arguments::Help:
        WriteUsage(stdout);
        return ExitClean;
    case Arguments::Version:
        printf("%s\n", VersionText().c_str());
        return ExitClean;
    case Arguments::Refused:
        fprintf(stderr, "nebmerge: %s\n", strError.c_str());
        return ExitCannotRun;
    case Arguments::Run:
        break;
    }
    return RunMerge(request, stdout, stderr);
}
