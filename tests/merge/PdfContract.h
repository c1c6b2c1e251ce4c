// The rules a PDF/X-4 and PDF/VT-1 file of the merge step keeps, each read
// from the written file with the PDF library as a press's preflight reads
// it. Used by the tests and, as the program pdf_contract, on the demo's
// files.
#pragma once

#include <string>
#include <vector>

// A rule the file breaks: its name ("header", "xmp", ...) and what is wrong.
struct CBrokenRule {
    std::string strRule;
    std::string strWhat;
};

// The rules the PDF breaks; empty when it keeps them all. A file that
// cannot be read breaks the rule "file".
std::vector<CBrokenRule> BrokenRules(const std::string& strPath);
