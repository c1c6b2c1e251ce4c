// The stand-in host's publication file: a text that reads is written again
// and reads back to the same text; a text that does not read is refused with
// a message, never an escaping exception.
#include "FuzzInput.h"
#include "host/Publication.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string strText(reinterpret_cast<const char*>(pData), nSize);
    CPublication publication;
    std::string strError;
    if (!ReadPublication(strText, "fuzz.pub.json", publication, strError)) {
        FUZZ_CHECK(strError.rfind("fuzz.pub.json: ", 0) == 0, "a refusal names the file");
        return 0;
    }
    std::string strWritten = PublicationText(publication);
    CPublication again;
    FUZZ_CHECK(ReadPublication(strWritten, "again", again, strError), "a written file reads");
    FUZZ_CHECK(PublicationText(again) == strWritten, "and is written the same");
    return 0;
}
