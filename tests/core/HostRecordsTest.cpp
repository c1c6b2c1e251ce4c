#include "core/HostRecords.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Writes the record, checks its length and reads it back; every shorter
// reply is refused.
template <typename T>
T RoundTrip(const T& record, size_t nLength, void (*write)(CParamWriter&, const T&),
            bool (*read)(CReplyReader&, T&), uint8_t (&abBuffer)[128]) {
    CParamWriter writer(abBuffer, sizeof abBuffer);
    write(writer, record);
    EXPECT_EQ(writer.Length(), nLength);
    for (size_t nShort = 0; nShort < writer.Length(); ++nShort) {
        CReplyReader reader(abBuffer, nShort);
        T partial;
        EXPECT_FALSE(read(reader, partial)) << nShort << " bytes of " << writer.Length();
    }
    CReplyReader reader(abBuffer, writer.Length());
    T back;
    EXPECT_TRUE(read(reader, back));
    return back;
}

TEST(HostRecords, PrintOptionsReadBackAsWritten) {
    CPrintOptions options;
    for (int i = 0; i < 4; ++i) {
        options.anLeading[i] = static_cast<int16_t>(10 + i);
    }
    options.strName = "PSPrinter";
    for (int i = 0; i < 8; ++i) {
        options.anTrailing[i] = static_cast<int16_t>(-i);
    }
    uint8_t abBuffer[128];
    CPrintOptions read =
        RoundTrip(options, 8u + 10u + 16u, WritePrintOptions, ReadPrintOptions, abBuffer);
    EXPECT_EQ(read.strName, "PSPrinter");
    EXPECT_EQ(read.anLeading[3], 13);
    EXPECT_EQ(read.anTrailing[7], -7);
}

TEST(HostRecords, PaperLayoutHeightThenWidth) {
    CPaperRecord paper;
    paper.strName = "Letter";
    paper.strSecond = "";
    paper.anSize[0] = 15840;
    paper.anSize[1] = 12240;
    paper.anFirstGroup[2] = 3;
    paper.nSingle = 77;
    paper.anLastGroup[0] = 5;
    paper.anLastGroup[1] = 1000;
    uint8_t abBuffer[128];
    // "Letter" 8 bytes, "" 2 bytes, four 32-bit, three 16-bit, one 32-bit, three 16-bit.
    CPaperRecord read =
        RoundTrip(paper, 8u + 2u + 16u + 6u + 4u + 6u, WritePaper, ReadPaper, abBuffer);
    EXPECT_EQ(abBuffer[10], 15840 & 0xFF) << "the height comes first";
    EXPECT_EQ(read.Height(), 15840);
    EXPECT_EQ(read.Width(), 12240);
    EXPECT_EQ(read.strName, "Letter");
    EXPECT_EQ(read.anFirstGroup[2], 3);
    EXPECT_EQ(read.nSingle, 77);
    EXPECT_EQ(read.anLastGroup[1], 1000);
}

TEST(HostRecords, TruncatedPaperIsRefused) {
    const uint8_t abReply[] = {'A', '4', 0, 0, 0, 0, 1, 2};
    CReplyReader reader(abReply, sizeof abReply);
    CPaperRecord paper;
    EXPECT_FALSE(ReadPaper(reader, paper));
}

TEST(HostRecords, SelectionOffsets) {
    std::vector<uint8_t> reply(SelectionRecordSize, 0);
    reply[0] = 1;
    reply[2] = 0x78;
    reply[3] = 0x56;
    reply[4] = 0x34;
    reply[5] = 0x12;
    reply[14] = 9;
    reply[16] = 11;
    reply[18] = 1;
    for (int i = 0; i < 8; ++i) {
        reply[22 + 4 * i] = static_cast<uint8_t>(100 + i);
    }
    reply[53] = 0x80; // last corner's y is negative
    CSelectionRecord selection;
    ASSERT_TRUE(ReadSelection(reply.data(), reply.size(), selection));
    EXPECT_EQ(selection.nCount, 1);
    EXPECT_EQ(selection.nObjectId, 0x12345678);
    EXPECT_EQ(selection.nObjectNumber, 9);
    EXPECT_EQ(selection.nKind, 11);
    EXPECT_EQ(selection.nRotated, 1);
    EXPECT_EQ(selection.anCoords[0], 100);
    EXPECT_EQ(selection.anCoords[6], 106);
    EXPECT_LT(selection.anCoords[7], 0);
    EXPECT_FALSE(ReadSelection(reply.data(), SelectionRecordSize - 1, selection));
}

TEST(HostRecords, PageObjectsEveryTwentyBytes) {
    std::vector<uint8_t> reply(2 + 2 * PageObjectRecordSize, 0);
    reply[0] = 2;
    reply[2] = 4;
    reply[4] = 1;
    reply[22] = 7;
    reply[24] = 11;
    std::vector<CPageObject> objects;
    ASSERT_TRUE(ReadPageObjects(reply.data(), reply.size(), objects));
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].nNumber, 4);
    EXPECT_EQ(objects[0].nKind, 1);
    EXPECT_EQ(objects[1].nNumber, 7);
    EXPECT_EQ(objects[1].nKind, 11);
    reply[0] = 3;
    EXPECT_FALSE(ReadPageObjects(reply.data(), reply.size(), objects))
        << "a count beyond the reply is refused";
}

TEST(HostRecords, PrivateDataObjectsAtTheirOffsets) {
    std::vector<uint8_t> reply(64, 0);
    reply[0] = 2;
    reply[16] = 0x21;
    reply[22] = 9;
    reply[40] = 0x22;
    reply[46] = 12;
    std::vector<CPrivateDataObject> objects;
    ASSERT_TRUE(ReadPrivateDataObjects(reply.data(), reply.size(), objects));
    ASSERT_EQ(objects.size(), 2u);
    EXPECT_EQ(objects[0].nObjectId, 0x21);
    EXPECT_EQ(objects[0].nLength, 9);
    EXPECT_EQ(objects[1].nObjectId, 0x22);
    EXPECT_EQ(objects[1].nLength, 12);
    reply[0] = 0;
    EXPECT_FALSE(ReadPrivateDataObjects(reply.data(), reply.size(), objects)) << "count 0";
}

} // namespace
