// The host's binary replies: every reader stays inside the reply, and the
// print options and the paper record, sent back, read back the same.
#include "FuzzInput.h"
#include "core/HostRecords.h"
#include "core/ParamBuffer.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    // A block of exactly the reply's size, so that a read past it is caught.
    std::vector<uint8_t> reply(pData, pData + nSize);
    CSelectionRecord selection;
    ReadSelection(reply.data(), reply.size(), selection);
    std::vector<CPageObject> objects;
    if (ReadPageObjects(reply.data(), reply.size(), objects)) {
        FUZZ_CHECK(2 + objects.size() * 20 <= reply.size(), "objects lie inside the reply");
    }
    std::vector<CPrivateDataObject> owners;
    ReadPrivateDataObjects(reply.data(), reply.size(), owners);

    CReplyReader optionsReader(reply.data(), reply.size());
    CPrintOptions options;
    if (ReadPrintOptions(optionsReader, options)) {
        uint8_t abBuffer[256];
        CParamWriter writer(abBuffer, sizeof abBuffer);
        WritePrintOptions(writer, options);
        FUZZ_CHECK(!writer.Overflowed(), "print options fit a request");
        CReplyReader again(abBuffer, writer.Length());
        CPrintOptions reread;
        FUZZ_CHECK(ReadPrintOptions(again, reread) && reread.strName == options.strName &&
                       memcmp(reread.anLeading, options.anLeading, sizeof options.anLeading) == 0 &&
                       memcmp(reread.anTrailing, options.anTrailing, sizeof options.anTrailing) ==
                           0,
                   "print options read back");
    }
    CReplyReader paperReader(reply.data(), reply.size());
    CPaperRecord paper;
    if (ReadPaper(paperReader, paper)) {
        uint8_t abBuffer[256];
        CParamWriter writer(abBuffer, sizeof abBuffer);
        WritePaper(writer, paper);
        FUZZ_CHECK(!writer.Overflowed(), "the paper record fits a request");
        CReplyReader again(abBuffer, writer.Length());
        CPaperRecord reread;
        FUZZ_CHECK(ReadPaper(again, reread) && reread.strName == paper.strName &&
                       reread.strSecond == paper.strSecond &&
                       memcmp(reread.anSize, paper.anSize, sizeof paper.anSize) == 0,
                   "the paper record reads back");
    }
    return 0;
}
