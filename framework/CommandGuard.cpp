#include "CommandGuard.h"

#include "Exceptions.h"
#include "Messages.h"
#include "resources/StringIds.h"

#include <new>

uint16_t RunGuarded(const std::function<uint16_t()>& command, uint16_t nAfterException) {
    try {
        return command();
    } catch (const std::bad_alloc&) {
        ShowFrameworkMessage(IDS_MEMORY_EXCEPTION);
    } catch (const CMemoryException&) {
        ShowFrameworkMessage(IDS_MEMORY_EXCEPTION);
    } catch (const CFileException&) {
        ShowFrameworkMessage(IDS_FILE_EXCEPTION);
    } catch (...) {
        ShowFrameworkMessage(IDS_OTHER_EXCEPTION);
    }
    return nAfterException;
}
