#include "core/HelpContexts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

struct CBadLine {
    const char* pText;
    const char* pError;
};

TEST(HelpContexts, TopicsByContextWithTitlesOfSeveralWords) {
    std::string strError;
    auto topics =
        ReadHelpTopics("# context page title\r\n\r\n131215 named-object.htm  Named Object "
                       "dialog \r\n0x20084\tdefine-fields.htm Define Fields",
                       &strError);
    EXPECT_EQ(strError, "");
    ASSERT_EQ(topics.size(), 2u);
    EXPECT_EQ(topics[131215].strPage, "named-object.htm");
    EXPECT_EQ(topics[131215].strTitle, "Named Object dialog");
    EXPECT_EQ(topics[0x20084].strTitle, "Define Fields");
}

TEST(HelpContexts, TopicLinesItCannotReadAreNamed) {
    const CBadLine rows[] = {
        {"131215 named-object.htm", "line 1: not a context, a page and a title"},
        {"x1 a.htm A", "line 1: not a context, a page and a title"},
        {"-5 a.htm A", "line 1: not a context, a page and a title"},
        {"99999999999 a.htm A", "line 1: not a context, a page and a title"},
        {"1 a.htm A\n\n1 b.htm B", "line 3: a context listed twice"},
    };
    for (const CBadLine& row : rows) {
        std::string strError;
        ReadHelpTopics(row.pText, &strError);
        EXPECT_EQ(strError, row.pError) << row.pText;
    }
}

TEST(HelpContexts, PopupsJoinTheirLinesAndKeepParagraphs) {
    std::string strError;
    auto popups =
        ReadHelpPopups(".topic 328755\r\nThe name of\r\n  the object.\r\n\r\n\r\nA second "
                       "paragraph.\r\n\r\n.topic 0x50436\nOne line.\n",
                       &strError);
    EXPECT_EQ(strError, "");
    ASSERT_EQ(popups.size(), 2u);
    EXPECT_EQ(popups[328755], "The name of the object.\n\nA second paragraph.");
    EXPECT_EQ(popups[0x50436], "One line.");
}

TEST(HelpContexts, PopupLinesItCannotReadAreNamed) {
    const CBadLine rows[] = {
        {"Stray text\n.topic 1\nA", "line 1: text before the first .topic"},
        {".topic one\nA", "line 1: not a context number after .topic"},
        {".topic 1\nA\n.topic 1\nB", "line 3: a context listed twice"},
    };
    for (const CBadLine& row : rows) {
        std::string strError;
        ReadHelpPopups(row.pText, &strError);
        EXPECT_EQ(strError, row.pError) << row.pText;
    }
}

} // namespace

#ifdef NEB_SOURCE_DIR
// The help sources the help file and the plug-in are built from answer every
// context the dialogs ask for, and hold no context that none asks for.
TEST(HelpContexts, TheHelpSourcesAnswerEveryDialogsContexts) {
    auto read = [](const char* pName) {
        std::ifstream file(std::string(NEB_SOURCE_DIR "/plugin/help/") + pName, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    };
    std::string strTopicError, strPopupError;
    auto topics = ReadHelpTopics(read("topics.txt"), &strTopicError);
    auto popups = ReadHelpPopups(read("cshelp.txt"), &strPopupError);
    EXPECT_EQ(strTopicError, "");
    EXPECT_EQ(strPopupError, "");
    size_t nControls = 0;
    for (const auto& [nDialog, table] : DialogHelpTables()) {
        EXPECT_EQ(topics.count(TopicContext(nDialog)), 1u) << "dialog " << nDialog;
        for (int nControl : table.popupControls) {
            EXPECT_NE(popups[PopupContext(nControl)], "") << "control " << nControl;
        }
        nControls += table.popupControls.size();
    }
    EXPECT_EQ(topics.size(), DialogHelpTables().size());
    EXPECT_EQ(popups.size(), nControls);
}
#endif
