// The error text a failed start-up hands to the host.
#include "core/StringIds.h"
#include "host/StandInHost.h"
#include "plugin/channel/HostChannel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A text as the block holds it: its bytes, NUL, one more zero byte when odd.
void AppendPadded(std::vector<uint8_t>& bytes, const std::string& strText) {
    bytes.insert(bytes.end(), strText.begin(), strText.end());
    bytes.push_back(0);
    if (bytes.size() % 2 != 0) {
        bytes.push_back(0);
    }
}

TEST(ErrorText, MessageAndCaptionPaddedThenAZeroByteIn511Bytes) {
    CStandInHost host;
    SetErrorText(host.Block(), IDS_SAMPLE_LOAD_FAILED, IDS_CAPTION);
    CErrorText text;
    ASSERT_TRUE(host.TakeErrorText(text));
    EXPECT_EQ(text.nSize, 511u);
    std::vector<uint8_t> expected;
    AppendPadded(expected, "ZTM5041: Could not load the variable data input file.");
    AppendPadded(expected, "NEB Variable Data");
    expected.push_back(0);
    expected.resize(511, 0);
    EXPECT_EQ(text.bytes, expected);
    EXPECT_EQ(text.strMessage, "ZTM5041: Could not load the variable data input file.");
    EXPECT_EQ(text.strCaption, "NEB Variable Data");
}

TEST(ErrorText, WithoutCaption) {
    CStandInHost host;
    SetErrorText(host.Block(), IDS_CAPTION, 0);
    CErrorText text;
    ASSERT_TRUE(host.TakeErrorText(text));
    std::vector<uint8_t> expected;
    AppendPadded(expected, "NEB Variable Data");
    expected.resize(511, 0);
    EXPECT_EQ(text.bytes, expected);
    EXPECT_EQ(text.strCaption, "");
}

} // namespace
