// The plug-in's help contexts as its help file's sources list them: which
// page a dialog's topic is (a line "CONTEXT PAGE TITLE" of the topic list)
// and what a control's pop-up says (the text after ".topic CONTEXT" in the
// pop-up texts, up to the next ".topic").
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// Which controls of a dialog answer F1 with what: a pop-up of their own
// (PopupContext of the control) or the dialog's topic (TopicContext of the
// dialog). F1 on any other control is left to the window manager.
struct CHelpTable {
    std::vector<int> popupControls;
    std::vector<int> topicControls;
};

constexpr uint32_t TopicContext(int nDialogId) {
    return 0x20000 + static_cast<uint32_t>(nDialogId);
}
constexpr uint32_t PopupContext(int nControlId) {
    return 0x50000 + static_cast<uint32_t>(nControlId);
}

// The help tables of the plug-in's dialogs, by dialog resource number.
const std::map<int, CHelpTable>& DialogHelpTables();

struct CHelpTopic {
    std::string strPage;  // the page inside the help file, "named-object.htm"
    std::string strTitle; // the page's title
};

// Topics by context number; lines that are empty or start with "#" are
// skipped. A line it cannot read is left out and named in *pError.
std::map<uint32_t, CHelpTopic> ReadHelpTopics(std::string_view text, std::string* pError);

// Pop-up texts by context number: each text's lines joined by one space,
// blank lines kept as paragraph breaks ("\n\n"), blanks around trimmed.
std::map<uint32_t, std::string> ReadHelpPopups(std::string_view text, std::string* pError);
