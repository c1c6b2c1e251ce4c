#include "ObjectNameWalk.h"

#include "core/Units.h"
#include "plugin/channel/HostRequests.h"
#include "plugin/channel/PrivateStore.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace {

// Adds the names of the current page's placeholders that are not known yet;
// false when the host did not list the page's objects or select one.
bool AddPageNames(HostParamBlock* pBlock, CStringList& names,
                  std::unordered_set<std::string>& known) {
    std::vector<CPageObject> objects;
    if (Request::QueryPageObjects(pBlock, objects) != StatusOk) {
        return false;
    }
    for (const CPageObject& object : objects) {
        if (object.nKind != PlaceholderKind) {
            continue;
        }
        CSelectionRecord selection;
        std::string strName;
        if (Request::CmdSelectObject(pBlock, object.nNumber) != StatusOk ||
            Request::QuerySelection(pBlock, selection) != StatusOk ||
            selection.nObjectNumber != object.nNumber) {
            return false;
        }
        // A placeholder without the plug-in's strings has no name to learn.
        if (ReadObjectString(pBlock, 1, selection.nObjectId, strName) == StatusOk &&
            !strName.empty() && known.insert(strName).second) {
            names.Add(strName.c_str());
        }
    }
    return true;
}

} // namespace

uint16_t LearnObjectNames(HostParamBlock* pBlock, int16_t nSelectedNumber, CStringList& names) {
    int16_t nSavedPage = 0;
    int16_t nPageCount = 0;
    if (Request::QueryCurrentPage(pBlock, nSavedPage) != StatusOk ||
        Request::QueryPageCount(pBlock, nPageCount) != StatusOk) {
        return StatusFailed;
    }
    // The names already listed, found without walking the list per name.
    std::unordered_set<std::string> known;
    for (size_t i = 0; i < names.Count(); ++i) {
        known.insert(names.At(i));
    }
    bool bRead = true;
    for (int16_t nPage = 1; nPage <= nPageCount && bRead; ++nPage) {
        bRead =
            Request::CmdGoToPage(pBlock, nPage) == StatusOk && AddPageNames(pBlock, names, known);
    }
    IgnoreStatus(Request::CmdGoToPage(pBlock, nSavedPage));
    IgnoreStatus(Request::CmdSelectObject(pBlock, nSelectedNumber));
    return bRead ? StatusOk : StatusFailed;
}
