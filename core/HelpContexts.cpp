#include "HelpContexts.h"

#include "StringIds.h"

#include <cstdlib>

namespace {

std::string_view Trimmed(std::string_view text) {
    size_t nStart = text.find_first_not_of(" \t\r");
    if (nStart == std::string_view::npos) {
        return {};
    }
    size_t nEnd = text.find_last_not_of(" \t\r");
    return text.substr(nStart, nEnd - nStart + 1);
}

// Calls fn(line number, line) for every line of the text.
template <typename F> void ForEachLine(std::string_view text, F fn) {
    size_t nLine = 0;
    while (!text.empty()) {
        size_t nEnd = text.find('\n');
        std::string_view line = text.substr(0, nEnd);
        fn(++nLine, line);
        text = nEnd == std::string_view::npos ? std::string_view() : text.substr(nEnd + 1);
    }
}

// A context number, decimal or 0x hexadecimal, the whole word.
bool ReadContext(std::string_view word, uint32_t& nContext) {
    std::string strWord(word);
    if (strWord.empty() || strWord.size() > 10) {
        return false;
    }
    char* pEnd = nullptr;
    unsigned long nValue = std::strtoul(strWord.c_str(), &pEnd, 0);
    if (*pEnd != '\0' || strWord[0] == '-' || strWord[0] == '+' || nValue > UINT32_MAX) {
        return false;
    }
    nContext = static_cast<uint32_t>(nValue);
    return true;
}

// Splits off the first blank-separated word of the text.
std::string_view FirstWord(std::string_view& text) {
    text = Trimmed(text);
    size_t nEnd = text.find_first_of(" \t");
    std::string_view word = text.substr(0, nEnd);
    text = nEnd == std::string_view::npos ? std::string_view() : Trimmed(text.substr(nEnd));
    return word;
}

void NoteError(std::string* pError, size_t nLine, const char* pWhat) {
    if (pError != nullptr && pError->empty()) {
        *pError = "line " + std::to_string(nLine) + ": " + pWhat;
    }
}

void AddPopupLine(std::string& strText, size_t& nBlankLines, std::string_view line) {
    if (line.empty()) {
        ++nBlankLines;
        return;
    }
    if (!strText.empty()) {
        strText += nBlankLines > 0 ? "\n\n" : " ";
    }
    strText += line;
    nBlankLines = 0;
}

constexpr int ButtonOk = 1;
constexpr int ButtonCancel = 2;

} // namespace

const std::map<int, CHelpTable>& DialogHelpTables() {
    static const std::map<int, CHelpTable> tables = {
        {IDD_DEFINE_FIELDS,
         {{IDC_SAMPLE_FILE_NAME, IDC_SELECT_FILE, IDC_SAMPLE_TEXT, IDC_ADD_FIELD, IDC_FIELD_LIST,
           IDC_EDIT_FIELD, IDC_REMOVE_FIELD},
          {IDC_CLOSE, IDC_HELP_BUTTON}}},
        {IDD_SELECT_COPY,
         {{IDC_COPY_SAMPLE, IDC_DELETE_FIELDS}, {ButtonOk, ButtonCancel, IDC_HELP_BUTTON}}},
        {IDD_NAME_FIELD,
         {{IDC_FIELD_NAME, IDC_FIELD_SAMPLE, IDC_REFERENCE, IDC_TYPE_EPS, IDC_TYPE_TEXT,
           IDC_UNITS_CHARACTERS, IDC_UNITS_LINES, IDC_LENGTH_COUNT, IDC_COUNT_TEXT,
           IDC_LENGTH_UNTIL, IDC_UNTIL_TEXT, IDC_STRIP_SPACES},
          {ButtonOk, ButtonCancel, IDC_HELP_BUTTON}}},
        {IDD_NAMED_OBJECT,
         {{IDC_OBJECT_NAME, IDC_FONT, IDC_FONT_SIZE, IDC_ALIGNMENT, IDC_LEADING, IDC_FLOW, IDC_CYAN,
           IDC_MAGENTA, IDC_YELLOW, IDC_BLACK, IDC_PLACEMENT, IDC_DATA_FIELD, IDC_DEFINE_FIELDS},
          {ButtonOk, ButtonCancel, IDC_HELP_BUTTON}}},
        {IDD_JOB_FILES,
         {{IDC_DOCDEF_PATH, IDC_POSTSCRIPT_PATH}, {ButtonOk, ButtonCancel, IDC_HELP_BUTTON}}},
    };
    return tables;
}

std::map<uint32_t, CHelpTopic> ReadHelpTopics(std::string_view text, std::string* pError) {
    std::map<uint32_t, CHelpTopic> topics;
    ForEachLine(text, [&](size_t nLine, std::string_view line) {
        line = Trimmed(line);
        if (line.empty() || line[0] == '#') {
            return;
        }
        uint32_t nContext = 0;
        std::string_view page;
        if (!ReadContext(FirstWord(line), nContext) || (page = FirstWord(line)).empty() ||
            line.empty()) {
            NoteError(pError, nLine, "not a context, a page and a title");
        } else if (!topics.emplace(nContext, CHelpTopic{std::string(page), std::string(line)})
                        .second) {
            NoteError(pError, nLine, "a context listed twice");
        }
    });
    return topics;
}

std::map<uint32_t, std::string> ReadHelpPopups(std::string_view text, std::string* pError) {
    std::map<uint32_t, std::string> popups;
    std::string* pText = nullptr;
    size_t nBlankLines = 0;
    ForEachLine(text, [&](size_t nLine, std::string_view line) {
        line = Trimmed(line);
        if (line.substr(0, 7) != ".topic ") {
            if (pText != nullptr) {
                AddPopupLine(*pText, nBlankLines, line);
            } else if (!line.empty()) {
                NoteError(pError, nLine, "text before the first .topic");
            }
            return;
        }
        uint32_t nContext = 0;
        line.remove_prefix(7);
        pText = nullptr;
        if (!ReadContext(Trimmed(line), nContext)) {
            NoteError(pError, nLine, "not a context number after .topic");
        } else if (popups.count(nContext) != 0) {
            NoteError(pError, nLine, "a context listed twice");
        } else {
            pText = &popups[nContext];
            nBlankLines = 0;
        }
    });
    return popups;
}
