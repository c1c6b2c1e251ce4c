// The merge step as one call: a request (the job's .ddf, its data file, the
// options) in, the report and the exit status out. The job's document
// definition, its PostScript master and the variable data input file are
// read, the data cut into copies and every copy checked against the job's
// areas (always, before anything is merged); the report goes out as text or
// JSON. With bCheckOnly nothing else is done. Otherwise the chosen copies
// (all by default) are merged into a PDF for the press, into one PostScript
// file, or both in one pass over the data, and Ghostscript makes a PNG of
// each page (PREFIX-1.png, ...) from the PDF, or from the PostScript when
// there is no PDF. The job ticket (JOB.ticket.json beside the .ddf, or the
// one named) and the keys set over it lay the copies on press sheets, shrink
// text to fit, let fields be empty and draw areas as codes. The data file,
// its pictures and the master come from customers: see README for what is
// refused and why.
#pragma once

#include "merge/job/Job.h"

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// The exit statuses: clean; problems in the data; the job cannot be run (a
// file that cannot be read or written, a job that does not hold together,
// wrong arguments, anything that went wrong).
constexpr int ExitClean = 0;
constexpr int ExitProblems = 1;
constexpr int ExitCannotRun = 2;

struct CMergeRequest {
    std::string strDocDef;
    std::string strData;
    bool bCheckOnly = false;
    bool bJson = false;
    std::string strCopies; // "N" or "N-M"; empty for all
    std::string strOut;    // the merged PostScript; empty without --pdf: JOB-merged.ps
    std::string strPdf;
    std::string strPng; // the previews' prefix
    int nGsSeconds = 3600;
    CJobOptions job;
    std::string strTicket; // empty: the one beside the .ddf, if any
    // The ticket's keys set over the ticket's, in order.
    std::vector<std::pair<std::string, std::string>> ticketValues;
};

// Runs the request: the report to pReport, warnings, progress and what
// stopped the run (each line "nebmerge: ...") to pMessages. Whatever goes
// wrong ends in a message and ExitCannotRun, never an abort.
int RunMerge(CMergeRequest request, FILE* pReport, FILE* pMessages);

// A count as a request gives it: digits only, from 1 to nMax.
bool ReadCount(const char* pText, unsigned long long nMax, unsigned long long& nValue);
