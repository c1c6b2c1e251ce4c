// A job ticket of any bytes: taken, or refused with a message that names
// the file and is of a readable length; never a fault.
#include "FuzzInput.h"
#include "merge/job/Ticket.h"

#include <unistd.h>

#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    static const std::string strPath = "/tmp/nebmerge-ticket-fuzz-" + std::to_string(getpid());
    std::ofstream(strPath, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(pData), static_cast<std::streamsize>(nSize));
    CJobTicket ticket;
    std::string strError;
    if (!ReadTicket(strPath, 1 << 20, ticket, strError)) {
        FUZZ_CHECK(strError.rfind(strPath + ": ", 0) == 0, "a refusal names the ticket");
        FUZZ_CHECK(strError.size() < strPath.size() + 400, "and is of a readable length");
    }
    return 0;
}
