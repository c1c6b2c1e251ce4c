#include "merge/job/MasterPages.h"

#include <cstring>

namespace {

bool Begins(const std::string& strText, size_t nAt, size_t nEnd, const char* pPrefix) {
    size_t nLength = strlen(pPrefix);
    return nEnd - nAt >= nLength && strText.compare(nAt, nLength, pPrefix) == 0;
}

// The DSC comments that open and close an embedded part.
const char* const Opening[] = {"%%BeginDocument", "%%BeginData", "%%BeginBinary"};
const char* const Closing[] = {"%%EndDocument", "%%EndData", "%%EndBinary"};
// The master's own bracket lines, which the merged file has its own of.
const char* const Brackets[] = {"%%BeginProlog", "%%EndProlog", "%%BeginSetup", "%%EndSetup",
                                "%%EndComments"};

} // namespace

bool ReadMasterPages(const std::string& strText, CMasterPages& master, std::string& strError) {
    master = CMasterPages();
    int nDepth = 0;
    bool bHeader = true; // in the header comments of the first lines
    std::string* pInto = &master.strHead;
    size_t nAt = 0;
    while (nAt < strText.size()) {
        size_t nEnd = strText.find('\n', nAt);
        nEnd = nEnd == std::string::npos ? strText.size() : nEnd + 1;
        bool bKeep = true;
        if (bHeader) {
            // The header: the first line and the comments with values after it.
            bool bLineIsHeader =
                nAt == 0 || Begins(strText, nAt, nEnd, "%%+") ||
                (Begins(strText, nAt, nEnd, "%%") && strText.find(':', nAt) < nEnd &&
                 !Begins(strText, nAt, nEnd, "%%Page:"));
            bHeader = bLineIsHeader;
            bKeep = !bLineIsHeader;
        }
        if (!bHeader && Begins(strText, nAt, nEnd, "%%")) {
            for (const char* pOpening : Opening) {
                nDepth += Begins(strText, nAt, nEnd, pOpening) ? 1 : 0;
            }
            for (const char* pClosing : Closing) {
                nDepth -= Begins(strText, nAt, nEnd, pClosing) && nDepth > 0 ? 1 : 0;
            }
            if (nDepth == 0 && Begins(strText, nAt, nEnd, "%%Page:")) {
                master.pages.emplace_back();
                pInto = &master.pages.back();
                bKeep = false;
            } else if (nDepth == 0 && (Begins(strText, nAt, nEnd, "%%Trailer") ||
                                       Begins(strText, nAt, nEnd, "%%EOF"))) {
                break;
            } else if (nDepth == 0 && pInto == &master.strHead) {
                for (const char* pBracket : Brackets) {
                    bKeep = bKeep && !Begins(strText, nAt, nEnd, pBracket);
                }
            }
        }
        if (bKeep) {
            pInto->append(strText, nAt, nEnd - nAt);
        }
        nAt = nEnd;
    }
    if (master.pages.empty()) {
        strError = "the PostScript master has no %%Page: comment";
        return false;
    }
    for (std::string& strPage : master.pages) {
        if (!strPage.empty() && strPage.back() != '\n') {
            strPage += '\n';
        }
    }
    return true;
}
