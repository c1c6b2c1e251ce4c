// pubhost: the stand-in publishing application on the command line.
//   pubhost <plug-in> <publication.json> [--log FILE] [--ui FILE]
//           [--fail-request N] STEP...
//   pubhost --new <publication.json> <publication path>
//   pubhost --catalogue <model.json> <publication.json> PAGES PER-PAGE
// Steps, taken in order:
//   commands     list the plug-in's commands with their menu texts
//   startup      send selector 1 (start-up)
//   shutdown     send selector 2 (shut-down) and save the publication
//   command:N    run command N
//   selector:N   send any selector
//   select:ID    select the object with the identifier (its page becomes current)
//   strings      list the publication's private strings
// The --ui file answers the plug-in's windows in order, one line each:
//   messagebox BUTTON
//   openfile PATH
//   dialog BUTTON [ID=TEXT]... [select=ID:FROM:TO] [dblclick=ID:CHAR]
//          [pick=ID:INDEX] [toggle=ID] [help=ID] [click=ID] [image=FILE]
//          [snapshot=MARKER] [stays]
// where BUTTON and ID are control identifiers (1 OK, 2 Cancel; BUTTON 0
// presses nothing and the dialog is answered again by a later line) and TEXT
// runs to the next blank. select sets an edit's selection, dblclick
// double-clicks a character of an edit, pick picks a list entry, toggle clicks
// a check box or radio button, help presses F1 on a control, click clicks a
// button that opens no window; image writes a picture of the dialog (BMP);
// stays says the button opens a window on top of the dialog; MARKER names
// files through which a screenshot is taken while the dialog shows its texts
// (MARKER.ready, then MARKER.done).
// --fail-request N fails the Nth request of the run (from 1) once, as a host
// that cannot do it; the windows the plug-in then shows unasked are closed
// and listed, and a window of the --ui file that no longer comes ends the
// answers. At the end the host prints how many requests it answered and how
// many of its reply blocks were never freed.
// --timing prints, for every call of the plug-in, the requests it made and
// where its time went: in the host's answers, in windows the driver answered
// (the pause between two requests in which the window came), and the rest,
// the plug-in's own.
// --catalogue writes a publication of PAGES pages of PER-PAGE placeholders
// with the model's fields, paper and printer (see Catalogue.h).
#include "core/CommandLine.h"
#include "host/Catalogue.h"
#include "host/HostClock.h"
#include "host/StandInHost.h"
#include "host/UiDriver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

// What the command line asks for.
struct CArguments {
    std::string strPlugin;
    std::string strPublicationFile;
    std::string strLogFile;
    std::string strUiFile;
    size_t nFailRequest = 0;
    bool bTiming = false;
    std::vector<std::string> steps;
};

// One entry gives both the parsing and the usage of an option.
struct COption {
    const char* pName;
    const char* pValue; // the value's name in the usage; null for a switch
    std::function<void(CArguments&, const char*)> set;
};

const COption Options[] = {
    {"--log", "FILE", [](CArguments& a, const char* p) { a.strLogFile = p; }},
    {"--ui", "FILE", [](CArguments& a, const char* p) { a.strUiFile = p; }},
    {"--fail-request", "N",
     [](CArguments& a, const char* p) { a.nFailRequest = strtoul(p, nullptr, 10); }},
    {"--timing", nullptr, [](CArguments& a, const char*) { a.bTiming = true; }},
};

int Usage() {
    std::string strOptions;
    for (const COption& option : Options) {
        strOptions += std::string("[") + option.pName +
                      (option.pValue != nullptr ? std::string(" ") + option.pValue : "") + "] ";
    }
    fprintf(stderr,
            "usage: pubhost <plug-in> <publication.json> %s"
            "commands|startup|shutdown|command:N|selector:N|select:ID|strings ...\n"
            "       pubhost --new <publication.json> <publication path>\n"
            "       pubhost --catalogue <model.json> <publication.json> PAGES PER-PAGE\n",
            strOptions.c_str());
    return 2;
}

// The plug-in, the publication file and the options; every other word is a
// step. False when the steps are missing.
bool ParseArguments(int argc, char** argv, CArguments& arguments) {
    if (argc < 4) {
        return false;
    }
    arguments.strPlugin = argv[1];
    arguments.strPublicationFile = argv[2];
    return ReadOptions(
        argc, argv, 3, Options,
        [&](const COption& option, const char* pValue) {
            option.set(arguments, pValue);
            return true;
        },
        [&](const char* pWord) {
            arguments.steps.push_back(pWord);
            return true;
        });
}

// The numbers of a "KEY=A:B:C" value.
std::vector<int> Numbers(const std::string& strValue) {
    std::vector<int> numbers;
    std::istringstream parts(strValue);
    std::string strPart;
    while (std::getline(parts, strPart, ':')) {
        numbers.push_back(atoi(strPart.c_str()));
    }
    return numbers;
}

// Reads one word of a dialog line into the actions; false when it is not one.
bool ReadDialogWord(const std::string& strWord, CDialogActions& actions) {
    if (strWord == "stays") {
        actions.bStaysOpen = true;
        return true;
    }
    size_t nEquals = strWord.find('=');
    if (nEquals == std::string::npos) {
        return false;
    }
    std::string strKey = strWord.substr(0, nEquals);
    std::string strValue = strWord.substr(nEquals + 1);
    std::vector<int> numbers = Numbers(strValue);
    if (strKey == "snapshot") {
        actions.strMarker = strValue;
    } else if (strKey == "image") {
        actions.strImage = strValue;
    } else if (strKey == "select" && numbers.size() == 3) {
        actions.selections.push_back({numbers[0], numbers[1], numbers[2]});
    } else if (strKey == "dblclick" && numbers.size() == 2) {
        actions.doubleClicks.emplace_back(numbers[0], numbers[1]);
    } else if (strKey == "pick" && numbers.size() == 2) {
        actions.picks.emplace_back(numbers[0], numbers[1]);
    } else if (strKey == "toggle" && numbers.size() == 1) {
        actions.toggles.push_back(numbers[0]);
    } else if (strKey == "help" && numbers.size() == 1) {
        actions.helpKeys.push_back(numbers[0]);
    } else if (strKey == "click" && numbers.size() == 1) {
        actions.clicks.push_back(numbers[0]);
    } else if (!strKey.empty() && strKey.find_first_not_of("0123456789") == std::string::npos) {
        actions.texts.emplace_back(atoi(strKey.c_str()), strValue);
    } else {
        return false;
    }
    return true;
}

// Reads the answers to the plug-in's windows; false with a message.
bool LoadUiSteps(const std::string& strFile, CUiDriver& driver, std::string& strError) {
    std::ifstream in(strFile);
    if (!in) {
        strError = strFile + ": cannot open the window answers";
        return false;
    }
    std::string strLine;
    for (int nLine = 1; std::getline(in, strLine); ++nLine) {
        std::istringstream words(strLine);
        std::string strKind;
        std::string strWhere = strFile + ": line " + std::to_string(nLine) + ": ";
        if (!(words >> strKind) || strKind[0] == '#') {
            continue;
        }
        if (strKind == "openfile") {
            std::string strPath;
            if (!(words >> strPath)) {
                strError = strWhere + "openfile needs a path";
                return false;
            }
            driver.ChooseFile(strPath);
            continue;
        }
        int nButton = 0;
        if (!(words >> nButton) || (strKind != "messagebox" && strKind != "dialog")) {
            strError = strWhere + "not an answer";
            return false;
        }
        if (strKind == "messagebox") {
            driver.PressOnMessageBox(nButton);
            continue;
        }
        CDialogActions actions;
        actions.nButton = nButton;
        std::string strWord;
        while (words >> strWord) {
            if (!ReadDialogWord(strWord, actions)) {
                strError = strWhere + strWord + " is not an action";
                return false;
            }
        }
        driver.UseDialog(actions);
    }
    return true;
}

void PrintStrings(const std::vector<CPrivateString>& strings, const char* pOwner) {
    for (const CPrivateString& entry : strings) {
        printf("%s string \"%s\" \"%s\" %d: %s\n", pOwner, entry.strDeveloper.c_str(),
               entry.strKey.c_str(), entry.nIndex,
               entry.bDeleted ? "(deleted)" : ("\"" + entry.strValue + "\"").c_str());
    }
}

void PrintStrings(const CPublication& publication) {
    PrintStrings(publication.strings, "publication");
    for (const CHostPage& page : publication.pages) {
        for (const CHostObject& object : page.objects) {
            PrintStrings(object.strings, ("object " + std::to_string(object.nId)).c_str());
        }
    }
}

// One call of the plug-in, timed.
struct CTimedCall {
    std::string strStep;
    size_t nFirstRequest = 0; // index into the request times
    size_t nEndRequest = 0;
    int64_t nStart = 0;
    int64_t nEnd = 0;
};

// The pause between two requests (or the call's start or end) in which the
// moment lies.
int64_t PauseAround(int64_t nMoment, const CTimedCall& call,
                    const std::vector<CRequestTime>& times) {
    int64_t nFrom = call.nStart;
    int64_t nTo = call.nEnd;
    for (size_t i = call.nFirstRequest; i < call.nEndRequest; ++i) {
        if (times[i].nEnd <= nMoment) {
            nFrom = times[i].nEnd;
        } else if (times[i].nStart >= nMoment) {
            nTo = times[i].nStart;
            break;
        }
    }
    return nTo - nFrom;
}

void PrintTiming(const CTimedCall& call, const std::vector<CRequestTime>& times,
                 const std::vector<CSeenWindow>& windows) {
    int64_t nHost = 0;
    for (size_t i = call.nFirstRequest; i < call.nEndRequest; ++i) {
        nHost += times[i].nEnd - times[i].nStart;
    }
    int64_t nWindows = 0;
    for (const CSeenWindow& window : windows) {
        if (window.nSeenTicks >= call.nStart && window.nSeenTicks <= call.nEnd) {
            nWindows += PauseAround(window.nSeenTicks, call, times);
        }
    }
    int64_t nTotal = call.nEnd - call.nStart;
    printf("timing %s: requests %zu, total %.3f ms, host %.3f ms, windows %.3f ms, "
           "plug-in %.3f ms\n",
           call.strStep.c_str(), call.nEndRequest - call.nFirstRequest, TicksToMs(nTotal),
           TicksToMs(nHost), TicksToMs(nWindows), TicksToMs(nTotal - nHost - nWindows));
}

int MakeCataloguePublication(char** argv) {
    CPublication model;
    CPublication catalogue;
    std::string strError;
    if (!LoadPublication(argv[2], model, strError) ||
        !MakeCatalogue(model, atoi(argv[4]), atoi(argv[5]), catalogue, strError) ||
        !SavePublication(argv[3], catalogue, strError)) {
        fprintf(stderr, "pubhost: %s\n", strError.c_str());
        return 1;
    }
    printf("catalogue of %s pages of %s placeholders in %s\n", argv[4], argv[5], argv[3]);
    return 0;
}

const char* SelectorName(uint16_t nSelector) {
    switch (nSelector) {
    case SelStartup:
        return "start-up";
    case SelShutdown:
        return "shut-down";
    case SelCommand:
        return "command";
    default:
        return "selector";
    }
}

// A run of the plug-in in the host: the steps taken, the calls timed.
struct CRun {
    const CArguments& arguments;
    CStandInHost& host;
    CPluginModule& plugin;
    std::vector<CTimedCall> calls;
    int nExit = 0;
};

// Lists the plug-in's commands; false when its command resource is malformed.
bool ListCommands(CPluginModule& plugin) {
    std::vector<CPluginCommand> commands;
    if (!plugin.ReadCommands(commands)) {
        fprintf(stderr, "pubhost: the plug-in's command resource is malformed\n");
        return false;
    }
    for (const CPluginCommand& command : commands) {
        printf("command %u: %s\n", command.nCommand, command.strMenuText.c_str());
    }
    return true;
}

// The user clicks an object with the pointer tool: its page becomes the
// current one and it is the selection. False when there is no such object.
bool SelectObject(CPublication& publication, int32_t nId) {
    int16_t nPage = publication.PageOf(nId);
    if (nPage == 0) {
        fprintf(stderr, "pubhost: no object %d to select\n", nId);
        return false;
    }
    publication.nCurrentPage = nPage;
    publication.nSelectedId = nId;
    printf("selected object %d on page %d\n", nId, nPage);
    return true;
}

// Calls the plug-in with the selector, timed, and prints its status, the
// requests it made and the error text it left; shut-down saves the
// publication.
void CallPlugin(CRun& run, const std::string& strStep, uint16_t nSelector, uint32_t nCommand) {
    CStandInHost& host = run.host;
    size_t nFirstRequest = host.RequestCount() + 1;
    CTimedCall call;
    call.strStep = strStep;
    call.nFirstRequest = host.RequestTimes().size();
    call.nStart = ClockTicks();
    uint16_t nStatus = host.Call(run.plugin.Entry(), nSelector, nCommand);
    call.nEnd = ClockTicks();
    call.nEndRequest = host.RequestTimes().size();
    run.calls.push_back(call);
    std::string strRequests =
        "requests " + std::to_string(nFirstRequest) + " to " + std::to_string(host.RequestCount());
    if (nSelector == SelCommand) {
        printf("%s %u: status %u (%s)\n", SelectorName(nSelector), nCommand, nStatus,
               strRequests.c_str());
    } else {
        printf("%s: status %u (%s)\n", SelectorName(nSelector), nStatus, strRequests.c_str());
    }
    CErrorText text;
    if (host.TakeErrorText(text)) {
        printf("error text: %s (%s)\n", text.strMessage.c_str(), text.strCaption.c_str());
    }
    std::string strError;
    if (nSelector == SelShutdown &&
        !SavePublication(run.arguments.strPublicationFile, host.Publication(), strError)) {
        fprintf(stderr, "pubhost: %s\n", strError.c_str());
        run.nExit = 1;
    }
}

// Takes one step; false when the run cannot go on (an unknown step, an
// object that is not there).
bool TakeStep(CRun& run, const std::string& strStep) {
    if (strStep == "commands") {
        run.nExit = ListCommands(run.plugin) ? run.nExit : 1;
        return true;
    }
    if (strStep == "strings") {
        PrintStrings(run.host.Publication());
        return true;
    }
    if (strStep.rfind("select:", 0) == 0) {
        return SelectObject(run.host.Publication(),
                            static_cast<int32_t>(strtol(strStep.c_str() + 7, nullptr, 10)));
    }
    uint16_t nSelector = 0;
    uint32_t nCommand = 0;
    if (strStep == "startup") {
        nSelector = SelStartup;
    } else if (strStep == "shutdown") {
        nSelector = SelShutdown;
    } else if (strStep.rfind("command:", 0) == 0) {
        nSelector = SelCommand;
        nCommand = static_cast<uint32_t>(strtoul(strStep.c_str() + 8, nullptr, 10));
    } else if (strStep.rfind("selector:", 0) == 0) {
        nSelector = static_cast<uint16_t>(strtoul(strStep.c_str() + 9, nullptr, 10));
    } else {
        Usage();
        return false;
    }
    CallPlugin(run, strStep, nSelector, nCommand);
    return true;
}

// What the windows showed and how they were answered; false when the
// answers did not all come to pass.
bool ReportWindows(CUiDriver& driver) {
    bool bAnswered = driver.Finish();
    for (const CSeenWindow& seen : driver.Seen()) {
        printf("window \"%s\"%s%s: pressed %d\n", seen.strCaption.c_str(),
               seen.strText.empty() ? "" : " saying ", seen.strText.c_str(), seen.nPressed);
    }
    for (std::string strUnasked : driver.Unasked()) {
        std::replace(strUnasked.begin(), strUnasked.end(), '\n', ' ');
        printf("unasked: %s\n", strUnasked.c_str());
    }
    if (!bAnswered) {
        fprintf(stderr, "pubhost: %s\n", driver.Error().c_str());
    }
    return bAnswered;
}

// The timings, the requests answered and the blocks not freed, and the log.
void Report(const CRun& run, const CUiDriver& driver) {
    if (run.arguments.bTiming) {
        for (const CTimedCall& call : run.calls) {
            PrintTiming(call, run.host.RequestTimes(), driver.Seen());
        }
    }
    printf("requests answered: %zu\n", run.host.RequestCount());
    printf("reply blocks not freed: %zu\n", run.host.UnfreedReplyBlocks().size());
    if (!run.arguments.strLogFile.empty()) {
        std::ofstream log(run.arguments.strLogFile, std::ios::binary | std::ios::trunc);
        log << run.host.Log().Format();
    }
}

int NewPublication(char** argv) {
    CPublication publication;
    publication.strPath = argv[3];
    publication.pages.resize(1);
    std::string strError;
    if (!SavePublication(argv[2], publication, strError)) {
        fprintf(stderr, "pubhost: %s\n", strError.c_str());
        return 1;
    }
    printf("new publication %s in %s\n", argv[3], argv[2]);
    return 0;
}

// Loads the publication and the plug-in and takes the steps, the windows
// answered by the driver.
int Run(const CArguments& arguments) {
    CStandInHost host;
    std::string strError;
    if (!LoadPublication(arguments.strPublicationFile, host.Publication(), strError)) {
        fprintf(stderr, "pubhost: %s\n", strError.c_str());
        return 1;
    }
    CPluginModule plugin;
    if (!plugin.Load(arguments.strPlugin)) {
        fprintf(stderr, "pubhost: %s\n", plugin.Error().c_str());
        return 1;
    }
    printf("publication: %s\n", host.Publication().strPath.c_str());
    // A failing host makes the plug-in show what the answers do not foresee:
    // it is closed and listed; a window that then does not come is not waited
    // for long.
    CUiDriver driver(GetCurrentThreadId(), arguments.nFailRequest != 0 ? 5000 : 15000);
    if (arguments.nFailRequest != 0) {
        host.FailNthRequest(arguments.nFailRequest);
        driver.TolerateUnaskedWindows();
    }
    bool bDriven = !arguments.strUiFile.empty() || arguments.nFailRequest != 0;
    if (!arguments.strUiFile.empty() && !LoadUiSteps(arguments.strUiFile, driver, strError)) {
        fprintf(stderr, "pubhost: %s\n", strError.c_str());
        return 1;
    }
    if (bDriven) {
        driver.Start();
    }
    CRun run{arguments, host, plugin, {}, 0};
    for (const std::string& strStep : arguments.steps) {
        if (!TakeStep(run, strStep)) {
            return strStep.rfind("select:", 0) == 0 ? 1 : 2;
        }
    }
    if (bDriven && !ReportWindows(driver)) {
        run.nExit = 1;
    }
    Report(run, driver);
    return run.nExit;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--new") {
        return NewPublication(argv);
    }
    if (argc == 6 && std::string(argv[1]) == "--catalogue") {
        return MakeCataloguePublication(argv);
    }
    CArguments arguments;
    if (!ParseArguments(argc, argv, arguments)) {
        return Usage();
    }
    return Run(arguments);
}
