// A job as the merge step sees it: the document definition read from the
// .ddf, its PostScript master split into pages and the pages each copy
// takes, the pictures folder, and the variable data input file, which is
// read copy by copy whenever it is walked (see CopyWalk.h).
#pragma once

#include "core/DocDef.h"
#include "merge/data/DelimitedCopies.h"
#include "merge/data/TextEncoding.h"
#include "merge/job/Imposition.h"
#include "merge/job/MasterPages.h"
#include "merge/job/PagePlan.h"
#include "merge/job/Pictures.h"
#include "merge/job/Ticket.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct CJobOptions {
    TextEncoding encoding = TextEncoding::Windows1252; // of the data file
    bool bEncodingGiven = false;              // else a delimited file of UTF-8 is read as such
    std::string strMaster;                    // the PostScript master; empty: the one the job names
    std::string strPictures;                  // the pictures folder; empty: the data file's folder
    size_t nMaxFileBytes = size_t(256) << 20; // the .ddf, the master, each picture
    size_t nMaxCopyBytes = size_t(1) << 20;   // one copy of the data file
    CJobTicket ticket;                        // the production run's settings
};

// How the data file is read: as the job's records, or as delimited text
// whose columns the data fields take.
struct CDataLayout {
    bool bDelimited = false;
    char cSeparator = ',';
    CColumnMap columns;
};

struct CJob {
    std::string strDocDefFile;
    std::string strDataFile;
    std::string strMasterFile;
    CJobOptions options;
    CDataLayout data;
    CDocDef docDef;
    CMasterPages master;
    std::vector<CPlannedPage> pages;   // the pages of every copy
    std::vector<CPlannedMerge> merges; // every Merge of the job
    std::unique_ptr<CPictures> pictures;
    size_t nCopies = 0; // counted by the check
    // What the check could not do: an area whose font has no metrics here.
    std::vector<std::string> warnings;
    std::set<std::string> unmeasuredAreas;
    // The computed values by area, their literal text in the data's
    // encoding; the merges that set them point here.
    std::map<std::string, CNumbering> numberings;
    // The fields naming each copy's recipient: name and place among the
    // fields that are no fillers.
    std::vector<std::pair<std::string, size_t>> recipientFields;
};

// Whether the merge sets text (not a picture, not a code).
bool SetsText(const CPlannedMerge& merge, const CJobTicket& ticket);

// The press sheets of nCopies copies: cards of the ticket's size, or as
// large as the largest page; false with a message when they do not fit, or
// the finishing code finds no place on them.
bool PlanJobSheets(const CJob& job, size_t nCopies, CSheetPlan& sheets, std::string& strError);

// Reads the .ddf and the master, plans the pages, and makes sure the data
// file can be read: a spreadsheet workbook is refused, a delimited file's
// header gives the fields their columns, and a delimited file in UTF-8 (by
// its byte-order mark, or its first bytes when no encoding is given) or
// UTF-16 is decoded as UTF-8. False with a message when any of them cannot
// be used (a .ddf that does not read names its line, a page range names the
// master's pages, a ticket names what the job does not have, a field has no
// column).
bool LoadJob(const std::string& strDocDefFile, const std::string& strDataFile,
             const CJobOptions& options, CJob& job, std::string& strError);

// The master the job names: its file name beside the .ddf (where a master
// named by a relative path is looked for too), or the path as written, or as
// a Wine Z: path.
std::string MasterPath(const CJob& job);
