#include "Help.h"

#include "App.h"
#include "HelpPopup.h"
#include "HtmlHelp.h"
#include "Messages.h"
#include "Replaceable.h"
#include "core/HelpContexts.h"
#include "core/PathParts.h"
#include "core/StringIds.h"

#include <map>

namespace {
CReplaceable<HelpEngine> engine(OpenHelpFile);

bool IsFile(const std::string& strPath) {
    DWORD nAttributes = GetFileAttributesA(strPath.c_str());
    return nAttributes != INVALID_FILE_ATTRIBUTES && (nAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// A text the plug-in carries as a resource of its own.
std::string ResourceText(int nId) {
    HINSTANCE hInstance = AppInstance();
    HRSRC hFound = FindResourceA(hInstance, MAKEINTRESOURCEA(nId), MAKEINTRESOURCEA(10));
    HGLOBAL hLoaded = hFound != nullptr ? LoadResource(hInstance, hFound) : nullptr;
    const char* pText =
        hLoaded != nullptr ? static_cast<const char*>(LockResource(hLoaded)) : nullptr;
    return pText != nullptr ? std::string(pText, SizeofResource(hInstance, hFound)) : std::string();
}

const std::map<uint32_t, CHelpTopic>& Topics() {
    static const std::map<uint32_t, CHelpTopic> topics =
        ReadHelpTopics(ResourceText(NEB_HELP_TOPICS), nullptr);
    return topics;
}

const std::map<uint32_t, std::string>& Popups() {
    static const std::map<uint32_t, std::string> popups =
        ReadHelpPopups(ResourceText(NEB_HELP_POPUPS), nullptr);
    return popups;
}

void ShowHelpMessage(const std::string& strText) {
    FrameworkMessageBox(strText.c_str(), MB_OK | MB_ICONINFORMATION);
}

bool ShowPopupOf(HWND hOwner, DWORD nContext) {
    auto found = Popups().find(nContext);
    HWND hControl = GetDlgItem(hOwner, static_cast<int>(nContext - PopupContext(0)));
    return ShowHelpPopup(hOwner, hControl,
                         found != Popups().end() ? found->second
                                                 : "There is no help for this item.");
}

bool ShowTopicOf(HWND hOwner, const std::string& strChm, DWORD nContext) {
    auto found = Topics().find(nContext);
    CHelpTopic topic =
        found != Topics().end() ? found->second : CHelpTopic{"index.htm", "NEB Variable Data"};
    if (ShowHtmlTopic(hOwner, strChm + "::/" + topic.strPage,
                      "NEB Variable Data Help - " + topic.strTitle) != nullptr) {
        return true;
    }
    ShowHelpMessage("The help file " + strChm +
                    " could not be opened: HTML Help (hhctrl.ocx) is not available.");
    return false;
}
} // namespace

HelpEngine SetHelpEngine(HelpEngine fnEngine) {
    return engine.Set(fnEngine);
}

bool OpenHelp(HWND hOwner, UINT nCommand, DWORD nContext) {
    return (*engine)(hOwner, nCommand, nContext);
}

CHelpFile FindHelpFile() {
    char szPath[MAX_PATH + 1] = {};
    GetModuleFileNameA(AppInstance(), szPath, MAX_PATH);
    CPathParts parts = SplitPath(szPath);
    std::string strFolder = parts.strDrive + parts.strFolder;
    if (IsFile(strFolder + "nebvdata.chm")) {
        return {HelpFileKind::Html, strFolder + "nebvdata.chm"};
    }
    if (IsFile(strFolder + "nebvdata.hlp")) {
        return {HelpFileKind::WinHelp, strFolder + "nebvdata.hlp"};
    }
    return {HelpFileKind::None, strFolder + "nebvdata.chm"};
}

bool OpenHelpFile(HWND hOwner, UINT nCommand, DWORD nContext) {
    CHelpFile file = FindHelpFile();
    switch (file.kind) {
    case HelpFileKind::Html:
        return nCommand == HELP_CONTEXTPOPUP ? ShowPopupOf(hOwner, nContext)
                                             : ShowTopicOf(hOwner, file.strPath, nContext);
    case HelpFileKind::WinHelp:
        return WinHelpA(hOwner, file.strPath.c_str(), nCommand, nContext) != FALSE;
    case HelpFileKind::None:
        break;
    }
    CPathParts parts = SplitPath(file.strPath);
    ShowHelpMessage("The help file " + parts.strName + parts.strExt + " was not found in " +
                    parts.strDrive + parts.strFolder +
                    ".\nCopy it there from the NEB Variable Data package, or re-install the "
                    "NEB Variable Data product.");
    return false;
}

void CloseHelp() {
    CloseHelpPopup();
    CloseHtmlHelp();
}
