// nebmerge's command line as an operator types it over a shop's ticket, and
// its manual page, made from the same table.
#include "merge/CommandLine.h"
#include "merge/job/Ticket.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace {

// The arguments after "nebmerge", split at blanks; what reading them gives.
Arguments Read(const std::string& strLine, CMergeRequest& request, std::string& strError) {
    std::vector<std::string> words = {"nebmerge"};
    std::istringstream in(strLine);
    for (std::string strWord; in >> strWord;) {
        words.push_back(strWord);
    }
    std::vector<char*> argv;
    for (std::string& strWord : words) { // NOLINT: argv points into words
        argv.push_back(&strWord[0]);
    }
    return ReadArguments(static_cast<int>(argv.size()), argv.data(), request, strError);
}

TEST(CommandLine, RepeatsNoFormsAnyCaseAndShortMessages) {
    struct CRow {
        const char* pLine;
        const char* pError; // "" when taken
    };
    const CRow rows[] = {
        {"job.ddf data.txt --optional Street --optional Street", ""},
        {"--sheet a3 --impose AUTO job.ddf data.txt --no-marks --no-duplex", ""},
        {"job.ddf data.csv --column Street=Address --separator semicolon --data CSV", ""},
        {"job.ddf data.txt --sheet Legal",
         "--sheet Legal: not a value it takes (--sheet NAME|WxH: press sheets: Letter, Tabloid, "
         "A4, A3, SRA3 or points)"},
        {"job.ddf data.txt --shet A4", "--shet: no such option; did you mean --sheet? (nebmerge "
                                       "--help lists them)"},
        {"job.ddf data.txt --bleed", "--bleed: needs a value, PT (what is drawn past each card's "
                                     "trim (default 0))"},
        {"job.ddf", "needs a job and its data file: nebmerge JOB.ddf DATA-FILE [options] "
                    "(nebmerge --help lists the options)"},
        {"job.ddf a b", "takes only a job and its data file: nebmerge JOB.ddf DATA-FILE "
                        "[options] (nebmerge --help lists the options)"},
    };
    for (const CRow& row : rows) {
        SCOPED_TRACE(row.pLine);
        CMergeRequest request;
        std::string strError;
        EXPECT_EQ(Read(row.pLine, request, strError),
                  *row.pError == '\0' ? Arguments::Run : Arguments::Refused);
        EXPECT_EQ(strError, row.pError);
    }
    // A refused value is quoted cut to a readable length.
    CMergeRequest request;
    std::string strError;
    Read("j d --sheet " + std::string(500, 'x'), request, strError);
    EXPECT_EQ(strError.substr(0, 56), "--sheet " + std::string(40, 'x') + "...: not");
    // The "--no-" forms win over the ticket, and over an earlier switch.
    request = CMergeRequest();
    ASSERT_EQ(Read("j d --marks --check --no-check --no-marks --json", request, strError),
              Arguments::Run);
    EXPECT_TRUE(!request.bCheckOnly && request.bJson);
    CJobTicket ticket;
    ASSERT_TRUE(SetTicketValue(ticket, "marks", "true", strError));
    for (const auto& value : request.ticketValues) {
        ASSERT_TRUE(SetTicketValue(ticket, value.first, value.second, strError));
    }
    EXPECT_FALSE(ticket.bMarks);
    EXPECT_EQ(Read("--version", request, strError), Arguments::Version);
    EXPECT_EQ(Read("j d --help", request, strError), Arguments::Help);
    EXPECT_EQ(VersionText().rfind("nebmerge 1.", 0), 0u);
}

TEST(CommandLine, TheManualPageHoldsEveryOptionAndRendersWithoutWarnings) {
    char szPath[] = "/tmp/nebmerge-man-XXXXXX";
    int nFile = mkstemp(szPath);
    ASSERT_GE(nFile, 0);
    FILE* pOut = fdopen(nFile, "w");
    WriteManPage(pOut);
    fclose(pOut);
    std::string strCommand =
        std::string("MANWIDTH=80 man --warnings -l ") + szPath + " 2> " + szPath + ".warnings";
    FILE* pMan = popen(strCommand.c_str(), "r");
    ASSERT_NE(pMan, nullptr);
    std::string strPage;
    char szBuffer[4096];
    for (size_t n; (n = fread(szBuffer, 1, sizeof szBuffer, pMan)) > 0;) {
        strPage.append(szBuffer, n);
    }
    EXPECT_EQ(pclose(pMan), 0);
    std::ifstream warnings(std::string(szPath) + ".warnings");
    std::stringstream warningText;
    warningText << warnings.rdbuf();
    EXPECT_EQ(warningText.str(), "");
    for (const COption& option : MergeOptions()) {
        EXPECT_NE(strPage.find(std::string("       ") + option.pName), std::string::npos)
            << option.pName;
    }
    for (const char* pSection : {"EXIT STATUS", "JOB TICKET", "DATA FILES", "THE PDF",
                                 "NUMBERING AND FINISHING CODES", "EXAMPLES"}) {
        EXPECT_NE(strPage.find(pSection), std::string::npos) << pSection;
    }
    remove(szPath);
    remove((std::string(szPath) + ".warnings").c_str());
}

} // namespace
