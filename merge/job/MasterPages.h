// The pages of a DSC master: what comes before the first page (its prolog
// and setup), and each page's content. Documents embedded in the master (an
// EPS between %%BeginDocument and %%EndDocument, data between %%BeginData and
// %%EndData) are passed over whole, so that their own %%Page: comments do
// not split it.
#pragma once

#include <string>
#include <vector>

struct CMasterPages {
    std::string strHead;            // prolog and setup, without their DSC bracket lines
    std::vector<std::string> pages; // page n (from 1) at n - 1
};

// Splits the master at its own %%Page: comments; the pages end at its
// %%Trailer or %%EOF. False with a message when it has no page.
bool ReadMasterPages(const std::string& strText, CMasterPages& master, std::string& strError);
