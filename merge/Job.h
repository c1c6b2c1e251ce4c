// A job as the merge step sees it: the document definition read from the
// .ddf, its PostScript master split into pages and the pages each copy
// takes, the pictures folder, and the variable data input file, which is
// read copy by copy whenever it is walked.
#pragma once

#include "Codes.h"
#include "DataCopies.h"
#include "FontMetrics.h"
#include "Imposition.h"
#include "MasterPages.h"
#include "PagePlan.h"
#include "Pictures.h"
#include "Report.h"
#include "TextEncoding.h"
#include "TextLayout.h"
#include "Ticket.h"
#include "core/DocDef.h"

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct CJobOptions {
    TextEncoding encoding = TextEncoding::Windows1252; // of the data file
    std::string strMaster;                    // the PostScript master; empty: the one the job names
    std::string strPictures;                  // the pictures folder; empty: the data file's folder
    size_t nMaxFileBytes = size_t(256) << 20; // the .ddf, the master, each picture
    size_t nMaxCopyBytes = size_t(1) << 20;   // one copy of the data file
    CJobTicket ticket;                        // the production run's settings
};

struct CJob {
    std::string strDocDefFile;
    std::string strDataFile;
    std::string strMasterFile;
    CJobOptions options;
    CDocDef docDef;
    CMasterPages master;
    std::vector<CPlannedPage> pages;   // the pages of every copy
    std::vector<CPlannedMerge> merges; // every Merge of the job
    std::unique_ptr<CPictures> pictures;
    size_t nCopies = 0; // counted by the check
    // What the check could not do: an area whose font has no metrics here.
    std::vector<std::string> warnings;
    std::set<std::string> unmeasuredAreas;
};

// Reads the .ddf and the master, plans the pages, and makes sure the data
// file can be read; false with a message when any of them cannot be used (a
// .ddf that does not read names its line, a page range names the master's
// pages, a ticket names what the job does not have).
bool LoadJob(const std::string& strDocDefFile, const std::string& strDataFile,
             const CJobOptions& options, CJob& job, std::string& strError);

// Walks the data file's copies in order, each with the problems its cutting
// found, and last (with no copy) the problems of a copy that could not be
// read whole, if any; the walk stops when the visitor returns false. False
// with a message when the data file cannot be read.
bool ForEachCopy(const CJob& job,
                 const std::function<bool(const CDataCopy*, std::vector<CProblem>&)>& visit,
                 std::string& strError);

// Hands copies nFirst to nLast (from 1) to the writer in order, and their
// count so far to the progress after each; stops at the first the writer
// fails (its message in strError). False when a copy failed or the data file
// cannot be read.
bool ForEachCopyInRange(const CJob& job, int nFirst, int nLast,
                        const std::function<bool(const CDataCopy&)>& write,
                        const std::function<void(int nDone)>& progress, std::string& strError);

// Hands the writer the copies nFirst to nLast (from 1) sheet by sheet as the
// plan lays them out: each sheet's copies in slot order, null for an empty
// slot; progress gets the sheets done. Cut and stacked, each slot's pile is
// read by a reader of its own, so no more than a sheet's copies are held.
// False when the writer failed (its message in strError) or the data file
// cannot be read as the check read it.
bool ForEachSheet(
    const CJob& job, const CSheetPlan& plan, int nFirst,
    const std::function<bool(size_t nSheet, const std::vector<const CDataCopy*>&)>& write,
    const std::function<void(int nDone)>& progress, std::string& strError);

// Hands the drawer the cards on a side of a sheet, slot by slot: each
// filled slot's copy, the copy's page that side shows and where it goes (a
// blank back shows none); stops at the first the drawer fails.
bool ForEachCard(
    const CJob& job, const CSheetPlan& plan, const std::vector<const CDataCopy*>& slots, int nSide,
    const std::function<bool(const CDataCopy&, const CPlannedPage&, const CCardPlace&)>& draw);

// A text value laid out as it is set: an optional field's empty lines closed
// up, the size shrunk to fit when the ticket asks it of the area.
CTextLayout LayOutValue(const CJob& job, const CPlannedMerge& merge, const std::string& strValue,
                        CFontMetrics& metrics);

// What draws a page's values, each as its area says: a code, a picture, text
// (its area moved up when an optional line above it is closed up).
class IValueDrawing {
  public:
    virtual ~IValueDrawing() = default;
    virtual void DrawCode(const CAreaDefinition& area, const CCodeSymbol& symbol,
                          double dPaperHeight) = 0;
    // False with why the picture cannot be placed.
    virtual bool DrawPicture(const CAreaDefinition& area, const std::string& strValue,
                             double dPaperHeight, std::string& strDetail) = 0;
    virtual void SetText(const CPlannedMerge& merge, const CAreaDefinition& area,
                         const std::string& strValue, double dPaperHeight) = 0;
};

// Draws the copy's values on the page; false with a message naming the copy
// and field of a code or picture that cannot be drawn.
bool DrawValues(const CJob& job, const CPlannedPage& page, const CDataCopy& copy,
                IValueDrawing& drawing, std::string& strError);

// The symbol of a value its area draws as a code; false with the problem.
bool CodeOfValue(const CJob& job, const CCodeSpec& code, const std::string& strValue,
                 CCodeSymbol& symbol, DataProblem& kind, std::string& strDetail);

// Checks every copy against the areas its values go to: a text that does not
// fit its area or holds a character its font cannot show (measured with the
// fonts' metrics), a picture that is not in the pictures folder or has no
// bounding box, a value its code cannot carry; an optional field may be
// empty. Problems go to the report as they are found, in copy order;
// the pictures of copies nFirst to nLast have their uses counted. False with
// a message when the data file cannot be read.
bool CheckCopies(CJob& job, CFontMetrics& metrics, CReport& report, int nFirst, int nLast,
                 std::string& strError);

// The master the job names: its file name beside the .ddf (where a master
// named by a relative path is looked for too), or the path as written, or as
// a Wine Z: path.
std::string MasterPath(const CJob& job);
