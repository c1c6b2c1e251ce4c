// The job ticket: what belongs to one production run of a job rather than
// to the publication. The press sheet and how the cards are laid on it, text
// that shrinks to fit, fields that may be empty, areas drawn as barcodes. It
// is a JSON file beside the .ddf (JOB.ticket.json) or named with --ticket;
// every key also has a command-line form, which wins over the file:
//
//   "sheet":    "Letter" | "Tabloid" | "A4" | "A3" | "SRA3" | "WxH" (points)
//   "card":     "WxH"                   the publication's trim size, centred
//                                       on the page printed (default: the page)
//   "impose":   "CxR" (columns by rows) | "auto"
//   "order":    "cut-stack" (default) | "in-order"
//   "marks":    true | false            crop marks at the trim lines
//   "bleed":    points                  drawn past each card's trim
//   "gutter":   points                  between neighbouring cards' bleed
//   "duplex":   true | false            backs behind their fronts, turned
//   "fit":      {"AREA" or "all": "shrink" | "shrink:MIN"}
//   "optional": ["FIELD", ...]          may be empty; closed up when it is
//   "code":     {"AREA": "qr[:L|M|Q|H]" | "code128" | "ean13" | "upca" |
//                "datamatrix" | "pdf417"}
//   "data":     "records" | "csv" | "tsv"   the data file's format (default:
//                                       by its extension, else records)
//   "separator": "comma" | "semicolon" | "tab"  of a delimited data file
//                                       (default: the header row's)
//   "columns":  {"FIELD": "COLUMN"}     a field's column in a delimited file
//                                       (default: the column of its name)
//   "value":    {"AREA": "No. {copy:06}"}  the area's value computed by the
//                                       run (see Numbering.h), not read
//   "finishing-code": true | false      a 2D code on every page saying where
//                                       it belongs (see Finishing.h)
//   "finishing-place": "X,Y,SIZE"       its lower left corner and side
//   "pdf-standard": "pdf/vt-1" | "none" what the PDF claims (default
//                                       PDF/X-4 and PDF/VT-1)
//   "output-intent": "FILE.icc"         the CMYK output profile (relative
//                                       to the ticket's folder)
//   "output-condition": "NAME"          its printing condition ("FOGRA39")
//   "recipient": ["FIELD", ...]         the fields naming each copy's
//                                       recipient in the PDF's parts
//
// Names (sheets, kinds, orders, switches) are taken in any case; a set or a
// map given the same entry again takes it once. A key it does not know, or a
// value of the wrong kind, is an error naming it.
#pragma once

#include "core/DocDef.h"
#include "merge/layout/Codes.h"
#include "merge/layout/Numbering.h"

#include <cstddef>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

enum class StackOrder { CutStack, InOrder };

// Text that shrinks until it fits, down to a least size.
struct CFitSpec {
    double dMinSize = 6;
};

// The name that stands for every text area in a fit.
constexpr const char* AllAreas = "all";

struct CJobTicket {
    // The press sheet, in points; 0 when none is asked for.
    double dSheetWidth = 0;
    double dSheetHeight = 0;
    // The card's trim size, centred on the page; 0 for the page's size.
    double dCardWidth = 0;
    double dCardHeight = 0;
    // Cards across and down; 0 for as many as fit (auto).
    int nColumns = 0;
    int nRows = 0;
    StackOrder order = StackOrder::CutStack;
    bool bMarks = false;
    double dBleed = 0;
    double dGutter = 0;
    bool bDuplex = false;
    // Set when any of the settings above was given: the copies go on sheets.
    bool bImposed = false;
    std::map<std::string, CFitSpec> fits; // by area name, or AllAreas
    std::set<std::string> optional;       // field names
    std::map<std::string, CCodeSpec> codes;
    std::string strData;                        // the data format's name; empty: by extension
    char cSeparator = 0;                        // 0: the header row's
    std::map<std::string, std::string> columns; // by field name
    std::map<std::string, CNumbering> values;   // by area name: computed values
    bool bFinishingCode = false;
    bool bFinishingPlaced = false; // else a corner of the page, or of the sheet
    double dFinishingX = 0;        // the code's lower left corner and side, points
    double dFinishingY = 0;
    double dFinishingSize = 24;
    bool bPdfStandard = true;           // PDF/X-4 and PDF/VT-1; false: a plain PDF
    std::string strOutputIntent;        // the output profile's file; empty: the default
    std::string strOutputCondition;     // its identifier; empty: "Custom"
    std::vector<std::string> recipient; // field names, each once, in order

    // The fit of the area, or null.
    const CFitSpec* Fit(const char* pArea) const;
    // The code the area is drawn as, or null.
    const CCodeSpec* Code(const char* pArea) const;
};

// A key of the ticket: its name, which is its command-line option's after
// "--" unless pOption names that, the name of its value in the usage (null
// for a switch, whose text form on the command line is "true", and "false"
// for its "--no-" form) and its help there, whether it puts the copies on
// sheets (a switch only when on), and how its text form is set.
struct CTicketKey {
    const char* pName;
    const char* pValue;
    const char* pHelp;
    bool bImposes;
    std::function<bool(CJobTicket&, const std::string&)> set;
    const char* pOption = nullptr;
    // The command-line option's name after "--".
    const char* Option() const { return pOption != nullptr ? pOption : pName; }
};

// Why a key's value is refused, where more can be said than that it is
// not one the key takes (": {cop}: no such number; ..."), or "".
std::string ValueProblem(const std::string& strKey, const std::string& strValue);

// The value as a message quotes it: cut to a readable length.
std::string Shown(const std::string& strValue);

// Every key of the ticket, nCount of them, in the order the usage gives them.
const CTicketKey* TicketKeys(size_t& nCount);

// Sets one key from its text form (the command line's, without "--"); false
// with a message naming the key and the value when it is not one it takes.
bool SetTicketValue(CJobTicket& ticket, const std::string& strKey, const std::string& strValue,
                    std::string& strError);

// The largest ticket file read: a ticket holds a few settings.
constexpr size_t MaxTicketBytes = size_t(1) << 20;

// Reads the ticket file into the ticket; false with a message naming the file
// and the key at fault.
bool ReadTicket(const std::string& strPath, size_t nMaxBytes, CJobTicket& ticket,
                std::string& strError);

// The ticket beside the .ddf: its name without extension, ".ticket.json".
std::string TicketBeside(const std::string& strDocDefFile);

// Checks that every area and field the ticket names is one of the job's, a
// fit names a text area and a code an area that takes a text value; false
// with a message naming it.
bool CheckTicketNames(const CJobTicket& ticket, const CDocDef& docDef, std::string& strError);
