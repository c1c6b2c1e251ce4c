#include "HelpReadBack.h"

#include "plugin/framework/Help.h"

#include <cstring>

namespace {
std::vector<CShownHelp> shown;

// The text of the help window, or of the pop-up inside the dialog.
std::string TextOfWindow(HWND hOwner, const char* pClass) {
    HWND hWindow = hOwner != nullptr && strcmp(pClass, "NebHelpPopup") == 0
                       ? FindWindowExA(hOwner, nullptr, pClass, nullptr)
                       : FindWindowA(pClass, nullptr);
    char szText[2048] = {};
    if (hWindow != nullptr && IsWindowVisible(hWindow)) {
        GetWindowTextA(hWindow, szText, sizeof szText);
    }
    return szText;
}

bool ReadBack(HWND hOwner, UINT nCommand, DWORD nContext) {
    bool bShown = OpenHelpFile(hOwner, nCommand, nContext);
    shown.push_back(
        {nCommand, nContext,
         TextOfWindow(hOwner, nCommand == HELP_CONTEXTPOPUP ? "NebHelpPopup" : "HH Parent")});
    return bShown;
}
} // namespace

CHelpReadBack::CHelpReadBack() {
    shown.clear();
    SetHelpEngine(ReadBack);
}

CHelpReadBack::~CHelpReadBack() {
    SetHelpEngine(nullptr);
    CloseHelp();
}

const std::vector<CShownHelp>& CHelpReadBack::Shown() const {
    return shown;
}

std::vector<std::pair<UINT, ULONG_PTR>> CHelpReadBack::Requests() const {
    std::vector<std::pair<UINT, ULONG_PTR>> requests;
    for (const CShownHelp& help : shown) {
        requests.emplace_back(help.nCommand, help.nContext);
    }
    return requests;
}
