// pubhost: the stand-in publishing application on the command line.
//   pubhost <plug-in> <publication.json> [--log FILE] STEP...
//   pubhost --new <publication.json> <publication path>
// Steps, taken in order:
//   commands     list the plug-in's commands with their menu texts
//   startup      send selector 1 (start-up)
//   shutdown     send selector 2 (shut-down) and save the publication
//   command:N    run command N
//   selector:N   send any selector
//   strings      list the publication's private strings
#include "host/StandInHost.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

int Usage() {
    fprintf(stderr, "usage: pubhost <plug-in> <publication.json> [--log FILE] "
                    "commands|startup|shutdown|command:N|selector:N|strings ...\n"
                    "       pubhost --new <publication.json> <publication path>\n");
    return 2;
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

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--new") {
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
    if (argc < 4) {
        return Usage();
    }
    std::string strPlugin = argv[1];
    std::string strPublicationFile = argv[2];
    std::string strLogFile;
    std::vector<std::string> steps;
    for (int i = 3; i < argc; ++i) {
        std::string strArg = argv[i];
        if (strArg == "--log" && i + 1 < argc) {
            strLogFile = argv[++i];
        } else {
            steps.push_back(strArg);
        }
    }

    CStandInHost host;
    std::string strError;
    if (!LoadPublication(strPublicationFile, host.Publication(), strError)) {
        fprintf(stderr, "pubhost: %s\n", strError.c_str());
        return 1;
    }
    CPluginModule plugin;
    if (!plugin.Load(strPlugin)) {
        fprintf(stderr, "pubhost: %s\n", plugin.Error().c_str());
        return 1;
    }
    printf("publication: %s\n", host.Publication().strPath.c_str());

    int nExit = 0;
    for (const std::string& strStep : steps) {
        if (strStep == "commands") {
            std::vector<CPluginCommand> commands;
            if (!plugin.ReadCommands(commands)) {
                fprintf(stderr, "pubhost: the plug-in's command resource is malformed\n");
                nExit = 1;
                continue;
            }
            for (const CPluginCommand& command : commands) {
                printf("command %u: %s\n", command.nCommand, command.strMenuText.c_str());
            }
            continue;
        }
        if (strStep == "strings") {
            PrintStrings(host.Publication());
            continue;
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
            return Usage();
        }
        uint16_t nStatus = host.Call(plugin.Entry(), nSelector, nCommand);
        if (nSelector == SelCommand) {
            printf("%s %u: status %u\n", SelectorName(nSelector), nCommand, nStatus);
        } else {
            printf("%s: status %u\n", SelectorName(nSelector), nStatus);
        }
        CErrorText text;
        if (host.TakeErrorText(text)) {
            printf("error text: %s (%s)\n", text.strMessage.c_str(), text.strCaption.c_str());
        }
        if (nSelector == SelShutdown &&
            !SavePublication(strPublicationFile, host.Publication(), strError)) {
            fprintf(stderr, "pubhost: %s\n", strError.c_str());
            nExit = 1;
        }
    }
    if (!strLogFile.empty()) {
        std::ofstream log(strLogFile, std::ios::binary | std::ios::trunc);
        log << host.Log().Format();
    }
    return nExit;
}
