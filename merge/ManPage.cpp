// The manual page nebmerge(1), written from the command line's table and
// the job ticket's keys.
#include "merge/CommandLine.h"
#include "merge/job/Ticket.h"

#include <cstring>

namespace {

// Text as roff sets it: hyphens as minus signs (options are typed), a
// backslash as itself, a line that begins with a control character kept.
std::string Roff(const std::string& strText) {
    std::string strOut;
    for (char c : strText) {
        if (c == '\\') {
            strOut += "\\e";
        } else if (c == '-') {
            strOut += "\\-";
        } else {
            strOut += c;
        }
    }
    return !strOut.empty() && (strOut[0] == '.' || strOut[0] == '\'') ? "\\&" + strOut : strOut;
}

const char* const Description[] = {
    ".SH DESCRIPTION",
    "nebmerge takes a variable data job as the plug\\-in produced it (the document definition "
    "file JOB.ddf and the publication printed to disk as PostScript beside it) and the "
    "variable data input file, checks every copy of the data against the job's areas, and "
    "merges the copies into one PostScript file, a PDF for the press, or both in one pass.",
    ".PP",
    "The check always comes first: each problem is reported with its copy, field and place, "
    "and the summary gives the copies and the problems by kind.",
    "The report goes to standard output (as JSON with \\-\\-json); warnings, progress and what "
    "stopped the run go to standard error.",
    "Nothing is written when the job cannot be run; an output is written whole or not at all.",
    ".PP",
    "Options and the job and data file may come in any order.",
    "An option given again is taken again: a key that names a set (\\-\\-optional, "
    "\\-\\-fit, \\-\\-code, \\-\\-column) takes each name once, any other keeps the last "
    "value.",
    "Names (sheets, code kinds, orders, formats, switches) are taken in any case.",
};

const char* const DataFormats[] = {
    ".SH DATA FILES",
    "A data file is read in the job's own record format (each field as the plug\\-in marked "
    "it on the sample), unless it ends in .csv, .tsv or .tab, or \\-\\-data (or the ticket's "
    "\"data\") names csv or tsv.",
    ".PP",
    "A delimited file's first row names its columns; every row after it is a copy, a row of "
    "empty cells none.",
    "Each data field of the job takes the column of its name (case and surrounding blanks "
    "not counting), or the column \\-\\-column FIELD=NAME names.",
    "A field with no column stops the run before anything is written, naming the columns "
    "there are and the nearest name; columns the job does not use are named once in the "
    "report.",
    "The separator is a comma, a semicolon or a tab, the one the header row holds most of "
    "unless \\-\\-separator names it (a .tsv file: tab).",
    "Cells may be quoted, with doubled quotes inside; a quoted cell may hold separators and "
    "line breaks.",
    "A UTF\\-8 byte\\-order mark is dropped, a UTF\\-16 file (by its byte\\-order mark) is "
    "read as such, and a file whose first 64 KiB are UTF\\-8 is read as UTF\\-8 unless "
    "\\-\\-encoding is given.",
    "A row with more or fewer cells than the header is a problem of its copy, reported with "
    "its row and column (the header being row 1).",
    ".PP",
    "A spreadsheet workbook (.xlsx, .xls, .ods, known by its content whatever its name) is "
    "refused before anything is written: save its sheet as CSV with the character set "
    "UTF\\-8 and merge that file.",
};

const char* const PressOutput[] = {
    ".SH THE PDF",
    "The PDF claims PDF/X\\-4 and PDF/VT\\-1 and keeps what they ask, unless "
    "\\-\\-pdf\\-standard none asks for a plain PDF.",
    "Its Info dictionary and XMP metadata give the job's name, the producer and the run's "
    "time (SOURCE_DATE_EPOCH when it is set), alike.",
    "Its one output intent embeds the CMYK output profile it is printed to: Ghostscript's "
    "default_cmyk.icc (offset printing on coated paper, SWOP), or the profile "
    "\\-\\-output\\-intent names with the condition \\-\\-output\\-condition names; a "
    "file that is not a CMYK printer's ICC profile stops the run.",
    "Every page has its trim and bleed boxes; each copy (each sheet) is a document part whose "
    "metadata names the copy and the fields \\-\\-recipient names, in the CIP4 "
    "convention; the master pages and pictures are forms that set their own graphics state, "
    "marked for reuse.",
    ".SH NUMBERING AND FINISHING CODES",
    "\\-\\-value AREA=TEXT gives an area a value the run makes: TEXT with {copy} (the "
    "copy's number), {copies} (the copies the data holds), {page} and {pages} (within the "
    "copy), {sheet} and {side} (on press sheets); {copy:6} pads with blanks to six "
    "characters, {copy:06} with zeros, {{ and }} are braces.",
    "The value is set, fitted, drawn as a code and checked as a field's value is.",
    ".PP",
    "\\-\\-finishing\\-code draws on every page a DataMatrix that reads \"copy 12/1000 "
    "page 1/2\", and on a press sheet's side \"sheet 3 side 1/2 copies 3..1203:100\" (the "
    "copies it holds, runs written first..last:step), 24 points square in the lower left "
    "corner, on a sheet outside the cards; \\-\\-finishing\\-place X,Y,SIZE puts it "
    "elsewhere.",
};

const char* const Closing[] = {
    ".SH EXIT STATUS",
    ".TP",
    ".B 0",
    "every copy checked clean (and merged).",
    ".TP",
    ".B 1",
    "problems in the data; they are in the report, and the copies are merged as they are.",
    ".TP",
    ".B 2",
    "the job cannot be run: a file that cannot be read or written, a job that does not hold "
    "together, a ticket or option refused, a data field with no column; nothing is written.",
    ".SH FILES",
    ".TP",
    ".I JOB.ticket.json",
    "the job ticket beside the .ddf, read unless \\-\\-ticket names another.",
    ".TP",
    ".I JOB\\-merged.ps",
    "the merged PostScript when neither \\-\\-out nor \\-\\-pdf is given.",
    ".SH EXAMPLES",
    "Check a customer's spreadsheet export against the job:",
    ".PP",
    ".RS",
    ".B nebmerge card.ddf customers.csv \\-\\-check",
    ".RE",
    ".PP",
    "Merge it to a PDF, the field Street taking the column \"Address 1\":",
    ".PP",
    ".RS",
    ".B nebmerge card.ddf customers.csv \\-\\-pdf cards.pdf \\-\\-column \"Street=Address 1\"",
    ".RE",
    ".PP",
    "Number a thousand tickets, with a QR code of the number and finishing codes:",
    ".PP",
    ".RS",
    ".B nebmerge ticket.ddf buyers.csv \\-\\-pdf tickets.pdf \\-\\-value \"Number=No. "
    "{copy:04}\" \\-\\-value \"Code={copy:04}\" \\-\\-code Code=qr "
    "\\-\\-finishing\\-code",
    ".RE",
    ".PP",
    "Lay the copies on SRA3 sheets, backs behind fronts, without the ticket's crop marks:",
    ".PP",
    ".RS",
    ".B nebmerge card.ddf customers.txt \\-\\-pdf sheets.pdf \\-\\-sheet sra3 \\-\\-duplex "
    "\\-\\-no\\-marks",
    ".RE",
};

void Lines(FILE* pOut, const char* const* ppLines, size_t nCount) {
    for (size_t i = 0; i < nCount; ++i) {
        fprintf(pOut, "%s\n", ppLines[i]);
    }
}

// A key's value as the ticket writes it.
std::string TicketForm(const CTicketKey& key) {
    if (key.pValue == nullptr) {
        return "true | false";
    }
    const char* pEquals = strchr(key.pValue, '=');
    if (pEquals == nullptr) {
        return std::string("\"") + key.pValue + "\"";
    }
    return "{\"" + std::string(key.pValue, pEquals) + "\": \"" + (pEquals + 1) + "\", ...}";
}

} // namespace

void WriteManPage(FILE* pOut) {
    fprintf(pOut, ".TH NEBMERGE 1 \"\" \"%s\" \"NEB Variable Data\"\n",
            Roff(VersionText()).c_str());
    fputs(".SH NAME\nnebmerge \\- merge a variable data job and its data into personalised "
          "copies\n.SH SYNOPSIS\n.B nebmerge\n.I JOB.ddf DATA\\-FILE\n.RI [ options ]\n",
          pOut);
    Lines(pOut, Description, sizeof Description / sizeof Description[0]);
    fputs(".SH OPTIONS\n", pOut);
    for (const COption& option : MergeOptions()) {
        fprintf(pOut, ".TP\n.B %s%s%s\n%s\n", Roff(option.pName).c_str(),
                option.pValue != nullptr ? " " : "",
                option.pValue != nullptr ? ("\\fI" + Roff(option.pValue) + "\\fR").c_str() : "",
                Roff(option.strHelp).c_str());
    }
    fputs(".SH JOB TICKET\nThe job ticket is a JSON object of the settings of one production "
          "run. Each key is also an option, \\-\\-KEY, whose value wins over the ticket's; a "
          "key may also take a list of its values, each set in turn. A key it does not know, "
          "or a value it does not take, stops the run naming it; the ticket is at most 1 MiB "
          "and nests no deeper than 64 levels.\n",
          pOut);
    size_t nKeys = 0;
    const CTicketKey* pKeys = TicketKeys(nKeys);
    for (size_t i = 0; i < nKeys; ++i) {
        fprintf(pOut, ".TP\n\\fB\"%s\"\\fR: %s\n%s\n", Roff(pKeys[i].pName).c_str(),
                Roff(TicketForm(pKeys[i])).c_str(), Roff(pKeys[i].pHelp).c_str());
    }
    Lines(pOut, DataFormats, sizeof DataFormats / sizeof DataFormats[0]);
    Lines(pOut, PressOutput, sizeof PressOutput / sizeof PressOutput[0]);
    Lines(pOut, Closing, sizeof Closing / sizeof Closing[0]);
}
