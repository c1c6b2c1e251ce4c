#include "core/ParamBuffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Written(const uint8_t* pBuffer, const CParamWriter& writer) {
    return std::vector<uint8_t>(pBuffer, pBuffer + writer.Length());
}

TEST(ParamWriter, StringsArePaddedToEvenLength) {
    uint8_t abBuffer[64];
    CParamWriter writer(abBuffer, sizeof abBuffer);
    writer.PutString("NEB "); // 4 characters: NUL and one pad byte
    writer.PutString("abc");  // 3 characters: NUL only
    writer.PutString("");     // empty: NUL and one pad byte
    EXPECT_EQ(Written(abBuffer, writer),
              (std::vector<uint8_t>{'N', 'E', 'B', ' ', 0, 0, 'a', 'b', 'c', 0, 0, 0}));
    EXPECT_EQ(PaddedStringLength(4), 6u);
    EXPECT_EQ(PaddedStringLength(3), 4u);
    EXPECT_EQ(PaddedStringLength(0), 2u);
}

TEST(ParamWriter, NumbersAreLittleEndian) {
    uint8_t abBuffer[16];
    CParamWriter writer(abBuffer, sizeof abBuffer);
    writer.Put16(-2);
    writer.Put32(0x01020304);
    writer.Put32(-2);
    EXPECT_EQ(Written(abBuffer, writer),
              (std::vector<uint8_t>{0xFE, 0xFF, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF}));
}

TEST(ParamWriter, RefusesWhatDoesNotFitAndWritesNothingPastTheBuffer) {
    uint8_t abBuffer[8] = {};
    uint8_t abGuard[4] = {0xAA, 0xAA, 0xAA, 0xAA};
    CParamWriter writer(abBuffer, sizeof abBuffer);
    writer.Put32(1);
    writer.PutString("long");
    EXPECT_TRUE(writer.Overflowed());
    EXPECT_EQ(writer.Length(), 4u);
    writer.Put16(7);
    EXPECT_EQ(writer.Length(), 4u) << "nothing is written after an overflow";
    EXPECT_EQ(abGuard[0], 0xAA);
}

TEST(ReplyReader, ReadsValuesAndStopsAtTheEnd) {
    const uint8_t abReply[] = {0x34, 0x12, 0x78, 0x56, 0x34, 0x12, 0xFF};
    CReplyReader reader(abReply, sizeof abReply);
    EXPECT_EQ(reader.Get16(), 0x1234);
    EXPECT_EQ(reader.Get32(), 0x12345678);
    EXPECT_FALSE(reader.Short());
    EXPECT_EQ(reader.Get16(), 0) << "one byte left is not a value";
    EXPECT_TRUE(reader.Short());
}

TEST(ReplyReader, StringsMoveOnByTheirEvenLength) {
    const uint8_t abReply[] = {'A', '4', 0, 0, 'L', 't', 'r', 0, 9, 0};
    CReplyReader reader(abReply, sizeof abReply);
    EXPECT_EQ(reader.GetString(), "A4");
    EXPECT_EQ(reader.Position(), 4u);
    EXPECT_EQ(reader.GetString(), "Ltr");
    EXPECT_EQ(reader.Position(), 8u);
    EXPECT_EQ(reader.Get16(), 9);
    EXPECT_FALSE(reader.Short());
}

TEST(ReplyReader, StringWithoutNulInItsFieldIsCutTo49Characters) {
    std::vector<uint8_t> reply(60, 'x');
    reply[52] = 7;
    reply[53] = 0;
    CReplyReader reader(reply.data(), reply.size());
    std::string strName = reader.GetString();
    EXPECT_EQ(strName, std::string(49, 'x'));
    EXPECT_EQ(reader.Position(), 50u);
}

TEST(ReplyReader, StringRunningOffTheReplyIsShort) {
    const uint8_t abReply[] = {'a', 'b', 'c'};
    CReplyReader reader(abReply, sizeof abReply);
    EXPECT_EQ(reader.GetString(), "ab");
    EXPECT_TRUE(reader.Short());
}

// The message is cut, never the caption, when both do not fit; each text is
// at most 255 characters; a zero byte always ends the block.
TEST(ErrorText, CaptionIsKeptWhenTheTextsTogetherPassTheBlock) {
    auto TextAt = [](const std::vector<uint8_t>& bytes, size_t nOffset) {
        return std::string(reinterpret_cast<const char*>(bytes.data() + nOffset));
    };
    std::string strCaption(255, 'C');
    std::vector<uint8_t> bytes = ComposeErrorText(std::string(255, 'M'), strCaption, 511);
    ASSERT_EQ(bytes.size(), 511u);
    EXPECT_EQ(TextAt(bytes, 0), std::string(253, 'M'));
    EXPECT_EQ(TextAt(bytes, 254), strCaption);
    EXPECT_EQ(bytes[510], 0);

    bytes = ComposeErrorText(std::string(300, 'M'), std::string(400, 'C'), 511);
    EXPECT_EQ(TextAt(bytes, 0), std::string(253, 'M'));
    EXPECT_EQ(TextAt(bytes, 254), strCaption);

    bytes = ComposeErrorText(std::string(300, 'M'), "Cap", 511);
    EXPECT_EQ(TextAt(bytes, 0), std::string(255, 'M')) << "alone, a text keeps 255 characters";
    EXPECT_EQ(TextAt(bytes, 256), "Cap");

    bytes = ComposeErrorText("Msg", "", 511);
    EXPECT_EQ(TextAt(bytes, 0), "Msg");
    EXPECT_EQ(std::count(bytes.begin() + 3, bytes.end(), 0), 511 - 3) << "no caption, zeros";
}

} // namespace
