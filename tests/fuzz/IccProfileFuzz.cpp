// An output intent's profile of any bytes: taken as a CMYK output profile,
// or refused with why; never a fault. A profile taken gives its own size in
// its header and a description of printable text.
#include "FuzzInput.h"
#include "merge/pdf/IccProfile.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    std::string strData(reinterpret_cast<const char*>(pData), nSize);
    CIccProfile profile;
    std::string strError;
    if (ReadIccProfile(strData, profile, strError)) {
        FUZZ_CHECK(profile.strData == strData, "a profile taken is kept whole");
        FUZZ_CHECK(strData.compare(12, 8, "prtrCMYK") == 0, "and is a CMYK output profile");
        for (char c : profile.strDescription) {
            FUZZ_CHECK(c >= 0x20 && c < 0x7F, "whose description is printable");
        }
    } else {
        FUZZ_CHECK(!strError.empty() && strError.size() < 200, "a refusal says why, briefly");
    }
    return 0;
}
