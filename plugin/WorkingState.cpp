#include "WorkingState.h"

#include "core/StringIds.h"
#include "plugin/framework/Exceptions.h"
#include "plugin/framework/Messages.h"

#include <new>

void CWorkingState::Reset() {
    fields.Reset();
    sample.Reset();
    fontMap.Reset();
    objects.Reset();
    jobFiles.Reset();
    storedFields.Reset();
}

void CWorkingState::Release() {
    try {
        jobFiles.Release();
        sample.Release();
        fontMap.Release();
        objects.Release();
        fields.Release();
    } catch (const std::bad_alloc&) {
        ShowFrameworkMessage(IDS_MEMORY_EXCEPTION);
    } catch (const CMemoryException&) {
        ShowFrameworkMessage(IDS_MEMORY_EXCEPTION);
    }
    Reset();
}

CWorkingState& PluginState() {
    static CWorkingState state(CFieldState::Exported{});
    return state;
}
