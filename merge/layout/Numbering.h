// Values the run computes rather than reads: numbering. A template of
// literal text and fields in braces, "No. {copy:06}", is filled in for each
// page from where the page stands in the run: the copy's number and the
// number of copies the data holds, the page within the copy and the copy's
// pages, and on press sheets the sheet and its side. "{name:N}" pads the
// number with blanks to N characters, "{name:0N}" with zeros; "{{" and "}}"
// stand for a brace.
#pragma once

#include <string>
#include <vector>

// What a field of a template stands for.
enum class RunNumber { Copy, Copies, Page, Pages, Sheet, Side };

// Where a page stands in the run.
struct CRunPlace {
    long nCopy = 0;
    long nCopies = 0;
    long nPage = 0;
    long nPages = 0;
    long nSheet = 0; // 0 without press sheets
    long nSide = 0;
};

// A template: literal parts and numbers, in order.
struct CNumbering {
    struct CPart {
        std::string strText; // the literal text before the number (or the tail)
        bool bNumber = false;
        RunNumber number = RunNumber::Copy;
        int nWidth = 0;
        bool bZeros = false;
    };
    std::vector<CPart> parts;

    // Whether any field needs press sheets ({sheet}, {side}).
    bool UsesSheets() const;
};

// The widest a padded number may be asked to be.
constexpr int MaxNumberWidth = 20;

// Reads the template; false with why, naming the part at fault (and the
// nearest name for an unknown field).
bool ParseNumbering(const std::string& strTemplate, CNumbering& numbering, std::string& strError);

// The template filled in for the place.
std::string Numbered(const CNumbering& numbering, const CRunPlace& place);
