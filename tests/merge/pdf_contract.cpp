// pdf_contract FILE.pdf...: the rules of PDF/X-4 and PDF/VT-1 each file
// breaks, one a line; exit 1 when any is broken.
#include "PdfContract.h"

#include <cstdio>

int main(int argc, char** argv) {
    int nExit = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<CBrokenRule> broken = BrokenRules(argv[i]);
        for (const CBrokenRule& rule : broken) {
            printf("%s: %s: %s\n", argv[i], rule.strRule.c_str(), rule.strWhat.c_str());
        }
        if (broken.empty()) {
            printf("%s: keeps every rule of PDF/X-4 and PDF/VT-1 checked here\n", argv[i]);
        }
        nExit = broken.empty() ? nExit : 1;
    }
    return nExit;
}
