#include "CommandGuard.h"

#include "Exceptions.h"
#include "Messages.h"
#include "core/StringIds.h"

#include <new>

unsigned CurrentExceptionMessage() noexcept {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        return IDS_MEMORY_EXCEPTION;
    } catch (const CMemoryException&) {
        return IDS_MEMORY_EXCEPTION;
    } catch (const CFileException&) {
        return IDS_FILE_EXCEPTION;
    } catch (...) {
        return IDS_OTHER_EXCEPTION;
    }
}

uint16_t RunGuarded(const std::function<uint16_t()>& command, uint16_t nAfterException) {
    unsigned nMessage = 0;
    try {
        return command();
    } catch (...) {
        nMessage = CurrentExceptionMessage();
    }
    try {
        ShowFrameworkMessage(nMessage);
    } catch (...) {
        // Not even the message could be shown; the command still ends.
    }
    return nAfterException;
}
